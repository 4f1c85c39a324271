// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>

#include "link/VcomStatistics.h"

// The live link counters. Layer 2 writes them on the comm link thread; the
// owner's thread reads them at any time, so each one is an atomic.
class CStatisticsCounters {
public:
    int32_t Get(int index) const;
    void Set(int index, int32_t value);
    void Add(int index, int32_t amount = 1);
    // Sets the link state; a change from a non-zero state to 0 counts a link loss.
    void SetLinkState(int32_t state);
    VcomStatistics Snapshot() const;

private:
    std::atomic<int32_t> m_values[VcomStatistics::kCount] = {};
};
