#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

class QTimer;
class QWidget;

namespace vokamo {

// Runs a piece of start-up work once, right after `window` has first been
// painted, so that the pupil sees the window before the work begins; but
// never later than the first tick of `deadline`: if that timer fires before
// any paint has come, the work runs at once, before the timer's own handlers.
// The program uses it to build the windows that stay hidden at start.
class FirstPaintHook : public QObject {
public:
    FirstPaintHook(QWidget& window, QTimer& deadline, std::function<void()> work);
    ~FirstPaintHook() override;
    FirstPaintHook(const FirstPaintHook&) = delete;
    FirstPaintHook& operator=(const FirstPaintHook&) = delete;

    // Whether the work has run.
    bool Done() const { return done_; }
    // Runs the work now unless it has run already.
    void RunNow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Detach();

    QPointer<QWidget> window_;
    QPointer<QTimer> deadline_;
    std::function<void()> work_;
    bool done_ = false;
    bool queued_ = false;
};

}  // namespace vokamo
