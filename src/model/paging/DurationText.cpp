// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/DurationText.h"

#include <limits>

namespace {

std::optional<double> ParseDecimalFraction(std::string_view text) {
    constexpr double kCeiling = std::numeric_limits<int>::max();
    double value = 0;
    double weight = 0;  // 0 before the point, then the place of the next digit
    bool anyDigit = false;
    for (const char c : text) {
        if (c == '.' && weight == 0) {
            weight = 0.1;
        } else if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (weight == 0) {
                value = value >= kCeiling ? kCeiling : value * 10 + (c - '0');
            } else {
                value += weight * (c - '0');
                weight /= 10;
            }
        } else {
            return std::nullopt;
        }
    }
    return anyDigit ? std::optional<double>(value) : std::nullopt;
}

}  // namespace

std::optional<long> ParseDuration(std::string_view text) {
    const std::optional<double> value = ParseDecimalFraction(text);
    return value ? std::optional<long>(static_cast<long>(*value)) : std::nullopt;
}

std::optional<std::string_view> DurationRefusal(std::string_view text) {
    const std::optional<double> value = ParseDecimalFraction(text);
    if (!value) {
        return kNotANumberMessage;
    }
    // 60000.5 is refused, though it would be stored as 60000.
    if (*value > kDurationMax) {
        return kDurationRangeMessage;
    }
    return std::nullopt;
}

bool CutDuration(std::string& text) {
    const std::optional<double> value = ParseDecimalFraction(text);
    if (!value || *value <= kDurationMax) {
        return false;
    }
    text = std::to_string(kDurationMax);
    return true;
}
