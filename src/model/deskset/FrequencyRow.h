// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One transmit frequency as the signaling plan pages show it: its label, the
// list entry that selects it (a DC current or a function tone) and its talk
// permit tone detection flag.

#include <array>
#include <string>

#include "model/ChannelRecord.h"

struct FrequencyRow {
    std::string label;
    int selector = -1;  // list index; -1 no selection
    bool detection = false;
};

// Frequencies 1 to N; selectorOf(f) gives the list index frequency f's stored value selects.
template <std::size_t N, class SelectorOf>
std::array<FrequencyRow, N> LoadFrequencyRows(const ChannelRecord& record, SelectorOf selectorOf) {
    std::array<FrequencyRow, N> rows;
    for (std::size_t f = 0; f < N; ++f) {
        rows[f] = {record.Label(f), selectorOf(f), record.DetectionFlag(f)};
    }
    return rows;
}

// storeSelector(f, index) writes the value of frequency f's selected entry.
template <std::size_t N, class StoreSelector>
void StoreFrequencyRows(ChannelRecord& record, const std::array<FrequencyRow, N>& rows,
                        StoreSelector storeSelector) {
    for (std::size_t f = 0; f < N; ++f) {
        record.SetLabel(f, rows[f].label);
        storeSelector(f, rows[f].selector);
        record.SetDetectionFlag(f, rows[f].detection);
    }
}
