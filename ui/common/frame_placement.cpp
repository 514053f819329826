// SPDX-License-Identifier: GPL-3.0-or-later
#include "frame_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace vandrel::ui {
namespace {

// The frame of a window already on screen, as a guess of the frame a new
// window of the same program will get.
QMargins frame_of_a_shown_window(const QWidget* except) {
    for (const QWindow* shown : QGuiApplication::topLevelWindows())
        if (shown->isExposed() && shown != except->windowHandle() && !shown->frameMargins().isNull())
            return shown->frameMargins();
    return {};
}

// Places the window again once it is first exposed, then goes away.
class FirstExposure final : public QObject {
public:
    FirstExposure(QWidget* window, QScreen* screen, FrameRule rule)
        : QObject(window), window_(window), screen_(screen), rule_(std::move(rule)) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // The native window exists once the widget is shown: watch it.
        if (watched == window_ && event->type() == QEvent::Show && window_->windowHandle()) {
            window_->removeEventFilter(this);
            window_->windowHandle()->installEventFilter(this);
        } else if (watched == window_->windowHandle() && event->type() == QEvent::Expose &&
                   window_->windowHandle()->isExposed()) {
            window_->windowHandle()->removeEventFilter(this);
            place_now();
            deleteLater();
        }
        return false;
    }

private:
    void place_now() {
        if (!screen_)
            return;
        const QRect frame = window_->frameGeometry();
        const QPoint wanted = rule_(screen_->geometry(), frame.size());
        if (wanted != frame.topLeft())
            window_->move(window_->pos() + (wanted - frame.topLeft()));
    }

    QWidget* window_;
    QPointer<QScreen> screen_;
    FrameRule rule_;
};

}  // namespace

void place_by_frame(QWidget* window, QScreen* screen, FrameRule rule) {
    if (!screen)
        return;
    // Moved before its native window exists, a window's position is that of
    // its frame, and the window system is asked to place the frame there.
    const QMargins guess = frame_of_a_shown_window(window);
    const QSize outer = window->size().grownBy(guess);
    window->move(rule(screen->geometry(), outer));
    new FirstExposure(window, screen, std::move(rule));
}

}  // namespace vandrel::ui
