// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// View of the 18 programmable keys: a kind code and a value each (255 = no value).

#include "model/RecordView.h"

enum class ButtonKind : std::uint8_t {
    NotDefined = 0,
    ScrollUp = 1,
    ScrollDown = 2,
    Clear = 3,
    ManualPage = 4,
    SpeedPage = 5,
    AliasPage = 6,
    Frequency = 7,
    AllMute = 8,
    Mute = 9,
    AlertTone = 10,
    Repeat = 11,
    Wildcard = 12,
    Patch = 13,
    MultiSelect = 14,
    CodedClear = 15,
    VolumeAdjust = 16,
    EnterRac = 17,
    Auxiliary = 18,
};

class ButtonTable : public RecordView {
public:
    static constexpr std::size_t kCount = layout::buttons::kCount;

    explicit ButtonTable(ConfigImage& image)
        : RecordView(image, layout::buttons::kStart,
                     layout::buttons::kCount * layout::buttons::kEntrySize, 1, 0) {}

    // The raw kind byte; any value may come from a file.
    std::uint8_t KindCode(std::size_t key) const {
        return U8(Entry(key) + layout::buttons::kKind.offset);
    }
    std::uint8_t Value(std::size_t key) const {
        return U8(Entry(key) + layout::buttons::kValue.offset);
    }
    void Set(std::size_t key, ButtonKind kind, std::uint8_t value) {
        SetU8(Entry(key) + layout::buttons::kKind.offset, static_cast<std::uint8_t>(kind));
        SetU8(Entry(key) + layout::buttons::kValue.offset, value);
    }
    void Clear(std::size_t key) { Set(key, ButtonKind::NotDefined, layout::buttons::kNoValue); }

private:
    static std::size_t Entry(std::size_t key) {
        if (key >= kCount) {
            throw std::out_of_range("button outside the table");
        }
        return key * layout::buttons::kEntrySize;
    }
};
