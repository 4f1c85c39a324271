// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <optional>

// Runs a function in a forked child process, for tests whose two ends must be
// separate programs. Fork while the test has no thread of its own running:
// the child starts its own. Every wait is bounded; a child still running when
// the object goes is killed.
class CChildProcess {
public:
    // The child runs body and ends with its result as exit code (100 when it
    // throws), without running the parent's exit handlers.
    explicit CChildProcess(const std::function<int()>& body);
    ~CChildProcess();
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    bool IsStarted() const { return m_pid > 0; }
    // The exit code; nothing when the child did not end in time or was killed.
    std::optional<int> Wait(std::chrono::milliseconds timeout);
    void Kill();

private:
    pid_t m_pid = -1;
    bool m_reaped = false;
    int m_status = 0;
};
