// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <mutex>

#include "link/CRing.h"

class CWakeEvent;

// Status events (code, parameter) waiting for the session thread. Every push
// pulses the wake event; a full ring drops its oldest entry.
class CStatusQueue {
public:
    static constexpr int kCapacity = 101;

    CStatusQueue();
    void SetEvent(CWakeEvent* event);
    void Push(int code, int parameter);
    bool Pop(int& code, int& parameter);
    bool IsEmpty() const;
    void Clear();

private:
    struct Entry {
        int code = 0;
        int parameter = 0;
    };

    mutable std::mutex m_mutex;
    CRing<Entry> m_ring;
    CWakeEvent* m_event = nullptr;
};
