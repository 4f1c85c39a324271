#pragma once
// The four list tables seen alike: records of one size, each beginning with a
// text whose empty value marks a free slot, and the texts the records carry.

#include <cstddef>
#include <span>

#include "app/Layout.h"

// A text field of a record: offset in the record and width in bytes.
struct TextField {
    std::size_t offset;
    std::size_t width;
};

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

inline constexpr TextField kManualPageTexts[] = {
    {layout::manual_page::kLabel, layout::manual_page::kLabelWidth}};
inline constexpr TableLayout kManualPages{layout::manual_page::kStart, layout::manual_page::kSize,
                                          layout::manual_page::kCount, kManualPageTexts};

inline constexpr TextField kCustomToneTexts[] = {
    {layout::custom_tone::kNumberText, layout::custom_tone::kNumberWidth}};
inline constexpr TableLayout kCustomTones{layout::custom_tone::kStart, layout::custom_tone::kSize,
                                          layout::custom_tone::kCount, kCustomToneTexts};

inline constexpr TextField kSpeedPageTexts[] = {
    {layout::speed_page::kLabel, layout::speed_page::kLabelWidth},
    {layout::speed_page::kDigits, layout::speed_page::kDigitsWidth}};
inline constexpr TableLayout kSpeedPages{layout::speed_page::kStart, layout::speed_page::kSize,
                                         layout::speed_page::kCount, kSpeedPageTexts};

inline constexpr TextField kAliasTexts[] = {{layout::alias::kLabel, layout::alias::kLabelWidth},
                                            {layout::alias::kPttId, layout::alias::kPttIdWidth}};
inline constexpr TableLayout kAliases{layout::alias::kStart, layout::alias::kSize,
                                      layout::alias::kCount, kAliasTexts};

}  // namespace list_tables
