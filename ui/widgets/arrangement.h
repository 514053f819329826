// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a page's two panes, its figures and its plot, share the page: plain
// geometry, in logical pixels.

#include <QSize>

namespace vandrel::ui {

/// How the report and the plot share the window.
enum class Arrangement {
    beside,   ///< the report left of the plot
    stacked,  ///< the report above the plot
    tabs,     ///< the report and the plot on two tabs
};

/// The least width the plot is readable at beside the report, and the least
/// height of a window that stacks them.
inline constexpr int plot_least_width = 380;
inline constexpr int stacked_least_height = 640;

/// The arrangement for panes of `panes` size with a report `report_width`
/// wide as a grid: beside where the panes are wider than high and both fit
/// side by side; else stacked where they are high enough; else beside where
/// both fit; else tabs.
Arrangement arrangement_for(QSize panes, int report_width);

}  // namespace vandrel::ui
