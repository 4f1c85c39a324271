#include "config/deskset/AliasListFV.h"

#include "app/PttIdAlias.h"
#include "config/common/qt/Latin1.h"
#include "config/deskset/EditAliasFV.h"

AliasListFV::AliasListFV(const EditorContext& context)
    : ListWindow(context, EditorKind::AliasList,
                 {"Choose an entry to edit or add a new one.",
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

std::optional<std::size_t> AliasListFV::AddRecord() {
    return RunEditor(std::nullopt);
}

std::optional<std::size_t> AliasListFV::EditRecord(std::size_t record) {
    return RunEditor(record);
}

std::optional<std::size_t> AliasListFV::RunEditor(std::optional<std::size_t> record) {
    EditAliasFV dialog(record, this);
    return dialog.exec() == QDialog::Accepted ? dialog.WrittenRecord() : std::nullopt;
}

void AliasListFV::DeleteRecord(std::size_t record) {
    AliasRules::Delete(TheImage(), record);
}
