// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The design engine speaks UTF-8 std::string_view; the windows speak QString.

#include <QString>

#include <string_view>

namespace vandrel::ui {

/// A UTF-8 text as a QString.
inline QString to_qstring(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace vandrel::ui
