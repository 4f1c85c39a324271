// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Database texts are single-byte characters (ISO 8859-1); the shell and CSV
// files are UTF-8.

#include <optional>
#include <string>
#include <string_view>

std::string Utf8FromLatin1(std::string_view latin1);

// UTF-8 text in single-byte characters; none when a character has no such form.
std::optional<std::string> Latin1FromUtf8(std::string_view utf8);

// The characters of UTF-8 text, each malformed sequence read as U+FFFD
// (which has no single-byte form, like every character above U+00FF). A
// leading byte order mark is left out.
std::u32string DecodeUtf8(std::string_view utf8);
