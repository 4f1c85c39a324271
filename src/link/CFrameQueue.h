// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <mutex>

#include "link/CRing.h"
#include "link/PacketFrame.h"

// A locked ring of frame records shared by the session thread (send) and the
// comm link thread (process). A push into a full ring overwrites the oldest.
class CFrameQueue {
public:
    explicit CFrameQueue(int capacity);
    void Push(const FrameRecord& frame);
    bool Pop(FrameRecord& frame);
    int Count() const;
    bool IsEmpty() const;
    void Clear();

private:
    mutable std::mutex m_mutex;
    CRing<FrameRecord> m_ring;
};
