// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fleet/TableCsv.h"

#include <algorithm>

#include "model/editing/RecordTable.h"
#include "model/fleet/CsvText.h"
#include "model/fleet/TableReplace.h"

using Columns = std::vector<std::string>;

std::optional<ListTable> CsvTableNamed(std::string_view name) {
    for (const ListTable table : kListTables) {
        if (InfoOf(table).csvName == name) {
            return table;
        }
    }
    return std::nullopt;
}

std::string ExportTable(const ConfigImage& image, ListTable table) {
    const Columns columns = FieldNamesOf(table);
    std::string csv = CsvRecord(columns);
    for (const std::size_t record : RecordTable(image, *InfoOf(table).layout).UsedRecords()) {
        // A paging format fills the columns of its own parameters only.
        Columns row(columns.size());
        for (const DatabaseField& field : RecordFields(image, table, record)) {
            const auto column = std::find(columns.begin(), columns.end(), field.path);
            row[static_cast<std::size_t>(column - columns.begin())] = field.value;
        }
        csv += CsvRecord(row);
    }
    return csv;
}

std::vector<std::string> ImportTable(ConfigImage& image, ListTable table, std::string_view csv) {
    const Columns columns = FieldNamesOf(table);
    const CsvDocument document = ReadCsv(csv);
    if (!document.error.empty()) {
        return {document.error};
    }
    std::vector<std::string> refusals;
    if (document.rows.empty() || document.rows.front().fields != columns) {
        std::string header = CsvRecord(columns);
        header.erase(header.size() - 2);
        return {"line 1: the first row must be the header " + header};
    }
    std::vector<CsvRow> rows(document.rows.begin() + 1, document.rows.end());
    for (const CsvRow& row : rows) {
        if (row.fields.size() != columns.size()) {
            refusals.push_back("line " + std::to_string(row.line) + ": " +
                               std::to_string(columns.size()) + " fields expected, " +
                               std::to_string(row.fields.size()) + " found.");
        }
    }
    if (!refusals.empty()) {
        return refusals;
    }

    std::vector<FieldValues> values;
    for (const CsvRow& row : rows) {
        values.emplace_back();
        for (std::size_t k = 0; k < columns.size(); ++k) {
            values.back().emplace_back(columns[k], row.fields[k]);
        }
    }
    return ReplaceTable(image, table, values,
                        [&rows](std::size_t k) { return "line " + std::to_string(rows[k].line); });
}
