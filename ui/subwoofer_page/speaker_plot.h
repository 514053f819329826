// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The subwoofer as plots, 1 Hz to 1 kHz on a logarithmic axis: its SPL
// without and with the filter (and a measurement, if any) against the pass
// band less 3 dB; its cone excursion without and with the filter against
// Xmax, the filtered curve drawn in a warning colour where it goes beyond;
// and, for a vented box with a port, the port's air velocity against
// its limit; and the loudest safe level without and with the filter, marked
// by what limits it (max_spl_chart.h). Hovering over any of them shows the
// frequency and every curve, and so does the keyboard's cursor
// (keyboard_readout.h) while they have the focus.

#include <QColor>
#include <QStringList>
#include <QByteArray>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

#include "speaker_model.h"
#include "plots/plot_export.h"

class QChart;
class QChartView;
class QLabel;
class QLineSeries;
class QScrollArea;
class QValueAxis;

namespace vandrel::ui {

class KeyboardReadout;
class MaxSplChart;

/// The colour of the filtered excursion beyond Xmax.
inline const QColor beyond_xmax_colour{220, 0, 0};

class SpeakerPlot final : public QWidget {
public:
    explicit SpeakerPlot(QWidget* parent = nullptr);
    ~SpeakerPlot() override;

    /// Plots the figures; without an analysis, nothing.
    void show_figures(const SpeakerFigures& figures);
    /// What hovering at `hz` shows: the frequency and every curve there.
    QString readout(double hz) const;
    /// The charts and their legend, without the readout: what a saved plot shows.
    QWidget* charts() const { return charts_; }
    /// How many stretches of the filtered excursion are drawn beyond Xmax.
    int beyond_xmax_stretches() const;

    QChartView* spl_view() const { return spl_view_; }
    QChartView* excursion_view() const { return excursion_view_; }
    QChartView* port_view() const { return port_view_; }
    /// The loudest safe level without and with the filter.
    QChartView* max_spl_view() const;
    /// Its legend's entries shown: the curves, then "Set by ..." for each
    /// limit that sets a stretch of them.
    QStringList max_spl_legend() const;
    QLabel* readout_label() const { return readout_; }
    /// The keyboard's cursor while the plots have the focus, Hz.
    std::optional<double> cursor() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// As many axis labels as the charts' heights have room for.
    void fit_ticks();
    /// Each chart at least as high as its axes' texts need, whole; the
    /// charts scroll where the plots are shorter than that.
    void fit_heights();
    void show_beyond(const std::vector<double>& hz, const std::vector<double>& excursion, double xmax);

    QWidget* charts_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QWidget* legend_ = nullptr;
    QLabel* readout_ = nullptr;
    KeyboardReadout* keys_ = nullptr;
    QChartView* spl_view_ = nullptr;
    QChartView* excursion_view_ = nullptr;
    QChartView* port_view_ = nullptr;
    QLineSeries* spl_ = nullptr;
    QLineSeries* spl_filtered_ = nullptr;
    QLineSeries* measured_ = nullptr;
    QLineSeries* measured_filtered_ = nullptr;
    QLineSeries* spl_limit_ = nullptr;
    QLineSeries* excursion_ = nullptr;
    QLineSeries* excursion_filtered_ = nullptr;
    QLineSeries* xmax_ = nullptr;
    std::vector<QLineSeries*> beyond_;  ///< a series a stretch beyond Xmax, kept for reuse
    QLineSeries* port_ = nullptr;
    QLineSeries* port_filtered_ = nullptr;
    QLineSeries* port_limit_ = nullptr;
    QValueAxis* spl_axis_ = nullptr;
    QValueAxis* excursion_axis_ = nullptr;
    QValueAxis* port_axis_ = nullptr;
    QChart* excursion_chart_ = nullptr;
    std::unique_ptr<MaxSplChart> max_spl_;
    std::vector<QWidget*> measured_legend_;  ///< the legend's entries of the measurement

    // What the readout and the axes need of the figures shown.
    std::optional<speaker::Analysis> analysis_;
    double excursion_top_ = 1;  ///< mm
    double port_top_ = 1;       ///< m/s
};

/// The page's plots of `figures` (analysed) behind `filter` as a file in
/// `format`, under a caption with the system and the filter.
QByteArray speaker_plot_file(const SpeakerFigures& figures, const SpeakerFilter& filter, PlotFormat format);

}  // namespace vandrel::ui
