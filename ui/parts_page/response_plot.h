// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The response of the parts as a plot: the magnitude from 1 Hz to 1 kHz on a
// logarithmic axis (the exact design's section, the section as built, the
// whole path as built and its tolerance band), and below it the group delay
// of the path. Hovering over either shows the frequency and the levels, and
// so does the keyboard's cursor (keyboard_readout.h) while they have the
// focus.

#include <QByteArray>
#include <QWidget>

#include <optional>
#include <vector>

#include "parts_model.h"
#include "plots/plot_export.h"

class QLabel;
class QLineSeries;
class QAreaSeries;
class QChart;
class QChartView;
class QValueAxis;

namespace vandrel::ui {

class KeyboardReadout;

class ResponsePlot final : public QWidget {
public:
    explicit ResponsePlot(QWidget* parent = nullptr);

    /// Plots the figures; without parts that can be built, only the exact
    /// design's section.
    void show_figures(const PartsFigures& figures);
    /// What hovering at `hz` shows: the frequency and every level there.
    QString readout(double hz) const;
    /// The two charts, without the readout line: what a saved plot shows.
    QWidget* charts() const { return charts_; }

    QChartView* magnitude_view() const { return magnitude_view_; }
    QChartView* delay_view() const { return delay_view_; }
    QLabel* readout_label() const { return readout_; }
    /// The keyboard's cursor while the plots have the focus, Hz.
    std::optional<double> cursor() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// As many axis labels as the charts' heights have room for.
    void fit_ticks();

    QChartView* magnitude_view_ = nullptr;
    QChartView* delay_view_ = nullptr;
    QWidget* charts_ = nullptr;
    QWidget* legend_ = nullptr;
    QLabel* readout_ = nullptr;
    KeyboardReadout* keys_ = nullptr;
    QLineSeries* exact_ = nullptr;
    QLineSeries* section_ = nullptr;
    QLineSeries* path_ = nullptr;
    QLineSeries* band_low_ = nullptr;
    QLineSeries* band_high_ = nullptr;
    QAreaSeries* band_ = nullptr;
    QLineSeries* delay_ = nullptr;
    QValueAxis* level_axis_ = nullptr;
    QValueAxis* delay_axis_ = nullptr;

    // What the readout needs of the figures shown.
    as_built::Section exact_section_;
    std::optional<as_built::PathParts> path_parts_;
    std::vector<double> band_hz_;
    std::vector<as_built::Band> band_values_;
    double longest_delay_ = 1;  ///< ms
};

/// The plot of `figures` (buildable) as a file in `format`, under a
/// caption with the design and the parts.
QByteArray plot_file(const PartsFigures& figures, PlotFormat format);

}  // namespace vandrel::ui
