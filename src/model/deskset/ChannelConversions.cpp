// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/ChannelConversions.h"

#include <charconv>
#include <cstdio>
#include <limits>

#include "model/editing/Field.h"

std::string LevelText(int dbm) {
    if (dbm >= -9 && dbm <= -1) {
        std::string text = "- ";
        text += std::to_string(-dbm);
        return text;
    }
    return std::to_string(dbm);
}

std::optional<int> LevelFromText(std::string_view text) {
    bool negative = false;
    if (text.starts_with('-')) {
        negative = true;
        text.remove_prefix(1);
        if (text.starts_with(' ')) {
            text.remove_prefix(1);
        }
    }
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        !(text[0] >= '0' && text[0] <= '9')) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string DcCurrentText(std::int8_t halfMilliamperes) {
    return ShowHalves(halfMilliamperes);
}

std::int8_t DcCurrentFromText(std::string_view milliamperes) {
    double value = 0;
    const auto [end, error] =
        std::from_chars(milliamperes.data(), milliamperes.data() + milliamperes.size(), value);
    if (milliamperes.empty() || error != std::errc{}) {
        return 0;
    }
    const double doubled = value * 2;
    constexpr double kLow = std::numeric_limits<std::int8_t>::min();
    constexpr double kHigh = std::numeric_limits<std::int8_t>::max();
    return static_cast<std::int8_t>(doubled < kLow ? kLow : doubled > kHigh ? kHigh : doubled);
}

std::string ToneText(std::uint16_t tenthsOfHz) {
    return tenthsOfHz / 10 == 0 ? std::string(kNoTone) : GuardToneText(tenthsOfHz);
}

std::string GuardToneText(std::uint16_t tenthsOfHz) {
    return std::to_string(tenthsOfHz / 10);
}

std::uint16_t ToneFromText(std::string_view hertz) {
    unsigned value = 0;
    const auto [end, error] = std::from_chars(hertz.data(), hertz.data() + hertz.size(), value);
    if (hertz.empty() || error != std::errc{} || end != hertz.data() + hertz.size() ||
        value > std::numeric_limits<std::uint16_t>::max() / 10) {
        return 0;
    }
    return static_cast<std::uint16_t>(value * 10);
}

std::string RacText(std::uint16_t rac) {
    char text[8];
    std::snprintf(text, sizeof text, "%X", static_cast<unsigned>(rac));
    return text;
}

std::optional<std::uint16_t> RacFromText(std::string_view text) {
    if (text.empty() || text.size() > 4) {
        return std::nullopt;
    }
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return static_cast<std::uint16_t>(value);
}
