#include "ui/mainwindow/UiFirstPaint.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace vokamo {

FirstPaintHook::FirstPaintHook(QWidget& window, QTimer& deadline, std::function<void()> work)
    : window_(&window), deadline_(&deadline), work_(std::move(work)) {
    window.installEventFilter(this);
    deadline.installEventFilter(this);
}

FirstPaintHook::~FirstPaintHook() {
    Detach();
}

void FirstPaintHook::Detach() {
    if (window_) window_->removeEventFilter(this);
    if (deadline_) deadline_->removeEventFilter(this);
}

void FirstPaintHook::RunNow() {
    if (done_) return;
    done_ = true;
    Detach();
    if (work_) work_();
    work_ = nullptr;  // lets go of whatever the work held on to
}

bool FirstPaintHook::eventFilter(QObject* watched, QEvent* event) {
    if (!done_) {
        if (watched == deadline_ && event->type() == QEvent::Timer) {
            RunNow();
        } else if (watched == window_ && event->type() == QEvent::Paint && !queued_) {
            // Not inside the paint: the window's children are painted and the
            // picture goes to the screen in the same pass, after this event.
            queued_ = true;
            QMetaObject::invokeMethod(this, &FirstPaintHook::RunNow, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace vokamo
