// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fleet/CsvText.h"

namespace {

bool NeedsQuotes(std::string_view field) {
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

bool IsBlank(const CsvRow& row) {
    return row.fields.size() == 1 && row.fields.front().empty();
}

bool EndsRecordAt(std::string_view text, std::size_t pos) {
    return text[pos] == '\n' ||
           (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n');
}

CsvDocument Refused(std::size_t line, std::string_view why) {
    return {{}, "line " + std::to_string(line) + ": " + std::string(why)};
}

}  // namespace

CsvDocument ReadCsv(std::string_view text) {
    // A NUL would end the text it is stored in; a stray quote leaves the
    // field's meaning to a guess. Both are refused rather than read.
    constexpr std::string_view kNul = "a field holds a NUL character.";
    constexpr std::string_view kStrayQuote =
        "a quote inside a field that is not quoted (quote the field and double the quote).";
    CsvDocument document;
    std::size_t line = 1;
    std::size_t pos = 0;
    while (pos < text.size()) {
        CsvRow row{line, {std::string()}};
        bool endOfRecord = false;
        while (!endOfRecord && pos < text.size()) {
            const char c = text[pos];
            std::string& field = row.fields.back();
            if (c == '\0') {
                return Refused(line, kNul);
            }
            if (c == '"' && field.empty()) {
                // A quoted field: up to the quote that is not doubled.
                const std::size_t opened = line;
                ++pos;
                for (;;) {
                    if (pos >= text.size()) {
                        return Refused(opened, "a quoted field is not closed");
                    }
                    if (text[pos] == '\0') {
                        return Refused(line, kNul);
                    }
                    if (text[pos] == '"') {
                        if (pos + 1 < text.size() && text[pos + 1] == '"') {
                            field += '"';
                            pos += 2;
                            continue;
                        }
                        ++pos;
                        break;
                    }
                    line += text[pos] == '\n' ? 1 : 0;
                    field += text[pos++];
                }
                if (pos < text.size() && text[pos] != ',' && !EndsRecordAt(text, pos)) {
                    return Refused(line, "text follows the closing quote of a field.");
                }
            } else if (c == '"') {
                return Refused(line, kStrayQuote);
            } else if (c == ',') {
                row.fields.emplace_back();
                ++pos;
            } else if (EndsRecordAt(text, pos)) {
                pos += c == '\r' ? 2 : 1;
                ++line;
                endOfRecord = true;
            } else {
                field += c;
                ++pos;
            }
        }
        if (!IsBlank(row)) {
            document.rows.push_back(std::move(row));
        }
    }
    return document;
}

std::string CsvRecord(const std::vector<std::string>& fields) {
    std::string record;
    for (std::size_t k = 0; k < fields.size(); ++k) {
        if (k > 0) {
            record += ',';
        }
        if (!NeedsQuotes(fields[k])) {
            record += fields[k];
            continue;
        }
        record += '"';
        for (const char c : fields[k]) {
            record += c == '"' ? std::string("\"\"") : std::string(1, c);
        }
        record += '"';
    }
    return record + "\r\n";
}
