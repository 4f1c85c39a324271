// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The talk permit tone: six numbers typed as decimal text.

#include <array>
#include <string>

#include "model/ChannelRecord.h"
#include "model/editing/Validation.h"

// In the order of the page and of the checks.
enum class TalkPermitField { TimeOut, Frequency, BeepCount, BeepDuration, PauseDuration, PostTime };
inline constexpr std::size_t kTalkPermitFieldCount = 6;

struct TalkPermitToneForm {
    std::array<std::string, kTalkPermitFieldCount> numbers;  // by TalkPermitField

    std::string& Number(TalkPermitField f) { return numbers[static_cast<std::size_t>(f)]; }
};

TalkPermitToneForm LoadTalkPermitTone(const ChannelRecord& record);
Validation<TalkPermitField> ValidateTalkPermitTone(const TalkPermitToneForm& form);
void WriteTalkPermitTone(const TalkPermitToneForm& form, ChannelRecord& record);
