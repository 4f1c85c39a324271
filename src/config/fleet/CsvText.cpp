#include "config/fleet/CsvText.h"

namespace {

bool NeedsQuotes(std::string_view field) {
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

bool IsBlank(const CsvRow& row) {
    return row.fields.size() == 1 && row.fields.front().empty();
}

}  // namespace

CsvDocument ReadCsv(std::string_view text) {
    CsvDocument document;
    std::size_t line = 1;
    std::size_t pos = 0;
    while (pos < text.size()) {
        CsvRow row{line, {std::string()}};
        bool endOfRecord = false;
        while (!endOfRecord && pos < text.size()) {
            const char c = text[pos];
            std::string& field = row.fields.back();
            if (c == '"' && field.empty()) {
                // A quoted field: up to the quote that is not doubled.
                const std::size_t opened = line;
                ++pos;
                for (;;) {
                    if (pos >= text.size()) {
                        document.error =
                            "line " + std::to_string(opened) + ": a quoted field is not closed";
                        return document;
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
            } else if (c == ',') {
                row.fields.emplace_back();
                ++pos;
            } else if (c == '\n' || (c == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')) {
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
