// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stat alert data of a channel.

#include <array>
#include <string>

#include "model/ChannelRecord.h"
#include "model/editing/Validation.h"

enum class StatAlertNumber {
    LeadingPretime,
    TrailingPretime,
    RacPretime,
    LimitedPatience,
    DosCoast
};
inline constexpr std::size_t kStatAlertNumberCount = 5;

// The fields a check can refuse, in the order of the checks.
enum class StatAlertField {
    LeadingPretime,
    TrailingPretime,
    DefaultRac,
    RacPretime,
    LimitedPatience,
    DosCoast,
};

inline constexpr int kStatAlertModeCount = 3;  // Leading, Trailing, No PTT ID
inline constexpr int kPretimeKindCount = 2;    // Silent, Bit sync
inline constexpr int kRacModeCount = 3;        // None, Manual, Auto
inline constexpr int kLimitedPatienceMax = 60;

struct StatAlertForm {
    int mode = -1;  // radio indexes; -1 when the stored code has no radio button
    int pretimeKind = -1;
    int racMode = -1;
    std::array<std::string, kStatAlertNumberCount> numbers;  // by StatAlertNumber
    std::string defaultRac;
    int retryConstant = -1;  // RetryConstantList index; -1 none
    bool busyTimer = false;
    bool emergencyAcknowledge = false;

    std::string& Number(StatAlertNumber n) { return numbers[static_cast<std::size_t>(n)]; }
    const std::string& Number(StatAlertNumber n) const {
        return numbers[static_cast<std::size_t>(n)];
    }
};

// From the record when it holds the stat alert layout, otherwise the stat
// alert defaults; the RAC mode is always the stored one.
StatAlertForm LoadStatAlert(const ChannelRecord& record);

// Reading the controls back refuses a limited patience that is not a number
// before any other check, as the edit's own data exchange would.
inline constexpr std::string_view kPositiveIntegerMessage = "Please enter a positive integer.";
Validation<StatAlertField> ValidateStatAlert(const StatAlertForm& form);
void WriteStatAlert(const StatAlertForm& form, ChannelRecord& record);
