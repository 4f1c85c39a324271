// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four list tables seen alike: records of one size, each beginning with a
// text whose empty value marks a free slot, and the texts the records carry.

#include <cstddef>
#include <span>

#include "model/Layout.h"

// A text field of a record (its offset in the record and its width).
using TextField = layout::FieldSpec;

struct TableLayout {
    std::size_t start;
    std::size_t recordSize;
    std::size_t count;
    // Every text field of a record, the label (the free-slot text) first. A
    // moved record has its texts NUL-padded, as an editor writes them.
    std::span<const TextField> texts;

    TextField Label() const { return texts.front(); }
};

namespace list_tables {

inline constexpr TextField kManualPageTexts[] = {layout::manual_page::kLabel};
inline constexpr TableLayout kManualPages{layout::manual_page::kStart, layout::manual_page::kSize,
                                          layout::manual_page::kCount, kManualPageTexts};

inline constexpr TextField kCustomToneTexts[] = {layout::custom_tone::kNumberText};
inline constexpr TableLayout kCustomTones{layout::custom_tone::kStart, layout::custom_tone::kSize,
                                          layout::custom_tone::kCount, kCustomToneTexts};

inline constexpr TextField kSpeedPageTexts[] = {layout::speed_page::kLabel,
                                                layout::speed_page::kDigits};
inline constexpr TableLayout kSpeedPages{layout::speed_page::kStart, layout::speed_page::kSize,
                                         layout::speed_page::kCount, kSpeedPageTexts};

inline constexpr TextField kAliasTexts[] = {layout::alias::kLabel, layout::alias::kPttId};
inline constexpr TableLayout kAliases{layout::alias::kStart, layout::alias::kSize,
                                      layout::alias::kCount, kAliasTexts};

}  // namespace list_tables
