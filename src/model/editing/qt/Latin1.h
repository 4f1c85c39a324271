// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one crossing between Qt strings and the image's single-byte texts
// (Latin-1). Qt Core only, so any Qt layer may include it. A character
// without a single-byte form is never turned into '?': the text ends before it.

#include <QString>
#include <string>
#include <string_view>

// How many leading characters have a single-byte form.
inline qsizetype SingleBytePrefixLength(const QString& text) {
    qsizetype n = 0;
    while (n < text.size() && text[n].unicode() <= 0xFF) {
        ++n;
    }
    return n;
}

// The text up to its first character without a single-byte form.
inline std::string ToLatin1(const QString& text) {
    return text.left(SingleBytePrefixLength(text)).toLatin1().toStdString();
}

inline QString FromLatin1(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
