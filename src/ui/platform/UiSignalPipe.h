#pragma once

#include <signal.h>

#include <QObject>
#include <QSocketNotifier>
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
    void Raised(int signalNumber);

private:
    void Drain();

    std::unique_ptr<QSocketNotifier> notifier_;
    std::vector<std::pair<int, struct ::sigaction>> previous_;
};

}  // namespace vokamo
