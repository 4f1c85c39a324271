// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fleet/DatabaseFields.h"

#include <algorithm>
#include <array>

#include "model/ButtonTable.h"
#include "model/ChannelRecord.h"
#include "model/DesksetSettings.h"
#include "model/deskset/ButtonsForm.h"
#include "model/deskset/ChannelCodes.h"
#include "model/deskset/ChannelFields.h"
#include "model/deskset/DesksetFields.h"
#include "model/editing/ListTables.h"
#include "model/editing/RecordTable.h"
#include "model/fleet/ListTableFields.h"

namespace {

namespace d = layout::deskset;
namespace c = layout::channel;

std::string Indexed(std::string_view name, std::size_t index) {
    return std::string(name) + "[" + std::to_string(index) + "]";
}

class Catalogue {
public:
    explicit Catalogue(ConfigImage& image) : m_image(image) {}

    std::vector<DatabaseField> Build() {
        Deskset();
        for (std::size_t k = 0; k < c::kCount; ++k) {
            Channel(k);
        }
        Buttons();
        ListTableRecords(ListTable::PagingFormats);
        ListTableRecords(ListTable::SpeedPages);
        ListTableRecords(ListTable::CustomTones);
        ListTableRecords(ListTable::Aliases);
        return std::move(m_fields);
    }

private:
    void Text(const std::string& path, std::string value) {
        m_fields.push_back({path, std::move(value), false});
    }

    // Every field of a table, a row of alike fields as name[0], name[1], ...
    void Fields(const std::string& prefix, const RecordView& record,
                std::span<const Field> fields) {
        for (const Field& field : fields) {
            const bool number = field.kind == FieldKind::Number ||
                                field.kind == FieldKind::Tenths ||
                                field.kind == FieldKind::HalfUnits;
            const std::string path = prefix + std::string(field.name);
            if (field.Count() == 1) {
                m_fields.push_back({path, ShowField(record, field), number});
                continue;
            }
            for (std::size_t k = 0; k < field.Count(); ++k) {
                m_fields.push_back({Indexed(path, k), ShowField(record, field.At(k)), number});
            }
        }
    }

    void Deskset() { Fields("deskset.", DesksetSettings(m_image), deskset_fields::kFields); }

    void Channel(std::size_t index) {
        const ChannelRecord r(m_image, index);
        const std::string p = Indexed("channels", index) + ".";
        Fields(p, r, channel_fields::kFields);
        for (std::size_t f = 0; f < c::kFrequencyCount; ++f) {
            for (const Field& field : channel_fields::kFrequencyRow) {
                if (f < field.Count()) {
                    Fields(p + Indexed("frequencies", f) + ".", r, {{field.At(f)}});
                }
            }
        }
        SignalingData(r, p);
    }

    // The option data in the layout the stored option chooses.
    void SignalingData(const ChannelRecord& r, const std::string& p) {
        switch (channel_codes::LayoutOfOption(r.U8(c::kSignalingOption))) {
            case channel_codes::OptionLayout::Dtmf:
                Fields(p + "dtmf.", r, channel_fields::dtmf::kFields);
                break;
            case channel_codes::OptionLayout::StatAlert:
                Fields(p + "stat_alert.", r, channel_fields::stat_alert::kFields);
                break;
            case channel_codes::OptionLayout::None:
                break;
        }
    }

    void Buttons() {
        const ButtonTable table(m_image);
        for (std::size_t k = 0; k < ButtonTable::kCount; ++k) {
            const ButtonEntry entry{table.KindCode(k), table.Value(k)};
            const std::string p = Indexed("buttons", k) + ".";
            const auto kind = KindName(entry.kind);
            Text(p + "kind", kind ? std::string(*kind) : std::to_string(entry.kind));
            Text(p + "function", KeyFunction(m_image, entry));
        }
    }

    // A list table's records in use, in record order, by their dialog's fields.
    void ListTableRecords(ListTable table) {
        const std::string name(InfoOf(table).path);
        std::size_t position = 0;
        for (const std::size_t record : RecordTable(m_image, *InfoOf(table).layout).UsedRecords()) {
            const std::string p = Indexed(name, position++) + ".";
            for (DatabaseField& field : RecordFields(m_image, table, record)) {
                field.path = p + field.path;
                m_fields.push_back(std::move(field));
            }
        }
    }

    ConfigImage& m_image;
    std::vector<DatabaseField> m_fields;
};

// Which bytes of the image some field of the layout covers.
std::array<bool, layout::kImageSize> NamedBytes() {
    std::array<bool, layout::kImageSize> named{};
    const auto mark = [&named](std::size_t start, std::size_t size) {
        std::fill_n(named.begin() + static_cast<std::ptrdiff_t>(start), size, true);
    };
    mark(layout::kHeader, layout::kHeaderLength);
    for (const layout::FieldSpec& field : d::kFields) {
        mark(d::Absolute(field), field.Size());
    }
    mark(layout::buttons::kStart, layout::buttons::kCount * layout::buttons::kEntrySize);
    for (std::size_t k = 0; k < c::kCount; ++k) {
        const std::size_t record = c::kStart + k * c::kSize;
        for (const layout::FieldSpec& field : c::kFields) {
            mark(record + field.offset, field.Size());
        }
        mark(record + c::kSignalingData, c::kSignalingDataSize);
    }
    // The list tables' records are fields from end to end, but for the manual
    // pages' last bytes.
    const std::pair<const TableLayout*, std::size_t> tables[] = {
        {&list_tables::kManualPages, layout::manual_page::kReservedStart},
        {&list_tables::kCustomTones, layout::custom_tone::kSize},
        {&list_tables::kSpeedPages, layout::speed_page::kSize},
        {&list_tables::kAliases, layout::alias::kSize},
    };
    for (const auto& [table, used] : tables) {
        for (std::size_t k = 0; k < table->count; ++k) {
            mark(table->start + k * table->recordSize, used);
        }
    }
    return named;
}

}  // namespace

std::vector<DatabaseField> DatabaseFields(const ConfigImage& image) {
    // The editors' loads take a writable image; they only read it.
    ConfigImage copy = image;
    return Catalogue(copy).Build();
}

std::size_t CountUnnamedByteDifferences(const ConfigImage& ours, const ConfigImage& theirs) {
    static const std::array<bool, layout::kImageSize> named = NamedBytes();
    std::size_t count = 0;
    for (std::size_t i = 0; i < layout::kImageSize; ++i) {
        count += !named[i] && ours.U8(i) != theirs.U8(i) ? 1 : 0;
    }
    return count;
}
