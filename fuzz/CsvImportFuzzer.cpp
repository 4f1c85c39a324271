// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a CSV file for each table: an import that passes changes only
// its table (and what follows its records by label), and what it
// wrote exports and imports again to the same bytes; one that is refused
// says why.

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "model/ImageDefaults.h"
#include "model/editing/ListTables.h"
#include "model/fleet/TableCsv.h"

namespace {

bool Within(const TableLayout& layout, std::size_t offset) {
    return offset >= layout.start && offset < layout.start + layout.recordSize * layout.count;
}

// A table's own records, and what follows them by label: the keys, and for
// the paging formats the speed pages sent with them.
bool MayChange(ListTable table, std::size_t offset) {
    const bool keys =
        offset >= layout::buttons::kStart &&
        offset < layout::buttons::kStart + layout::buttons::kCount * layout::buttons::kEntrySize;
    switch (table) {
        case ListTable::PagingFormats:
            return Within(list_tables::kManualPages, offset) || keys ||
                   Within(list_tables::kSpeedPages, offset);
        case ListTable::SpeedPages:
            return Within(list_tables::kSpeedPages, offset) || keys;
        default:
            return Within(*InfoOf(table).layout, offset);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    const ListTable table =
        kListTables[static_cast<std::size_t>(in.Below(static_cast<int>(std::size(kListTables))))];
    const bool withFormat = in.Flag();
    const auto rest = in.Bytes(size);
    const std::string_view csv(reinterpret_cast<const char*>(rest.data()), rest.size());

    ConfigImage before;
    SetImageDefaults(before);
    if (withFormat) {
        // A paging format for the speed pages to name.
        before.SetText(layout::manual_page::kStart, layout::manual_page::kLabelWidth, "FIRE");
        before.SetU8(layout::manual_page::kStart + layout::manual_page::kBaseFormat.offset, 18);
    }
    ConfigImage imported = before;
    if (!ImportTable(imported, table, csv).empty()) {
        return 0;  // refused: the caller keeps its own copy
    }
    for (std::size_t offset = 0; offset < ConfigImage::kSize; ++offset) {
        FUZZ_CHECK(MayChange(table, offset) || imported.U8(offset) == before.U8(offset),
                   "an import wrote outside its table");
    }
    const std::string exported = ExportTable(imported, table);
    ConfigImage again = before;
    FUZZ_CHECK(ImportTable(again, table, exported).empty(),
               "what an import wrote does not import again");
    FUZZ_CHECK(ExportTable(again, table) == exported,
               "export, import, export is not a fixed point");
    return 0;
}
