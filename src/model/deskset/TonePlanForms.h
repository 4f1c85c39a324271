// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two pages of the tone signaling plan: guard, encryption, monitor,
// repeater and function tone settings (part 1); the sixteen frequencies and
// the wildcard tones (part 2).

#include <array>
#include <string>

#include "model/ChannelRecord.h"
#include "model/deskset/FrequencyRow.h"
#include "model/editing/Validation.h"

class ChoiceList;
struct Field;

// A tone chosen from its field's list and stored in tenths of a hertz.
int LoadTone(const ChannelRecord& record, const Field& field);
// "None" and no selection write 0.
void StoreTone(ChannelRecord& record, const Field& field, int index);

// Part 1. The number fields are listed in the order they are checked.
enum class TonePlan1Number {
    HlgtDuration,
    HlgtLevel,
    LlgtLevel,
    FunctionToneDuration,
    FunctionToneLevel,
};
inline constexpr std::size_t kTonePlan1NumberCount = 5;
enum class TonePlan1Tone {
    Guard,
    EncryptionCoded,
    EncryptionClear,
    Monitor,
    RepeaterEnable,
    RepeaterDisable
};
inline constexpr std::size_t kTonePlan1ToneCount = 6;

struct TonePlan1Form {
    std::array<int, kTonePlan1ToneCount> tones{};  // list indexes by TonePlan1Tone; -1 none
    std::array<std::string, kTonePlan1NumberCount> numbers;  // by TonePlan1Number

    int& Tone(TonePlan1Tone t) { return tones[static_cast<std::size_t>(t)]; }
    std::string& Number(TonePlan1Number n) { return numbers[static_cast<std::size_t>(n)]; }
};

const ChoiceList& EntriesOf(TonePlan1Tone tone);
TonePlan1Form LoadTonePlan1(const ChannelRecord& record);
Validation<TonePlan1Number> ValidateTonePlan1(const TonePlan1Form& form);
void WriteTonePlan1(const TonePlan1Form& form, ChannelRecord& record);

// Part 2. Wildcards in the order of the page: 1 on, 1 off, 2 on, 2 off.
inline constexpr std::size_t kWildcardCount = 4;

struct TonePlan2Form {
    static constexpr std::size_t kFrequencies = layout::channel::kFrequencyCount;

    std::array<FrequencyRow, kFrequencies> rows;  // selector: ToneList index
    std::array<int, kWildcardCount> wildcards{};
};

TonePlan2Form LoadTonePlan2(const ChannelRecord& record);
void WriteTonePlan2(const TonePlan2Form& form, ChannelRecord& record);
