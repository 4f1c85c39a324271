// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DC signaling plan: labels, currents and detection flags of frequencies
// 1 to 4 and the monitor current. Every value comes from a list or is a
// label, so the page has no checks.

#include <array>

#include "model/ChannelRecord.h"
#include "model/deskset/FrequencyRow.h"

struct DcPlanForm {
    static constexpr std::size_t kFrequencies = layout::channel::kDcFrequencyCount;

    std::array<FrequencyRow, kFrequencies> rows;  // selector: DcCurrentList index
    int monitor = -1;
};

DcPlanForm LoadDcPlan(const ChannelRecord& record);
// Frequencies 5 to 16 keep what they hold. An unselected current writes 0.
void WriteDcPlan(const DcPlanForm& form, ChannelRecord& record);
