#include "ui/QuitSignals.h"

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velmora {
namespace {

// The write end of the signal pipe: the one thing a handler touches.
int gSignalFd = -1;
void OnSignal(int) {
    const char byte = 1;
    if (gSignalFd >= 0) (void)!write(gSignalFd, &byte, 1);
}

}  // namespace

QuitSignals::QuitSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, fds) != 0) return;
    gSignalFd = fds[0];
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    notifier_ = std::make_unique<QSocketNotifier>(fds[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this, fd = fds[1]] {
        char byte;
        (void)!read(fd, &byte, 1);
        if (onSignal_) onSignal_();
    });
}

}  // namespace velmora
