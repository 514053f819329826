#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The long runs that scripts/test.sh leaves out to stay quick: every test
# again, built with AddressSanitizer and UndefinedBehaviorSanitizer. CI runs
# it after scripts/test.sh, which has installed what it needs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/sanitize.sh
