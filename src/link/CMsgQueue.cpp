// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CMsgQueue.h"

#include <algorithm>
#include <new>

bool CMsgQueue::Push(const uint8_t* bytes, int length) {
    try {
        Node node;
        node.bytes.assign(bytes, bytes + length);
        std::lock_guard lock(m_mutex);
        m_nodes.push_back(std::move(node));
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

bool CMsgQueue::Pop(uint8_t* buffer, int size, int& length) {
    std::lock_guard lock(m_mutex);
    if (m_nodes.empty()) {
        return false;
    }
    const std::vector<uint8_t>& head = m_nodes.front().bytes;
    if (static_cast<int>(head.size()) > size) {
        return false;
    }
    std::copy(head.begin(), head.end(), buffer);
    length = static_cast<int>(head.size());
    m_nodes.pop_front();
    return true;
}

int CMsgQueue::HeadLength() const {
    std::lock_guard lock(m_mutex);
    return m_nodes.empty() ? -1 : static_cast<int>(m_nodes.front().bytes.size());
}

void CMsgQueue::RemoveHead() {
    std::lock_guard lock(m_mutex);
    if (!m_nodes.empty()) {
        m_nodes.pop_front();
    }
}

void CMsgQueue::Clear() {
    std::lock_guard lock(m_mutex);
    m_nodes.clear();
}

bool CMsgQueue::IsEmpty() const {
    std::lock_guard lock(m_mutex);
    return m_nodes.empty();
}

int CMsgQueue::Count() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_nodes.size());
}

int CMsgQueue::AnnounceNext() {
    std::lock_guard lock(m_mutex);
    for (Node& node : m_nodes) {
        if (!node.announced) {
            node.announced = true;
            return static_cast<int>(node.bytes.size());
        }
    }
    return -1;
}
