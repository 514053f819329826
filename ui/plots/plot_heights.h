// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plots whose axes' texts show whole at any size and scale factor: each
// chart at least as high as its axes need, and the charts of a plot in a
// scroll area where the plot is shorter than that.

class QChartView;
class QScrollArea;
class QString;
class QWidget;

namespace vandrel::ui {

/// The least height of `view` at which its chart's axis titles and labels
/// are drawn whole: the vertical axis' title and two labels along the plot
/// area, and below it the frequency axis' labels and its title, if shown.
int least_chart_height(const QChartView* view);

/// A scroll area around `charts`, which scrolls up and down only where the
/// area is shorter than the charts' least heights, named `name` and, for
/// screen readers, `accessible`.
QScrollArea* plot_scroll(QWidget* charts, const QString& name, const QString& accessible);

}  // namespace vandrel::ui
