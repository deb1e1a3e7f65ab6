#include "QuitSignals.h"

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Written by install() before any handler runs; only read inside the handler.
volatile sig_atomic_t writeEnd = -1;
int readEnd = -1;
bool handled[NSIG] = {};

void onSignal(int number) {
    const int savedErrno = errno;
    const unsigned char byte = static_cast<unsigned char>(number);
    // Non-blocking: when many signals pile up the socket is full and one more byte adds nothing.
    [[maybe_unused]] const ssize_t written = ::write(writeEnd, &byte, 1);
    errno = savedErrno;
}

bool ignoredAtStart(int number) {
    struct sigaction current {};
    return sigaction(number, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

} // namespace

namespace QuitSignals {

int install() {
    if (readEnd >= 0)
        return readEnd;
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, ends) != 0)
        return -1;
    readEnd = ends[0];
    writeEnd = ends[1];
    for (int number : kQuitSignals) {
        if (ignoredAtStart(number))
            continue;
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART; // a read or write that the signal interrupts goes on
        handled[number] = sigaction(number, &action, nullptr) == 0;
    }
    return readEnd;
}

int takePending() {
    if (readEnd < 0)
        return 0;
    int last = 0;
    unsigned char buffer[64];
    ssize_t got = 0;
    while ((got = ::read(readEnd, buffer, sizeof buffer)) > 0)
        last = buffer[got - 1];
    return last;
}

void uninstall() {
    for (int number : kQuitSignals) {
        if (handled[number])
            std::signal(number, SIG_DFL);
        handled[number] = false;
    }
    if (readEnd >= 0) {
        ::close(readEnd);
        ::close(writeEnd);
    }
    readEnd = -1;
    writeEnd = -1;
}

} // namespace QuitSignals
