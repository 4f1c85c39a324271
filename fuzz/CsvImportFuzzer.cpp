// Any bytes as a CSV file for each table: an import that passes changes only
// its table (and, for speed pages, the keys that follow them), and what it
// wrote exports and imports again to the same bytes; one that is refused
// says why.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "FuzzSupport.h"
#include "model/ImageDefaults.h"
#include "model/editing/ListTables.h"
#include "model/fleet/TableCsv.h"

namespace {

const TableLayout& LayoutOf(CsvTable table) {
    switch (table) {
        case CsvTable::SpeedPages:
            return list_tables::kSpeedPages;
        case CsvTable::Aliases:
            return list_tables::kAliases;
        case CsvTable::CustomTones:
            break;
    }
    return list_tables::kCustomTones;
}

bool MayChange(CsvTable table, std::size_t offset) {
    const TableLayout& layout = LayoutOf(table);
    if (offset >= layout.start && offset < layout.start + layout.recordSize * layout.count) {
        return true;
    }
    return table == CsvTable::SpeedPages && offset >= layout::buttons::kStart &&
           offset < layout::buttons::kStart + layout::buttons::kCount * layout::buttons::kEntrySize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    const auto table = static_cast<CsvTable>(in.Below(3));
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
