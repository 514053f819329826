// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The plots as files: the level and group-delay charts, or the Subwoofer
// page's, drawn afresh at a fixed size, whatever the window's layout, under
// a one-line caption with the design and the parts (and the subwoofer).

#include <QByteArray>
#include <QString>

#include <optional>

#include "parts_model.h"
#include "speaker_model.h"

namespace vandrel::ui {

enum class PlotFormat { png, jpeg, svg };

/// The format a file name's suffix says, in any case: .png, .jpg or .jpeg,
/// .svg; nothing for any other.
std::optional<PlotFormat> plot_format_of(const QString& path);

/// The size of a saved plot, caption included, in logical pixels; PNG and
/// JPEG have twice as many pixels each way.
inline constexpr int plot_file_width = 1000;
inline constexpr int plot_file_height = 760;

/// The plot of `figures` (buildable) in `format`.
QByteArray plot_file(const PartsFigures& figures, PlotFormat format);

/// The Subwoofer page's plots of `figures` (analysed) behind `filter` in
/// `format`, at the same size.
QByteArray speaker_plot_file(const SpeakerFigures& figures, const SpeakerFilter& filter, PlotFormat format);

}  // namespace vandrel::ui
