#include <signal.h>
#include <unistd.h>

#include <array>
#include <cstring>

#include "platform/InterruptCleanup.h"

namespace tabulist {

namespace {

std::array<char, 4096> pending{};  // the file's name; empty: nothing to remove
volatile sig_atomic_t armed = 0;
constexpr int Signals[] = {SIGINT, SIGTERM, SIGHUP};

void RemoveAndEnd(int signal) {
    if (armed) ::unlink(pending.data());
    // Ends as the signal would have, so the parent sees it.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

}  // namespace

void RemoveOnInterrupt(const QByteArray& name) {
    if (name.isEmpty() || size_t(name.size()) >= pending.size()) {
        ClearInterruptCleanup();
        return;
    }
    armed = 0;
    std::memcpy(pending.data(), name.constData(), size_t(name.size()) + 1);
    struct sigaction action {};
    action.sa_handler = RemoveAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int signal : Signals) sigaddset(&action.sa_mask, signal);
    for (const int signal : Signals) {
        struct sigaction old {};
        // A signal ignored when the program started (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
        ::sigaction(signal, &action, nullptr);
    }
    armed = 1;
}

void ClearInterruptCleanup() {
    armed = 0;
    for (const int signal : Signals) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == RemoveAndEnd)
            ::signal(signal, SIG_DFL);
    }
}

}  // namespace tabulist
