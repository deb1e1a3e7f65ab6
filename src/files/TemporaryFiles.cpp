#include "TemporaryFiles.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace {

// A few at most are open at once (a save and the settings file); a handler reads these fixed
// slots without taking a lock or allocating.
struct Slot {
    std::atomic<bool> used{false};
    char path[PATH_MAX] = {};
};
std::array<Slot, 8> liveFiles;

constexpr int kEndingSignals[] = {SIGHUP,  SIGINT,  SIGQUIT, SIGTERM, SIGUSR1,   SIGUSR2,
                                  SIGALRM, SIGPIPE, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF};

void RemoveAll() {
    for (Slot& slot : liveFiles) {
        if (slot.used.load(std::memory_order_acquire))
            ::unlink(slot.path);
    }
}

extern "C" void OnEndingSignal(int number) {
    TemporaryFiles::endBySignal(number);
}

} // namespace

namespace TemporaryFiles {

void add(const QByteArray& path) {
    if (path.size() >= PATH_MAX)
        return;
    for (Slot& slot : liveFiles) {
        if (slot.used.load(std::memory_order_relaxed))
            continue;
        std::memcpy(slot.path, path.constData(), size_t(path.size()) + 1);
        slot.used.store(true, std::memory_order_release);
        return;
    }
}

void remove(const QByteArray& path) {
    for (Slot& slot : liveFiles) {
        if (slot.used.load(std::memory_order_relaxed) && path == slot.path) {
            slot.used.store(false, std::memory_order_release);
            return;
        }
    }
}

void installSignalCleanup() {
    struct sigaction action {};
    action.sa_handler = OnEndingSignal;
    sigemptyset(&action.sa_mask);
    for (int number : kEndingSignals)
        sigaddset(&action.sa_mask, number); // a second signal waits until the files are gone
    for (int number : kEndingSignals) {
        struct sigaction current {};
        if (::sigaction(number, nullptr, &current) == 0 && current.sa_handler == SIG_DFL &&
            !(current.sa_flags & SA_SIGINFO))
            ::sigaction(number, &action, nullptr);
    }
}

void endBySignal(int number) {
    RemoveAll();
    // The default action again, and this one signal let through: raising it ends the process as
    // the signal would have (a core dump for SIGQUIT and SIGXCPU, as the system is set up).
    struct sigaction defaults {};
    defaults.sa_handler = SIG_DFL;
    sigemptyset(&defaults.sa_mask);
    ::sigaction(number, &defaults, nullptr);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, number);
    ::pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(number);
    ::_exit(128 + number); // not reached: the signal has ended the process
}

} // namespace TemporaryFiles
