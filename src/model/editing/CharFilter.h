// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The character sets of the restricted edits. Such an edit cuts its text at
// the first character outside its set on every change.

#include <string>
#include <string_view>

namespace charsets {
inline constexpr std::string_view kDigits = "0123456789";
inline constexpr std::string_view kLevel = "0123456789-";
inline constexpr std::string_view kHex = "0123456789ABCDEF";
inline constexpr std::string_view kDtmf = "0123456789ABCD*#";
}  // namespace charsets

std::string CutAtFirstOutside(std::string_view text, std::string_view allowed);
bool AllWithin(std::string_view text, std::string_view allowed);
// Letters a to z become A to Z; every other character stays.
std::string ToUpperAscii(std::string_view text);
