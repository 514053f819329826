// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The loudest safe level plot of the Subwoofer page: without and with the
// filter, each curve marked along its stretches by what limits it there (a
// marker shape a limit), with a legend entry for each curve and for each
// limit that sets it somewhere.

#include <QString>
#include <QStringList>

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "vandrel/speaker/analysis.h"

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QPoint;
class QScatterSeries;
class QValueAxis;
class QWidget;

namespace vandrel::ui {

class MaxSplChart {
public:
    /// The chart's view and legend in `parent`; `on_hover` as the other
    /// plots' views take it.
    MaxSplChart(QWidget* parent, std::function<void(std::optional<double>, QPoint)> on_hover);

    QChartView* view() const { return view_; }
    QWidget* legend() const { return legend_; }
    /// Plots `analysis`; null: nothing.
    void show(const speaker::Analysis* analysis);
    /// The curves at `hz` and what limits each: "; loudest safe (dB) 118.20
    /// without the filter (Xmax), 112.10 with it (full scale)"; empty with
    /// nothing shown.
    QString readout(double hz) const;
    /// As many axis labels as the chart's height has room for.
    void fit_ticks();
    /// The legend's entries shown, in order.
    QStringList legend_entries() const;

private:
    QChartView* view_ = nullptr;
    QWidget* legend_ = nullptr;
    QValueAxis* axis_ = nullptr;
    QLineSeries* without_ = nullptr;
    QLineSeries* with_ = nullptr;
    /// The markers of each limit, on each curve.
    std::map<speaker::Limit, QScatterSeries*> without_marks_, with_marks_;
    std::map<speaker::Limit, QLabel*> limit_entries_;
    std::optional<speaker::Analysis> analysis_;
};

}  // namespace vandrel::ui
