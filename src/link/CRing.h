// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

// A fixed-capacity ring with a write index, a read index and an empty flag.
// Pushing into a full ring overwrites the oldest entry. Not locked: the queue
// classes that use it hold their own lock around every call.
template <typename T>
class CRing {
public:
    explicit CRing(int capacity) : m_items(capacity) {}

    void Push(const T& item) {
        if (IsFull()) {
            m_read = Next(m_read);
        }
        m_items[m_write] = item;
        m_write = Next(m_write);
        m_empty = false;
    }

    bool Pop(T& item) {
        if (m_empty) {
            return false;
        }
        item = m_items[m_read];
        m_read = Next(m_read);
        m_empty = m_read == m_write;
        return true;
    }

    void Clear() {
        m_read = m_write = 0;
        m_empty = true;
    }

    bool IsEmpty() const { return m_empty; }
    bool IsFull() const { return !m_empty && m_read == m_write; }
    int Capacity() const { return static_cast<int>(m_items.size()); }

    int Count() const {
        if (m_empty) {
            return 0;
        }
        const int used = (m_write - m_read + Capacity()) % Capacity();
        return used == 0 ? Capacity() : used;
    }

private:
    int Next(int index) const { return (index + 1) % Capacity(); }

    std::vector<T> m_items;
    int m_write = 0;
    int m_read = 0;
    bool m_empty = true;
};
