// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Placing a top-level window by its outer frame: title bar and borders
// included, as the window system draws them.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <functional>

class QScreen;
class QWidget;

namespace vandrel::ui {

/// Where a window's outer frame goes: its top-left corner, from the screen's
/// geometry and the frame's outer size.
using FrameRule = std::function<QPoint(const QRect& screen, const QSize& outer)>;

/// Places `window`, a top-level window not shown yet, on `screen` by `rule`.
///
/// The window system tells a window's frame only once the window is on
/// screen. Until then the frame of a window already shown stands in for it
/// (none: no frame), and the window is placed with that guess before it is
/// shown. When it is first exposed and its real frame is known, it is placed
/// once more by the rule if it is not where the rule puts it. After that it
/// is never moved again: it stays where the user puts it, also after being
/// minimised and restored.
void place_by_frame(QWidget* window, QScreen* screen, FrameRule rule);

}  // namespace vandrel::ui
