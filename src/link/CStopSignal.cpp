// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CStopSignal.h"

#include <chrono>

void CStopSignal::Request() {
    {
        std::lock_guard lock(m_mutex);
        m_requested = true;
    }
    m_condition.notify_all();
}

void CStopSignal::Reset() {
    std::lock_guard lock(m_mutex);
    m_requested = false;
}

bool CStopSignal::IsRequested() const {
    std::lock_guard lock(m_mutex);
    return m_requested;
}

bool CStopSignal::WaitFor(int milliseconds) {
    std::unique_lock lock(m_mutex);
    return m_condition.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                [this] { return m_requested; });
}
