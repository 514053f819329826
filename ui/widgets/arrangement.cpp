// SPDX-License-Identifier: GPL-3.0-or-later
#include "arrangement.h"

namespace vandrel::ui {

Arrangement arrangement_for(QSize panes, int report_width) {
    const bool side_by_side = panes.width() >= report_width + plot_least_width;
    if (side_by_side && panes.width() >= panes.height()) return Arrangement::beside;
    if (panes.height() >= stacked_least_height) return Arrangement::stacked;
    return side_by_side ? Arrangement::beside : Arrangement::tabs;
}

}  // namespace vandrel::ui
