// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// View of one custom paging tone record. The record index is the tone's
// number (0..99); the record repeats it as text. Tones are in tenths of a
// hertz, durations in ms.

#include "model/RecordView.h"

class CustomPagingTone : public RecordView {
public:
    CustomPagingTone(ConfigImage& image, std::size_t number)
        : RecordView(image, layout::custom_tone::kStart, layout::custom_tone::kSize,
                     layout::custom_tone::kCount, number) {}

    std::string NumberText() const { return Text(layout::custom_tone::kNumberText); }
    bool IsFree() const { return U8(layout::custom_tone::kNumberText) == 0; }
    std::uint16_t FirstTone() const { return U16(layout::custom_tone::kFirstTone); }
    std::uint16_t FirstToneDuration() const { return U16(layout::custom_tone::kFirstToneDuration); }
    std::uint16_t IntertoneDelay() const { return U16(layout::custom_tone::kIntertoneDelay); }
    std::uint16_t SecondTone() const { return U16(layout::custom_tone::kSecondTone); }
    std::uint16_t SecondToneDuration() const {
        return U16(layout::custom_tone::kSecondToneDuration);
    }
    std::uint16_t InhibitDelay() const { return U16(layout::custom_tone::kInhibitDelay); }

    void SetNumberText(std::string_view text) { SetText(layout::custom_tone::kNumberText, text); }
    void SetFirstTone(std::uint16_t tenths) { SetU16(layout::custom_tone::kFirstTone, tenths); }
    void SetFirstToneDuration(std::uint16_t ms) {
        SetU16(layout::custom_tone::kFirstToneDuration, ms);
    }
    void SetIntertoneDelay(std::uint16_t ms) { SetU16(layout::custom_tone::kIntertoneDelay, ms); }
    void SetSecondTone(std::uint16_t tenths) { SetU16(layout::custom_tone::kSecondTone, tenths); }
    void SetSecondToneDuration(std::uint16_t ms) {
        SetU16(layout::custom_tone::kSecondToneDuration, ms);
    }
    void SetInhibitDelay(std::uint16_t ms) { SetU16(layout::custom_tone::kInhibitDelay, ms); }
    // Only the first byte is cleared; the rest of the record stays as it was.
    void Free() { SetU8(layout::custom_tone::kNumberText, 0); }
};
