// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <list>
#include <mutex>
#include <vector>

// An unbounded FIFO of whole messages, each a copy of the bytes handed in.
// Used for the session's transmit and receive message queues.
class CMsgQueue {
public:
    // Copies the bytes in; false only when memory runs out.
    bool Push(const uint8_t* bytes, int length);
    // Copies the head into buffer and removes it. Fails (and keeps the head)
    // when the queue is empty or the head is longer than size.
    bool Pop(uint8_t* buffer, int size, int& length);
    int HeadLength() const;  // -1 when empty
    void RemoveHead();
    void Clear();
    bool IsEmpty() const;
    int Count() const;
    // Marks the oldest message not yet announced and returns its length; -1 if none.
    int AnnounceNext();

private:
    struct Node {
        std::vector<uint8_t> bytes;
        bool announced = false;
    };

    mutable std::mutex m_mutex;
    std::list<Node> m_nodes;
};
