#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QWidget;

namespace vokamo {

// Keeps the clicks off a window for a second. The drill window's back
// button lies right over the main window's quit button, so a second click
// on it, even a slow one, would otherwise quit the program the moment the
// drill window is gone.
class ClickGuard : public QObject {
public:
    using QObject::QObject;
    ~ClickGuard() override;

    // Longer than any double click, and longer than a young pupil takes to
    // click twice on a button that seems not to answer.
    static constexpr int GuardMs = 1000;

    // From now on, for GuardMs, mouse presses on `window` are dropped,
    // together with the releases that belong to them.
    void Guard(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnGuardedWindow(QObject* watched) const;
    void Stop();

    QPointer<QWidget> window_;
    QElapsedTimer since_;
    int interval_ = 0;
    bool installed_ = false;
    bool pressDropped_ = false;
};

}  // namespace vokamo
