// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <mutex>

#include "link/CRing.h"

class CWakeEvent;

// Link event codes waiting for the session thread. Every push pulses the wake
// event; a full ring drops its oldest entry.
class CLinkEventQueue {
public:
    static constexpr int kCapacity = 101;

    CLinkEventQueue();
    void SetEvent(CWakeEvent* event);
    void Push(int code);
    bool Pop(int& code);
    bool IsEmpty() const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    CRing<int> m_ring;
    CWakeEvent* m_event = nullptr;
};
