// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/qt/ManualPageListFV.h"

#include "app/CConfigTree.h"
#include "app/CTorvoDoc.h"
#include "app/Prompt.h"
#include "model/ManualPage.h"
#include "model/editing/qt/Latin1.h"
#include "model/paging/ManualPageForm.h"
#include "model/paging/qt/MpageRequestProtDlg.h"
#include "model/paging/qt/PagingFormatDlg.h"

ManualPageListFV::ManualPageListFV(const EditorContext& context)
    : ListWindow(context, {"Choose a format to edit or add a new one.",
                           {{"Label", 150}, {"Base Format", 150}},
                           "<No paging format defined>",
                           layout::manual_page::kCount}) {}

std::vector<ListWindow::Row> ManualPageListFV::Rows() const {
    std::vector<Row> rows;
    for (std::size_t i = 0; i < layout::manual_page::kCount; ++i) {
        const ManualPage page(TheImage(), i);
        if (!page.IsFree()) {
            rows.push_back({i,
                            {FromLatin1(page.Label()),
                             QString::fromStdString(BaseFormatName(page.BaseFormat()))}});
        }
    }
    return rows;
}

std::optional<std::size_t> ManualPageListFV::AddRecord() {
    MpageRequestProtDlg chooser(this);
    if (chooser.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const FormatEditor* editor = EditorOf(static_cast<std::uint8_t>(chooser.Chosen()));
    if (!editor) {
        return std::nullopt;
    }
    const std::optional<std::size_t> record = RunEditor(*editor, std::nullopt);
    if (record) {
        Tree().RefreshSpeedPagingItem();
    }
    return record;
}

std::optional<std::size_t> ManualPageListFV::EditRecord(std::size_t record) {
    // Plectron Two Tone and codes without a name have no editor.
    const FormatEditor* editor = EditorOf(ManualPage(TheImage(), record).BaseFormat());
    return editor ? RunEditor(*editor, record) : std::nullopt;
}

std::optional<std::size_t> ManualPageListFV::RunEditor(const FormatEditor& editor,
                                                       std::optional<std::size_t> record) {
    return PagingFormatDlg(editor, record, this).Run();
}

bool ManualPageListFV::MayDelete(std::size_t record) {
    if (const std::optional<std::string_view> refusal = DeleteRefusal(TheImage(), record)) {
        ThePrompt().Warn(FromLatin1(*refusal));
        return false;
    }
    return true;
}

void ManualPageListFV::DeleteRecord(std::size_t record) {
    FreeManualPage(TheImage(), record);
    if (!AnyManualPageExists(TheImage())) {
        Windows().CloseSpeedPagingEditor();
    }
    // The other windows show the formats too (the speed pages' format lists).
    Document().MarkModified();
    Tree().RefreshSpeedPagingItem();
}
