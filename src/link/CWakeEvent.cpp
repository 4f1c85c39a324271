// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CWakeEvent.h"

#include <chrono>

void CWakeEvent::Pulse() {
    {
        std::lock_guard lock(m_mutex);
        ++m_generation;
    }
    m_condition.notify_all();
}

uint64_t CWakeEvent::Generation() const {
    std::lock_guard lock(m_mutex);
    return m_generation;
}

bool CWakeEvent::WaitFor(int milliseconds, uint64_t seenGeneration) {
    std::unique_lock lock(m_mutex);
    return m_condition.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                [&] { return m_generation != seenGeneration; });
}
