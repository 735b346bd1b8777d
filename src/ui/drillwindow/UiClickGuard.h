#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QWidget;

namespace vokamo {

// Keeps the clicks off a window for one double-click interval. The drill
// window's back button lies right over the main window's quit button, so
// the second click of a double click on it would otherwise quit the
// program the moment the drill window is gone.
class ClickGuard : public QObject {
public:
    using QObject::QObject;
    ~ClickGuard() override;

    // From now on, for the system's double-click interval, mouse presses on
    // `window` are dropped, together with the releases that belong to them.
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
