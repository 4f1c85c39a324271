// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DTMF data of a channel, shared by DTMF decode and DTMF selective call.

#include <array>
#include <string>

#include "model/ChannelRecord.h"
#include "model/editing/Validation.h"

enum class DtmfField { DigitDuration, InterdigitTiming };
inline constexpr std::size_t kDtmfNumberCount = 2;

struct DtmfForm {
    int minDigits = -1;  // DigitCountList indexes (value - 1); -1 none
    int maxDigits = -1;
    std::array<std::string, kDtmfNumberCount> numbers;  // by DtmfField

    std::string& Number(DtmfField f) { return numbers[static_cast<std::size_t>(f)]; }
};

// From the record when it holds the DTMF layout, otherwise the DTMF defaults.
DtmfForm LoadDtmf(const ChannelRecord& record);
Validation<DtmfField> ValidateDtmf(const DtmfForm& form);
void WriteDtmf(const DtmfForm& form, ChannelRecord& record);

// A minimum above the maximum raises the maximum to it; a maximum below the
// minimum lowers the minimum to it.
void ChooseMinDigits(DtmfForm& form, int index);
void ChooseMaxDigits(DtmfForm& form, int index);
