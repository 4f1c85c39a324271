// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CLinkEventQueue.h"

#include "link/CWakeEvent.h"

CLinkEventQueue::CLinkEventQueue() : m_ring(kCapacity) {}

void CLinkEventQueue::SetEvent(CWakeEvent* event) {
    std::lock_guard lock(m_mutex);
    m_event = event;
}

void CLinkEventQueue::Push(int code) {
    CWakeEvent* event = nullptr;
    {
        std::lock_guard lock(m_mutex);
        m_ring.Push(code);
        event = m_event;
    }
    if (event != nullptr) {
        event->Pulse();
    }
}

bool CLinkEventQueue::Pop(int& code) {
    std::lock_guard lock(m_mutex);
    return m_ring.Pop(code);
}

bool CLinkEventQueue::IsEmpty() const {
    std::lock_guard lock(m_mutex);
    return m_ring.IsEmpty();
}

void CLinkEventQueue::Clear() {
    std::lock_guard lock(m_mutex);
    m_ring.Clear();
}
