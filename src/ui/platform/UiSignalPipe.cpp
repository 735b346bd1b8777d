#include "ui/platform/UiSignalPipe.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace vokamo {

namespace {

int pipeEnds[2] = {-1, -1};  // [0] read in the event loop, [1] written by the handler

void OnSignal(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], &byte, 1);
    errno = savedErrno;
}

}  // namespace

UiSignalPipe::UiSignalPipe(std::initializer_list<int> signalNumbers, QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeEnds) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &UiSignalPipe::Drain);
    relay_.setSingleShot(true);
    relay_.setInterval(0);
    connect(&relay_, &QTimer::timeout, this, [this] {
        for (const int number : std::exchange(pending_, {})) emit Raised(number);
    });
    for (const int number : signalNumbers) {
        struct sigaction action {};
        action.sa_handler = OnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        struct sigaction before {};
        if (::sigaction(number, &action, &before) == 0) previous_.emplace_back(number, before);
    }
}

UiSignalPipe::~UiSignalPipe() {
    for (const auto& [number, before] : previous_) ::sigaction(number, &before, nullptr);
    notifier_.reset();
    for (int& end : pipeEnds) {
        if (end >= 0) ::close(end);
        end = -1;
    }
}

void UiSignalPipe::Drain() {
    unsigned char byte = 0;
    while (::read(pipeEnds[0], &byte, 1) == 1) {
        pending_.push_back(byte);
        emit Arrived(byte);
    }
    if (!pending_.empty()) relay_.start();
}

}  // namespace vokamo
