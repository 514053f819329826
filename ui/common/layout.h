// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sizes, fonts and colours shared by Vandrel's windows.
//
// The windows were laid out in twips at 12 twips per pixel (120 dots per
// inch). Qt works in logical pixels and scales them on HiDPI screens, so a
// design size in twips divided by 12 gives the logical pixels to use.

#include <QColor>
#include <QFont>
#include <QRect>

namespace vandrel::ui {

inline constexpr double twips_per_pixel = 12.0;

/// Logical pixels for a length in twips, rounded to the nearest pixel.
constexpr int px(double twips) {
    const double p = twips / twips_per_pixel;
    return static_cast<int>(p < 0 ? p - 0.5 : p + 0.5);
}

/// A control's rectangle from its design Left, Top, Width and Height in twips.
inline QRect twips_rect(double left, double top, double width, double height) {
    return {px(left), px(top), px(width), px(height)};
}

/// Background of both windows, of the circuit pictures and of read-only fields.
inline const QColor panel_colour{224, 224, 224};
/// Result texts, the About window's version line and the response curve.
inline const QColor result_colour{55, 106, 240};

/// The dialog font: a close sans-serif for "MS Sans Serif" 7.8 point, sized in
/// pixels so it keeps its place in the twips layout (7.8 pt at 120 dpi = 13 px).
QFont dialog_font(bool bold = false, bool underline = false);

}  // namespace vandrel::ui
