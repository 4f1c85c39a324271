// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Comma-separated text as RFC 4180 writes it: fields holding a comma, a quote
// or a line break are quoted, quotes doubled, records end with CRLF. The
// reader takes LF endings too, and refuses a NUL anywhere, a quote inside a
// field that is not quoted and text after a field's closing quote.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct CsvRow {
    std::size_t line = 0;  // where the record starts, from 1
    std::vector<std::string> fields;
};

struct CsvDocument {
    std::vector<CsvRow> rows;  // blank lines are skipped
    std::string error;         // "line N: ..." for text that is not CSV or holds a NUL
};

CsvDocument ReadCsv(std::string_view text);
std::string CsvRecord(const std::vector<std::string>& fields);
