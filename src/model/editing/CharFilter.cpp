// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/CharFilter.h"

std::string CutAtFirstOutside(std::string_view text, std::string_view allowed) {
    const std::size_t cut = text.find_first_not_of(allowed);
    return std::string(text.substr(0, cut));
}

bool AllWithin(std::string_view text, std::string_view allowed) {
    return text.find_first_not_of(allowed) == std::string_view::npos;
}

std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}
