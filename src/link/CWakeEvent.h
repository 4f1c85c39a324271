// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// An event that is only ever pulsed: a pulse wakes whoever waits at that
// moment. A waiter passes the generation it saw before its last piece of
// work, so a pulse that arrived during that work is not missed.
class CWakeEvent {
public:
    void Pulse();
    uint64_t Generation() const;
    // Waits until the generation differs from seenGeneration or the time runs out.
    // Returns true when woken by a pulse.
    bool WaitFor(int milliseconds, uint64_t seenGeneration);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_condition;
    uint64_t m_generation = 0;
};
