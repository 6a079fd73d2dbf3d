#include "platform/system/CloseSignals.h"

#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace sys {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// Written by the signal handler, read on the event loop.
int pipeEnds[2] = {-1, -1};

void onSignal(int number) {
    const int saved = errno;
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
    errno = saved;
}

sigset_t closeSet() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : kSignals)
        sigaddset(&set, s);
    return set;
}

// A signal ignored when the program started (nohup, some launchers) is
// left ignored, both when the handler is installed and when it is removed.
bool ignored(int number) {
    struct sigaction current {};
    return sigaction(number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

void handleWith(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int s : kSignals)
        if (!ignored(s)) sigaction(s, &action, nullptr);
}

}  // namespace

void CloseSignals::hold() {
    const sigset_t set = closeSet();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

CloseSignals::CloseSignals(std::function<void()> close, bool listening) : close_(std::move(close)) {
    // Without a pipe the signals keep their default actions rather than
    // staying held back for ever.
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, pipeEnds) == 0) {
        notifier_ = std::make_unique<QSocketNotifier>(pipeEnds[1], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, this,
                         [this] { received(); });
        handleWith(onSignal);
    }
    if (listening) listen();
}

void CloseSignals::listen() {
    const sigset_t set = closeSet();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

CloseSignals::~CloseSignals() {
    handleWith(SIG_DFL);
    notifier_.reset();
    for (int& end : pipeEnds) {
        if (end >= 0) ::close(end);
        end = -1;
    }
}

void CloseSignals::received() {
    char bytes[64];
    while (::read(pipeEnds[1], bytes, sizeof bytes) > 0) {
    }
    if (closing_) return;
    closing_ = true;
    close_();
}

}  // namespace sys
