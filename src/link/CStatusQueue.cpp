// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CStatusQueue.h"

#include "link/CWakeEvent.h"

CStatusQueue::CStatusQueue() : m_ring(kCapacity) {}

void CStatusQueue::SetEvent(CWakeEvent* event) {
    std::lock_guard lock(m_mutex);
    m_event = event;
}

void CStatusQueue::Push(int code, int parameter) {
    CWakeEvent* event = nullptr;
    {
        std::lock_guard lock(m_mutex);
        m_ring.Push(Entry{code, parameter});
        event = m_event;
    }
    if (event != nullptr) {
        event->Pulse();
    }
}

bool CStatusQueue::Pop(int& code, int& parameter) {
    std::lock_guard lock(m_mutex);
    Entry entry;
    if (!m_ring.Pop(entry)) {
        return false;
    }
    code = entry.code;
    parameter = entry.parameter;
    return true;
}

bool CStatusQueue::IsEmpty() const {
    std::lock_guard lock(m_mutex);
    return m_ring.IsEmpty();
}

void CStatusQueue::Clear() {
    std::lock_guard lock(m_mutex);
    m_ring.Clear();
}
