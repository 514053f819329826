// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A plot read from the keyboard: a cursor that the keys move along the
// frequency axis, its values on the readout line and, for a screen reader,
// as the plot's description.

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QLabel;

namespace vandrel::ui {

class HoverView;

/// Where a key moves a plot's cursor from `hz`, over the R20 preferred
/// numbers from 1 Hz to 1 kHz (1, 1.12, 1.25, 1.4, 1.6, 1.8, 2, 2.24 ... 9 a
/// decade; `hz` taken at the nearest): Left and Right a step down or up,
/// Page Down and Page Up a decade, Home and End to 1 Hz and 1 kHz. None for
/// any other key.
std::optional<double> cursor_after_key(double hz, int key);

/// Where the cursor starts, Hz.
inline constexpr double cursor_start_hz = 20;

/// The keyboard's readout of a plot of several views. The first view takes
/// the focus (Tab stops there; a click on another gives it to the first).
/// While it has the focus, a line marks the cursor on every view, the
/// readout label shows the values there and the first view's accessible
/// description is that readout, which a screen reader is told of at every
/// move. Without the focus the description is the plot's summary again.
class KeyboardReadout final : public QObject {
public:
    KeyboardReadout(std::vector<HoverView*> views, QLabel* label, std::function<QString(double hz)> readout,
                    QString hint, QObject* parent);

    /// The plot's key figures in words: the first view's description
    /// without the focus.
    void set_summary(const QString& summary);
    /// The mouse at `hz`, or gone (none): the readout line follows it.
    void hover(std::optional<double> hz);
    /// The figures changed: the readout anew at the cursor.
    void refresh();
    /// The cursor while the plot has the focus, Hz.
    std::optional<double> cursor() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool key(int key);
    void show();

    std::vector<HoverView*> views_;
    QLabel* label_;
    std::function<QString(double)> readout_;
    QString hint_;
    QString summary_;
    double cursor_ = cursor_start_hz;
    bool focused_ = false;
    std::optional<double> hover_;
};

}  // namespace vandrel::ui
