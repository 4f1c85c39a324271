// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CStatisticsCounters.h"

int32_t CStatisticsCounters::Get(int index) const {
    return m_values[index].load();
}

void CStatisticsCounters::Set(int index, int32_t value) {
    if (index == VcomStatistics::kLinkState) {
        SetLinkState(value);
        return;
    }
    m_values[index].store(value);
}

void CStatisticsCounters::Add(int index, int32_t amount) {
    m_values[index].fetch_add(amount);
}

void CStatisticsCounters::SetLinkState(int32_t state) {
    const int32_t previous = m_values[VcomStatistics::kLinkState].exchange(state);
    if (previous != 0 && state == 0) {
        m_values[VcomStatistics::kLinkLosses].fetch_add(1);
    }
}

VcomStatistics CStatisticsCounters::Snapshot() const {
    VcomStatistics copy;
    for (int i = 0; i < VcomStatistics::kCount; ++i) {
        copy.value[i] = m_values[i].load();
    }
    return copy;
}
