// SPDX-License-Identifier: GPL-3.0-or-later
#include "Latin1Text.h"

std::string Utf8FromLatin1(std::string_view latin1) {
    std::string utf8;
    utf8.reserve(latin1.size());
    for (const char ch : latin1) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            utf8 += ch;
        } else {
            utf8 += static_cast<char>(0xC0 | byte >> 6);
            utf8 += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return utf8;
}

std::u32string DecodeUtf8(std::string_view utf8) {
    constexpr char32_t kReplacement = 0xFFFD;
    std::u32string text;
    // Spreadsheets often start a CSV file with a byte order mark; it is no character of the text.
    std::size_t i = utf8.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        int length = 0;
        char32_t ch = 0;
        char32_t lowest = 0;  // anything below is an overlong form
        if (lead < 0x80) {
            text += lead;
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, ch = lead & 0x1F, lowest = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, ch = lead & 0x0F, lowest = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, ch = lead & 0x07, lowest = 0x10000;
        }
        int taken = 1;
        while (length > 0 && taken < length && i + taken < utf8.size() &&
               (static_cast<unsigned char>(utf8[i + taken]) & 0xC0) == 0x80) {
            ch = ch << 6 | (static_cast<unsigned char>(utf8[i + taken]) & 0x3F);
            ++taken;
        }
        const bool whole = length > 0 && taken == length && ch >= lowest && ch <= 0x10FFFF &&
                           (ch < 0xD800 || ch > 0xDFFF);
        text += whole ? ch : kReplacement;
        i += taken;
    }
    return text;
}

std::optional<std::string> Latin1FromUtf8(std::string_view utf8) {
    std::string latin1;
    for (const char32_t ch : DecodeUtf8(utf8)) {
        if (ch > 0xFF) {
            return std::nullopt;
        }
        latin1 += static_cast<char>(ch);
    }
    return latin1;
}
