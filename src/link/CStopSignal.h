// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <mutex>

// Tells a worker thread to stop, and lets it wait between its steps in a way
// that a stop request cuts short.
class CStopSignal {
public:
    void Request();
    void Reset();
    bool IsRequested() const;
    // Waits at most the given time; true when a stop was requested.
    bool WaitFor(int milliseconds);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_condition;
    bool m_requested = false;
};
