// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/StopRequests.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

namespace stop_requests {

namespace {

std::atomic<bool>* g_flag = nullptr;
static_assert(std::atomic<bool>::is_always_lock_free);

void SetFlag(int) {
    if (g_flag != nullptr) {
        g_flag->store(true);
    }
}

sigset_t StopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGHUP);
    return signals;
}

}  // namespace

void SetFlagOnStop(std::atomic<bool>& flag) {
    g_flag = &flag;
    struct sigaction action {};
    action.sa_handler = SetFlag;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

void PrepareToWaitForStop() {
    // Blocked in this thread and so in every thread it starts: only the
    // waiting thread takes them.
    const sigset_t signals = StopSignals();
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
}

void WaitForStop() {
    const sigset_t signals = StopSignals();
    int signal = 0;
    sigwait(&signals, &signal);
}

bool ErrorStreamIsTerminal() {
    return ::isatty(STDERR_FILENO) != 0;
}

bool ErrorStreamTakesCursorMoves() {
    return ErrorStreamIsTerminal();
}

}  // namespace stop_requests
