#pragma once

#include <signal.h>

#include <QObject>
#include <QSocketNotifier>
#include <QTimer>
#include <initializer_list>
#include <memory>
#include <vector>

namespace vokamo {

// Turns POSIX signals (SIGTERM, SIGHUP, SIGINT: the desktop session or the
// terminal ending) into a Qt signal in the event loop. The handler only
// writes the signal's number into a socket pair, so nothing that is unsafe
// in a signal handler (a save above all) ever runs inside one. One pipe at
// a time; the handlers that were there before come back when it is gone.
class UiSignalPipe : public QObject {
    Q_OBJECT

public:
    explicit UiSignalPipe(std::initializer_list<int> signalNumbers, QObject* parent = nullptr);
    ~UiSignalPipe() override;

signals:
    // At once, in whatever event loop runs (a sound's wait included): for
    // cutting waits short.
    void Arrived(int signalNumber);
    // From the program's own loop, through a zero timer: never inside a
    // wait that holds timers back, so the end never runs in the middle of
    // a handler that waits for a sound.
    void Raised(int signalNumber);

private:
    void Drain();

    std::unique_ptr<QSocketNotifier> notifier_;
    QTimer relay_;
    std::vector<int> pending_;
    std::vector<std::pair<int, struct ::sigaction>> previous_;
};

}  // namespace vokamo
