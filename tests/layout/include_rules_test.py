#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The source tree's dependencies run one way: the windows and the command
line use design/, never the reverse; the Parts window's pages use the shared
pieces (widgets/, plots/, common/), never the other way round, and neither
page includes the other; the main window knows the Parts window only by its
interface."""
import re
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent.parent))
from checks import check, finish  # noqa: E402

root = Path(__file__).resolve().parents[2]
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^">]+)[">]', re.M)

# Folder -> what its files may not include (prefixes of the included path,
# or folders whose headers they may not name at all).
forbidden = {
    "design": ["Q", "ui/", "cli/", "widgets/", "plots/", "parts_page/", "subwoofer_page/", "parts_window/"],
    "ui/common": ["widgets/", "plots/", "parts_page/", "subwoofer_page/", "parts_window/"],
    "ui/widgets": ["plots/", "parts_page/", "subwoofer_page/", "parts_window/"],
    "ui/plots": ["parts_page/", "subwoofer_page/", "parts_window/"],
    "ui/parts_page": ["subwoofer_page/", "parts_window/"],
    "ui/subwoofer_page": ["parts_page/", "parts_window/"],
    "ui/main": ["widgets/", "plots/", "parts_page/", "subwoofer_page/", "parts_window/"],
    "ui/sheet": ["widgets/", "plots/", "parts_page/", "subwoofer_page/", "parts_window/"],
}
# Headers of a folder, named bare from elsewhere, count as that folder's.
bare = {}
for folder in ["ui/widgets", "ui/plots", "ui/parts_page", "ui/subwoofer_page", "ui/parts_window"]:
    for header in (root / folder).glob("*.h"):
        bare[header.name] = folder.removeprefix("ui/") + "/"

for folder, banned in forbidden.items():
    for source in sorted((root / folder).rglob("*")):
        if source.suffix not in (".h", ".cpp"):
            continue
        for included in INCLUDE.findall(source.read_text(encoding="utf-8")):
            named = bare.get(included, "") + included if "/" not in included else included
            own = "ui/" + named.split("/")[0] == folder
            bad = [b for b in banned if named.startswith(b) and not own]
            check(f"{source.relative_to(root)} includes {included}", not bad, f"{folder} may not use {bad}")

finish("include_rules")
