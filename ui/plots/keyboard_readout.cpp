// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboard_readout.h"

#include <QEvent>
#include <QLabel>

#include <algorithm>
#include <cmath>

#include "hover_view.h"

namespace vandrel::ui {
namespace {

// ISO 3's R20 series: twenty steps a decade.
constexpr double r20[] = {1, 1.12, 1.25, 1.4, 1.6, 1.8, 2, 2.24, 2.5, 2.8, 3.15, 3.55, 4, 4.5, 5, 5.6, 6.3, 7.1, 8, 9};
constexpr int steps_per_decade = 20;
constexpr int last_step = 3 * steps_per_decade;  // 1 kHz

double hz_of(int step) {
    if (step >= last_step) return 1000;
    return r20[step % steps_per_decade] * std::pow(10.0, step / steps_per_decade);
}

}  // namespace

std::optional<double> cursor_after_key(double hz, int key) {
    const int at = std::clamp(static_cast<int>(std::lround(std::log10(std::max(hz, 1.0)) * steps_per_decade)), 0, last_step);
    int to = at;
    switch (key) {
    case Qt::Key_Left: to = at - 1; break;
    case Qt::Key_Right: to = at + 1; break;
    case Qt::Key_PageDown: to = at - steps_per_decade; break;
    case Qt::Key_PageUp: to = at + steps_per_decade; break;
    case Qt::Key_Home: to = 0; break;
    case Qt::Key_End: to = last_step; break;
    default: return std::nullopt;
    }
    return hz_of(std::clamp(to, 0, last_step));
}

KeyboardReadout::KeyboardReadout(std::vector<HoverView*> views, QLabel* label, std::function<QString(double)> readout,
                                 QString hint, QObject* parent)
    : QObject(parent), views_(std::move(views)), label_(label), readout_(std::move(readout)), hint_(std::move(hint)) {
    HoverView* first = views_.front();
    summary_ = first->accessibleDescription();
    first->setFocusPolicy(Qt::StrongFocus);
    first->installEventFilter(this);
    first->set_key_handler([this](int k) { return key(k); });
    for (std::size_t i = 1; i < views_.size(); ++i) {
        views_[i]->setFocusPolicy(Qt::ClickFocus);
        views_[i]->setFocusProxy(first);
    }
    show();
}

void KeyboardReadout::set_summary(const QString& summary) {
    summary_ = summary;
    if (!focused_) views_.front()->setAccessibleDescription(summary_);
}

void KeyboardReadout::hover(std::optional<double> hz) {
    hover_ = hz;
    show();
}

void KeyboardReadout::refresh() { show(); }

std::optional<double> KeyboardReadout::cursor() const { return focused_ ? std::optional<double>(cursor_) : std::nullopt; }

bool KeyboardReadout::key(int k) {
    const std::optional<double> to = cursor_after_key(cursor_, k);
    if (!to) return false;
    cursor_ = *to;
    show();
    return true;
}

bool KeyboardReadout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == views_.front() && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        focused_ = event->type() == QEvent::FocusIn;
        show();
    }
    return QObject::eventFilter(watched, event);
}

// The readout line: where the mouse is, else at the cursor, else the hint.
// The description: the readout at the cursor while focused (setting it
// tells assistive technology), else the summary.
void KeyboardReadout::show() {
    for (HoverView* view : views_) view->set_cursor(cursor());
    const QString at_cursor = focused_ ? readout_(cursor_) : QString();
    label_->setText(hover_ ? readout_(*hover_) : focused_ ? at_cursor : hint_);
    views_.front()->setAccessibleDescription(focused_ ? at_cursor : summary_);
}

}  // namespace vandrel::ui
