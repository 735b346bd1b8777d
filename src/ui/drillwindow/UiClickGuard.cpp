#include "ui/drillwindow/UiClickGuard.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace vokamo {

ClickGuard::~ClickGuard() {
    Stop();
}

void ClickGuard::Guard(QWidget* window) {
    if (!window) return;
    window_ = window;
    interval_ = GuardMs;
    since_.start();
    pressDropped_ = false;
    if (!installed_) {
        qApp->installEventFilter(this);
        installed_ = true;
    }
}

void ClickGuard::Stop() {
    if (installed_ && qApp) qApp->removeEventFilter(this);
    installed_ = false;
}

bool ClickGuard::OnGuardedWindow(QObject* watched) const {
    // Mouse events reach the widget under the mouse after its window; taking
    // them from the widget leaves the window's own bookkeeping alone.
    return window_ && watched->isWidgetType() && static_cast<QWidget*>(watched)->window() == window_;
}

bool ClickGuard::eventFilter(QObject* watched, QEvent* event) {
    const bool over = since_.elapsed() >= interval_;
    if (over && !pressDropped_) {
        Stop();
        return false;
    }
    const QEvent::Type type = event->type();
    if (!OnGuardedWindow(watched)) return false;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        if (over) {
            // A new click after the guard: it and its release go through.
            pressDropped_ = false;
            Stop();
            return false;
        }
        pressDropped_ = true;
        return true;
    }
    if (type == QEvent::MouseButtonRelease && pressDropped_) {
        // A dropped press takes its release with it, however late.
        pressDropped_ = false;
        return true;
    }
    return false;
}

}  // namespace vokamo
