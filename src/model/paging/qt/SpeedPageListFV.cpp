// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/qt/SpeedPageListFV.h"

#include "app/Prompt.h"
#include "model/SpeedPage.h"
#include "model/editing/qt/Latin1.h"

SpeedPageListFV::SpeedPageListFV(const EditorContext& context)
    : ListWindowOf(context, {"Choose an entry to edit or add a new one.",
                             {{"Label", 175}, {"Base Format", 175}},
                             "<No paging format defined>",
                             layout::speed_page::kCount}) {}

std::vector<ListWindow::Row> SpeedPageListFV::Rows() const {
    std::vector<Row> rows;
    for (std::size_t i = 0; i < layout::speed_page::kCount; ++i) {
        const SpeedPage page(TheImage(), i);
        if (!page.IsFree()) {
            rows.push_back({i,
                            {FromLatin1(page.Label()),
                             FromLatin1(PagingFormatText(TheImage(), page.PagingFormat()))}});
        }
    }
    return rows;
}

bool SpeedPageListFV::MayDelete(std::size_t record) {
    if (const std::optional<std::string_view> refusal =
            SpeedPageDeleteRefusal(TheImage(), record)) {
        ThePrompt().Warn(FromLatin1(*refusal));
        return false;
    }
    return true;
}

void SpeedPageListFV::DeleteRecord(std::size_t record) {
    DeleteSpeedPage(TheImage(), record);
}
