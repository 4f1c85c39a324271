// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/qt/CustomPageListFV.h"

#include "model/CustomPagingTone.h"
#include "model/editing/qt/Latin1.h"

namespace {

constexpr int kColumnWidth = 110;  // dialog units; the list widens it to its placeholder

}  // namespace

CustomPageListFV::CustomPageListFV(const EditorContext& context)
    : ListWindowOf(context, {"Choose a custom tone to edit or add a new one.",
                             {{"", kColumnWidth}},
                             "<No custom pages defined>",
                             layout::custom_tone::kCount}) {}

std::vector<ListWindow::Row> CustomPageListFV::Rows() const {
    // A row shows what its record holds, even a text that is not the
    // record's number (from a file); Edit and Delete act on the record.
    std::vector<Row> rows;
    for (std::size_t i = 0; i < layout::custom_tone::kCount; ++i) {
        const CustomPagingTone tone(TheImage(), i);
        if (!tone.IsFree()) {
            rows.push_back({i, {FromLatin1(tone.NumberText())}});
        }
    }
    return rows;
}

void CustomPageListFV::DeleteRecord(std::size_t record) {
    // Only the first byte; speed pages that name the tone are not checked.
    CustomPagingTone(TheImage(), record).Free();
}
