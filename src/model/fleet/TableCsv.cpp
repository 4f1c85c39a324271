#include "model/fleet/TableCsv.h"

#include <map>

#include "model/ButtonTable.h"
#include "model/deskset/AliasForm.h"
#include "model/editing/RecordTableEdit.h"
#include "model/fleet/CsvText.h"
#include "model/fleet/DatabaseFields.h"
#include "model/paging/CustomToneForm.h"
#include "model/paging/SpeedPageForm.h"

namespace {

using Columns = std::vector<std::string>;

struct TableInfo {
    std::string_view name;       // on the command line
    std::string_view catalogue;  // its records' path in the field catalogue
    Columns columns;             // the catalogue's field names, in CSV order
    const TableLayout* layout;
};

const TableInfo& InfoOf(CsvTable table) {
    static const TableInfo infos[] = {
        {"speed-pages",
         "speed_pages",
         {"label", "paging_format", "digits"},
         &list_tables::kSpeedPages},
        {"aliases", "ptt_id_aliases", {"label", "ptt_id", "protocol"}, &list_tables::kAliases},
        {"custom-tones",
         "custom_tones",
         {"number", "first_tone_hz", "first_tone_ms", "intertone_delay_ms", "second_tone_hz",
          "second_tone_ms", "inhibit_delay_ms"},
         &list_tables::kCustomTones},
    };
    return infos[static_cast<int>(table)];
}

// Fills a form from a row as a user fills the dialog; a refusal when a value
// cannot be put into the dialog at all.
using Refusal = std::optional<std::string>;

Refusal Fill(const Columns& row, const ConfigImage& image, SpeedPageForm& form) {
    form.label = row[0];
    form.digits = row[2];
    form.format = -1;
    const RecordTable formats(image, list_tables::kManualPages);
    for (std::size_t k = 0; k < form.formats.size(); ++k) {
        if (formats.Label(form.formats[k].record) == row[1]) {
            form.format = static_cast<int>(k);
        }
    }
    return std::nullopt;
}

Refusal Fill(const Columns& row, const ConfigImage&, AliasForm& form) {
    form.label = row[0];
    form.pttId = FilterPttId(row[1]);
    if (row[2] == "MDC1200") {
        form.protocol = AliasProtocol::Mdc1200;
    } else if (row[2] == "DTMF") {
        form.protocol = AliasProtocol::Dtmf;
    } else {
        return "The protocol must be MDC1200 or DTMF.";
    }
    return std::nullopt;
}

Refusal Fill(const Columns& row, const ConfigImage&, CustomToneForm& form) {
    using F = CustomToneField;
    const std::pair<F, std::size_t> order[] = {
        {F::Number, 0},         {F::FirstTone, 1},  {F::FirstToneDuration, 2},
        {F::IntertoneDelay, 3}, {F::SecondTone, 4}, {F::SecondToneDuration, 5},
        {F::InhibitDelay, 6},
    };
    for (const auto& [field, column] : order) {
        form[field] = row[column];
    }
    return std::nullopt;
}

// Each row through the editor's load, checks and write, as Add and OK would do.
template <class Rules>
void ImportRows(ConfigImage& image, const std::vector<CsvRow>& rows,
                std::vector<std::string>& refusals) {
    for (const CsvRow& row : rows) {
        typename Rules::Form form = Rules::Load(image, std::nullopt);
        Refusal refusal = Fill(row.fields, image, form);
        if (!refusal) {
            const auto validation = Rules::Validate(form, image, std::nullopt);
            if (!validation.Ok()) {
                refusal = validation.message;
            }
        }
        if (refusal) {
            refusals.push_back("line " + std::to_string(row.line) + ": " + *refusal);
        } else {
            Rules::Write(form, image, std::nullopt);
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

std::optional<CsvTable> CsvTableNamed(std::string_view name) {
    for (CsvTable table : {CsvTable::SpeedPages, CsvTable::Aliases, CsvTable::CustomTones}) {
        if (InfoOf(table).name == name) {
            return table;
        }
    }
    return std::nullopt;
}

std::string ExportTable(const ConfigImage& image, CsvTable table) {
    const TableInfo& info = InfoOf(table);
    // The rows are the catalogue's records of the table: "speed_pages[3].digits".
    std::map<std::string, std::string> values;
    const std::string prefix = std::string(info.catalogue) + "[";
    std::size_t records = 0;
    for (const DatabaseField& field : DatabaseFields(image)) {
        if (field.path.starts_with(prefix)) {
            const std::size_t close = field.path.find(']');
            records = std::max<std::size_t>(
                records, std::stoul(field.path.substr(prefix.size(), close - prefix.size())) + 1);
            values[field.path] = field.value;
        }
    }
    std::string csv = CsvRecord(info.columns);
    for (std::size_t k = 0; k < records; ++k) {
        Columns row;
        for (const std::string& column : info.columns) {
            row.push_back(values[prefix + std::to_string(k) + "]." + column]);
        }
        csv += CsvRecord(row);
    }
    return csv;
}

std::vector<std::string> ImportTable(ConfigImage& image, CsvTable table, std::string_view csv) {
    const TableInfo& info = InfoOf(table);
    const CsvDocument document = ReadCsv(csv);
    if (!document.error.empty()) {
        return {document.error};
    }
    std::vector<std::string> refusals;
    if (document.rows.empty() || document.rows.front().fields != info.columns) {
        std::string header = CsvRecord(info.columns);
        header.erase(header.size() - 2);
        return {"line 1: the first row must be the header " + header};
    }
    std::vector<CsvRow> rows(document.rows.begin() + 1, document.rows.end());
    for (const CsvRow& row : rows) {
        if (row.fields.size() != info.columns.size()) {
            refusals.push_back("line " + std::to_string(row.line) + ": " +
                               std::to_string(info.columns.size()) + " fields expected, " +
                               std::to_string(row.fields.size()) + " found.");
        }
    }
    if (!refusals.empty()) {
        return refusals;
    }

    const auto keyLabels = table == CsvTable::SpeedPages ? SpeedPageKeyLabels(image)
                                                         : std::map<std::size_t, std::string>{};
    RecordTableEdit edit(image, *info.layout);
    for (std::size_t record : edit.UsedRecords()) {
        edit.Free(record);
    }
    switch (table) {
        case CsvTable::SpeedPages:
            ImportRows<SpeedPageRules>(image, rows, refusals);
            FollowSpeedPages(image, keyLabels, refusals);
            break;
        case CsvTable::Aliases:
            ImportRows<AliasRules>(image, rows, refusals);
            break;
        case CsvTable::CustomTones:
            ImportRows<CustomToneRules>(image, rows, refusals);
            break;
    }
    return refusals;
}
