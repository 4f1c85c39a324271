// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The duration fields of the paging editors (paging formats and custom paging
// tones): whole milliseconds from 0 to 60000, typed as digits. A pasted
// fraction is accepted and truncated toward zero.

#include <optional>
#include <string>
#include <string_view>

inline constexpr long kDurationMax = 60000;  // ms

inline constexpr std::string_view kNotANumberMessage = "Please enter a number.";
inline constexpr std::string_view kDurationRangeMessage =
    "Please enter a number between 0 and 60000.";

// A duration as typed: digits with an optional fraction (a pasted "12.9"),
// truncated toward zero; none when the text is no number.
std::optional<long> ParseDuration(std::string_view text);
// Why OK refuses the text, none when it is a duration.
std::optional<std::string_view> DurationRefusal(std::string_view text);
// While typing, a value above the maximum becomes the maximum. True when the
// text was replaced.
bool CutDuration(std::string& text);
