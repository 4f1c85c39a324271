// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CFrameQueue.h"

CFrameQueue::CFrameQueue(int capacity) : m_ring(capacity) {}

void CFrameQueue::Push(const FrameRecord& frame) {
    std::lock_guard lock(m_mutex);
    m_ring.Push(frame);
}

bool CFrameQueue::Pop(FrameRecord& frame) {
    std::lock_guard lock(m_mutex);
    return m_ring.Pop(frame);
}

int CFrameQueue::Count() const {
    std::lock_guard lock(m_mutex);
    return m_ring.Count();
}

bool CFrameQueue::IsEmpty() const {
    std::lock_guard lock(m_mutex);
    return m_ring.IsEmpty();
}

void CFrameQueue::Clear() {
    std::lock_guard lock(m_mutex);
    m_ring.Clear();
}
