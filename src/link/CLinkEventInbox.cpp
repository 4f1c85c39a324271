// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CLinkEventInbox.h"

void CLinkEventInbox::Deliver(LinkEvent event) {
    {
        const std::lock_guard lock(m_lock);
        m_events.push_back(std::move(event));
    }
    m_arrived.notify_one();
}

std::optional<LinkEvent> CLinkEventInbox::WaitForEvent(
    std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(m_lock);
    if (!m_arrived.wait_until(lock, deadline, [this] { return !m_events.empty(); })) {
        return std::nullopt;
    }
    LinkEvent event = std::move(m_events.front());
    m_events.pop_front();
    return event;
}
