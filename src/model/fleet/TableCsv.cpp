#include "model/fleet/TableCsv.h"

#include <map>

#include "model/ButtonTable.h"
#include "model/editing/RecordTable.h"
#include "model/editing/RecordTableEdit.h"
#include "model/fleet/CsvText.h"

namespace {

using Columns = std::vector<std::string>;

// Each row through the editor's load, checks and write, as Add and OK would do.
void ImportRows(ConfigImage& image, ListTable table, const std::vector<CsvRow>& rows,
                std::vector<std::string>& refusals) {
    const Columns columns = FieldNamesOf(table);
    for (const CsvRow& row : rows) {
        FieldValues values;
        for (std::size_t k = 0; k < columns.size(); ++k) {
            values.emplace_back(columns[k], row.fields[k]);
        }
        const RecordWrite written = WriteRecordFields(image, table, std::nullopt, values);
        if (!written.refusal.empty()) {
            refusals.push_back("line " + std::to_string(row.line) + ": " + written.refusal);
        }
    }
}

// The speed page label each Speed Page key refers to; a key that names no
// speed page in use keeps its value. The keys get their new values from
// these labels once the rows are written.
std::map<std::size_t, std::string> SpeedPageKeyLabels(ConfigImage& image) {
    std::map<std::size_t, std::string> labels;
    const ButtonTable keys(image);
    const RecordTable table(image, list_tables::kSpeedPages);
    for (std::size_t key = 0; key < ButtonTable::kCount; ++key) {
        const std::size_t value = keys.Value(key);
        if (keys.KindCode(key) == static_cast<std::uint8_t>(ButtonKind::SpeedPage) && value >= 1 &&
            value <= table.Count() && !table.IsFree(value - 1)) {
            labels[key] = table.Label(value - 1);
        }
    }
    return labels;
}

void FollowSpeedPages(ConfigImage& image, const std::map<std::size_t, std::string>& labels,
                      std::vector<std::string>& refusals) {
    ButtonTable keys(image);
    const RecordTable table(image, list_tables::kSpeedPages);
    for (const auto& [key, label] : labels) {
        if (const auto record = table.FindLabel(label)) {
            keys.Set(key, ButtonKind::SpeedPage, static_cast<std::uint8_t>(*record + 1));
        } else {
            refusals.push_back("Key " + std::to_string(key + 1) + " sends speed page \"" + label +
                               "\", which is not in the list.");
        }
    }
}

}  // namespace

std::optional<ListTable> CsvTableNamed(std::string_view name) {
    for (const ListTable table : kListTables) {
        if (InfoOf(table).csvName == name) {
            return table;
        }
    }
    return std::nullopt;
}

std::string ExportTable(const ConfigImage& image, ListTable table) {
    std::string csv = CsvRecord(FieldNamesOf(table));
    for (const std::size_t record : RecordTable(image, *InfoOf(table).layout).UsedRecords()) {
        Columns row;
        for (const DatabaseField& field : RecordFields(image, table, record)) {
            row.push_back(field.value);
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

    const bool speedPages = table == ListTable::SpeedPages;
    const auto keyLabels =
        speedPages ? SpeedPageKeyLabels(image) : std::map<std::size_t, std::string>{};
    RecordTableEdit edit(image, *InfoOf(table).layout);
    for (std::size_t record : edit.UsedRecords()) {
        edit.Free(record);
    }
    ImportRows(image, table, rows, refusals);
    if (speedPages) {
        FollowSpeedPages(image, keyLabels, refusals);
    }
    return refusals;
}
