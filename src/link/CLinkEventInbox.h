// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A link event sink for a thread of its own (torvo-cli, the benchmarks): the
// events wait in arrival order until that thread takes them out.

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>

#include "link/LinkEvent.h"

class CLinkEventInbox : public ILinkEventSink {
public:
    void Deliver(LinkEvent event) override;
    // The next event, or nothing when none arrived before the deadline.
    std::optional<LinkEvent> WaitForEvent(std::chrono::steady_clock::time_point deadline);

private:
    std::mutex m_lock;
    std::condition_variable m_arrived;
    std::deque<LinkEvent> m_events;
};
