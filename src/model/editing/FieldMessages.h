// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The messages every record editor shares.

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view kDuplicateLabelMessage = "This label already exists.";
inline constexpr std::string_view kFieldsEmptyMessage =
    "All the fields must be filled out before you can continue.";

// A text longer than its field.
inline std::string TooManyCharactersMessage(std::size_t width) {
    return "Please enter no more than " + std::to_string(width) + " characters.";
}
