// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/AliasListFV.h"

#include "model/PttIdAlias.h"
#include "model/editing/qt/Latin1.h"

AliasListFV::AliasListFV(const EditorContext& context)
    : ListWindowOf(context, {"Choose an entry to edit or add a new one.",
                             {{"Label", 200}, {"PTT ID", 80}},
                             "<No paging format defined>",
                             layout::alias::kCount}) {}

std::vector<ListWindow::Row> AliasListFV::Rows() const {
    // Every record in use, wherever it is: a table from a file may have gaps
    // or be out of order, and the list shows what it holds.
    std::vector<Row> rows;
    for (std::size_t i = 0; i < layout::alias::kCount; ++i) {
        const PttIdAlias alias(TheImage(), i);
        if (!alias.IsFree()) {
            rows.push_back({i, {FromLatin1(alias.Label()), FromLatin1(alias.PttId())}});
        }
    }
    return rows;
}

void AliasListFV::DeleteRecord(std::size_t record) {
    AliasRules::Delete(TheImage(), record);
}
