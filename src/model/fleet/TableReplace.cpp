// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fleet/TableReplace.h"

#include "model/ButtonTable.h"
#include "model/SpeedPage.h"
#include "model/editing/RecordTable.h"
#include "model/editing/RecordTableEdit.h"

namespace {

// Something that names a record of the replaced table by its place, and the
// label of that record.
struct Reference {
    enum class Holder { Key, SpeedPage } holder;
    std::size_t index;  // the key, or the speed page's record
    std::string label;
};

ButtonKind KeyKindOf(ListTable table) {
    return table == ListTable::SpeedPages ? ButtonKind::SpeedPage : ButtonKind::ManualPage;
}

std::vector<Reference> ReferencesTo(ConfigImage& image, ListTable table) {
    std::vector<Reference> references;
    if (table != ListTable::SpeedPages && table != ListTable::PagingFormats) {
        return references;
    }
    const RecordTable records(image, *InfoOf(table).layout);
    const auto used = [&records](std::size_t record) {
        return record < records.Count() && !records.IsFree(record);
    };
    const ButtonTable keys(image);
    for (std::size_t key = 0; key < ButtonTable::kCount; ++key) {
        const std::size_t value = keys.Value(key);
        if (keys.KindCode(key) == static_cast<std::uint8_t>(KeyKindOf(table)) && value >= 1 &&
            used(value - 1)) {
            references.push_back({Reference::Holder::Key, key, records.Label(value - 1)});
        }
    }
    if (table == ListTable::PagingFormats) {
        for (const std::size_t page : RecordTable(image, list_tables::kSpeedPages).UsedRecords()) {
            const std::size_t format = SpeedPage(image, page).PagingFormat();
            if (used(format)) {
                references.push_back({Reference::Holder::SpeedPage, page, records.Label(format)});
            }
        }
    }
    return references;
}

void Follow(ConfigImage& image, ListTable table, const std::vector<Reference>& references,
            std::vector<std::string>& refusals) {
    const std::string what = table == ListTable::SpeedPages ? "speed page" : "paging format";
    const RecordTable records(image, *InfoOf(table).layout);
    for (const Reference& reference : references) {
        const auto record = records.FindLabel(reference.label);
        if (reference.holder == Reference::Holder::Key) {
            if (record) {
                ButtonTable(image).Set(reference.index, KeyKindOf(table),
                                       static_cast<std::uint8_t>(*record + 1));
            } else {
                refusals.push_back("Key " + std::to_string(reference.index + 1) + " sends " + what +
                                   " \"" + reference.label + "\", which is not in the list.");
            }
            continue;
        }
        SpeedPage page(image, reference.index);
        if (record) {
            page.SetPagingFormat(static_cast<std::uint8_t>(*record));
        } else {
            refusals.push_back("Speed page \"" + page.Label() + "\" is sent with paging format \"" +
                               reference.label + "\", which is not in the list.");
        }
    }
}

}  // namespace

std::vector<std::string> ReplaceTable(ConfigImage& image, ListTable table,
                                      const std::vector<FieldValues>& rows,
                                      const std::function<std::string(std::size_t)>& where) {
    const std::vector<Reference> references = ReferencesTo(image, table);
    RecordTableEdit edit(image, *InfoOf(table).layout);
    for (const std::size_t record : edit.UsedRecords()) {
        edit.Free(record);
    }
    std::vector<std::string> refusals;
    for (std::size_t row = 0; row < rows.size(); ++row) {
        const RecordWrite written = WriteRecordFields(image, table, std::nullopt, rows[row]);
        if (!written.refusal.empty()) {
            refusals.push_back(where(row) + ": " + written.refusal);
        }
    }
    Follow(image, table, references, refusals);
    return refusals;
}
