// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How channel values are shown as text and read back: levels, DC currents,
// tone frequencies and the stat alert RAC.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// dBm levels: -9 to -1 carry a blank after the minus sign ("- 5"), all others are plain.
std::string LevelText(int dbm);
std::optional<int> LevelFromText(std::string_view text);

// DC currents are stored in half-milliamperes and shown in mA with one decimal: -5 is "-2.5".
std::string DcCurrentText(std::int8_t halfMilliamperes);
// The text as a number, doubled and cut toward zero; an empty or unreadable text is 0.
std::int8_t DcCurrentFromText(std::string_view milliamperes);

// Tone frequencies are stored in tenths of a hertz and shown in whole hertz; 0 shows "None".
inline constexpr std::string_view kNoTone = "None";
std::string ToneText(std::uint16_t tenthsOfHz);
// The guard tone has no "None": 0 shows "0".
std::string GuardToneText(std::uint16_t tenthsOfHz);
// Whole hertz times ten; "None", an empty or unreadable text is 0.
std::uint16_t ToneFromText(std::string_view hertz);

// The default RAC: hexadecimal with capital letters, no leading zeros.
std::string RacText(std::uint16_t rac);
// One to four hexadecimal digits (either case); nothing for any other text.
std::optional<std::uint16_t> RacFromText(std::string_view text);
