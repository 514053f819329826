// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A page's plots as a file: drawn afresh at a fixed size, whatever the
// window's layout, under a one-line caption (the design, the parts, the
// subwoofer), as PNG, JPEG or SVG.

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

class QPainter;
class QWidget;

namespace vandrel::ui {

enum class PlotFormat { png, jpeg, svg };

/// The format a file name's suffix says, in any case: .png, .jpg or .jpeg,
/// .svg; nothing for any other.
std::optional<PlotFormat> plot_format_of(const QString& path);

/// The size of a saved plot, caption included, in logical pixels; PNG and
/// JPEG have twice as many pixels each way.
inline constexpr int plot_file_width = 1000;
inline constexpr int plot_file_height = 760;

/// The file of `format` with `caption`, drawn by `paint`; `title` names
/// an SVG drawing.
QByteArray plot_image(PlotFormat format, const QString& title, const QString& caption,
                      const std::function<void(QPainter&)>& paint);

/// Draws `caption` in the band at the top and `charts`, the charts of
/// `plot` (a fresh plot never shown on the screen), laid out at the file's
/// size below it.
void draw_plot(QPainter& painter, const QString& caption, QWidget* plot, QWidget* charts);

}  // namespace vandrel::ui
