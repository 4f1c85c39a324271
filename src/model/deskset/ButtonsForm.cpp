// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/ButtonsForm.h"

#include <algorithm>

#include "model/editing/ListTables.h"
#include "model/editing/RecordTable.h"

namespace {

namespace b = layout::buttons;

// How many keys may have a kind.
enum class Limit {
    Any,                 // any number, or one per value
    One,                 // one key
    OneOnSingleChannel,  // Mute: one per channel, so one on a single-channel deskset
};

// Where a kind's values come from.
enum class Values { None, PagingFormats, SpeedPages, Numbers, FrequencyPairs, MuteChannels };

struct KindRow {
    ButtonKind kind;
    std::string_view name;
    std::string_view shortLabel;
    Limit limit;
    bool fourChannelOnly;
    Values values;
    int count;  // of Numbers
};

// In the order the dialog adds them; the list shows them sorted.
constexpr KindRow kKinds[] = {
    {ButtonKind::Frequency, "Frequency", "Fq", Limit::Any, false, Values::FrequencyPairs, 8},
    {ButtonKind::NotDefined, "Not Defined", "ND", Limit::Any, false, Values::None, 0},
    {ButtonKind::ManualPage, "Manual Page", "MPg", Limit::Any, false, Values::PagingFormats, 0},
    {ButtonKind::SpeedPage, "Speed Page", "SPg", Limit::Any, false, Values::SpeedPages, 0},
    {ButtonKind::Clear, "Clear", "Clr", Limit::One, false, Values::None, 0},
    {ButtonKind::Mute, "Mute", "Mute", Limit::OneOnSingleChannel, false, Values::MuteChannels, 4},
    {ButtonKind::CodedClear, "Coded Clear", "CClr", Limit::One, false, Values::None, 0},
    {ButtonKind::Patch, "Patch", "Ptch", Limit::One, true, Values::None, 0},
    {ButtonKind::MultiSelect, "Multi Select", "MSel", Limit::One, true, Values::None, 0},
    {ButtonKind::AllMute, "All Mute", "AlMut", Limit::One, true, Values::None, 0},
    {ButtonKind::AlertTone, "Alert Tone", "AlrtT", Limit::Any, false, Values::Numbers, 3},
    {ButtonKind::Wildcard, "Wildcard", "WldC", Limit::Any, false, Values::Numbers, 2},
    {ButtonKind::Auxiliary, "Auxiliary", "Aux", Limit::Any, false, Values::Numbers, 4},
    {ButtonKind::Repeat, "Repeat", "Rep", Limit::One, false, Values::None, 0},
    {ButtonKind::ScrollUp, "Scroll Up", "Up", Limit::One, false, Values::None, 0},
    {ButtonKind::ScrollDown, "Scroll Down", "Down", Limit::One, false, Values::None, 0},
    {ButtonKind::AliasPage, "Alias Page", "APg", Limit::One, false, Values::None, 0},
    {ButtonKind::EnterRac, "Enter RAC", "RAC", Limit::One, false, Values::None, 0},
    {ButtonKind::VolumeAdjust, "Volume Adjust", "Vol", Limit::One, true, Values::None, 0},
};

const KindRow* RowOf(std::uint8_t kind) {
    for (const KindRow& row : kKinds) {
        if (static_cast<std::uint8_t>(row.kind) == kind) {
            return &row;
        }
    }
    return nullptr;
}

// The labelled records of a list table, as values record index + 1.
std::vector<ValueChoice> RecordLabels(const ConfigImage& image, const TableLayout& table) {
    std::vector<ValueChoice> values;
    const RecordTable records(image, table);
    for (const std::size_t record : records.UsedRecords()) {
        values.push_back({records.Label(record), static_cast<std::uint8_t>(record + 1)});
    }
    return values;
}

std::vector<ValueChoice> AllValues(const ConfigImage& image, const KindRow& row) {
    std::vector<ValueChoice> values;
    switch (row.values) {
        case Values::None:
            break;
        case Values::PagingFormats:
            return RecordLabels(image, list_tables::kManualPages);
        case Values::SpeedPages:
            return RecordLabels(image, list_tables::kSpeedPages);
        case Values::FrequencyPairs:
            for (int pair = 1; pair <= row.count; ++pair) {
                values.push_back({std::to_string(2 * pair - 1) + "/" + std::to_string(2 * pair),
                                  static_cast<std::uint8_t>(pair)});
            }
            break;
        case Values::Numbers:
        case Values::MuteChannels:
            for (int n = 1; n <= row.count; ++n) {
                values.push_back({std::to_string(n), static_cast<std::uint8_t>(n)});
            }
            break;
    }
    return values;
}

bool HasValueList(const KindRow& row, bool fourChannel) {
    return row.values != Values::None && (row.values != Values::MuteChannels || fourChannel);
}

}  // namespace

bool IsFourChannelDeskset(const ConfigImage& image) {
    return image.U8(layout::deskset::Absolute(layout::deskset::kDesksetType)) ==
           layout::deskset::kTypeFourChannel;
}

std::optional<std::string_view> KindName(std::uint8_t kind) {
    const KindRow* row = RowOf(kind);
    return row ? std::optional(row->name) : std::nullopt;
}

std::string KeyFunction(const ConfigImage& image, const ButtonEntry& entry) {
    const KindRow* row = RowOf(entry.kind);
    if (!row) {
        return "Unknown function " + std::to_string(entry.kind);
    }
    std::string text(row->name);
    for (const ValueChoice& value : AllValues(image, *row)) {
        if (value.value == entry.value) {
            return text + ": " + value.text;
        }
    }
    return text;
}

ButtonsWorkingCopy::ButtonsWorkingCopy(const ConfigImage& image) {
    for (std::size_t key = 0; key < m_working.size(); ++key) {
        const std::size_t start = b::kStart + key * b::kEntrySize;
        m_working[key] = {image.U8(start + b::kKind.offset), image.U8(start + b::kValue.offset)};
    }
    m_undo = m_working;
}

void ButtonsWorkingCopy::RefreshLabels(const ConfigImage& image) {
    const RecordTable formats(image, list_tables::kManualPages);
    for (std::size_t key = 0; key < m_working.size(); ++key) {
        ButtonEntry& entry = m_working[key];
        if (entry.kind == static_cast<std::uint8_t>(ButtonKind::ManualPage) &&
            (entry.value == 0 || entry.value > formats.Count() ||
             formats.IsFree(entry.value - 1u))) {
            entry = ButtonEntry{};
        }
        if (const KindRow* row = RowOf(entry.kind)) {
            m_labels[key] = row->shortLabel;
        }
    }
}

void ButtonsWorkingCopy::Change(std::size_t key, const ButtonEntry& entry) {
    m_undo.at(key) = m_working.at(key);
    m_working[key] = entry;
    m_lastChanged = key;
    m_undoRestoresAll = false;
}

void ButtonsWorkingCopy::ClearAll() {
    m_undo = m_working;
    m_working.fill(ButtonEntry{});
    m_undoRestoresAll = true;
}

void ButtonsWorkingCopy::Undo() {
    if (m_undoRestoresAll) {
        m_working = m_undo;
    } else if (m_lastChanged) {
        std::swap(m_working[*m_lastChanged], m_undo[*m_lastChanged]);
    }
}

void ButtonsWorkingCopy::WriteTo(ConfigImage& image) const {
    for (std::size_t key = 0; key < m_working.size(); ++key) {
        const std::size_t start = b::kStart + key * b::kEntrySize;
        image.SetU8(start + b::kKind.offset, m_working[key].kind);
        image.SetU8(start + b::kValue.offset, m_working[key].value);
    }
}

ButtonChoices::ButtonChoices(const ConfigImage& image, const ButtonEntries& entries,
                             std::size_t key)
    : m_image(image), m_entries(entries), m_key(key), m_fourChannel(IsFourChannelDeskset(image)) {}

bool ButtonChoices::HeldByAnother(std::uint8_t kind, std::optional<std::uint8_t> value) const {
    for (std::size_t other = 0; other < m_entries.size(); ++other) {
        if (other != m_key && m_entries[other].kind == kind &&
            (!value || m_entries[other].value == *value)) {
            return true;
        }
    }
    return false;
}

std::vector<KindChoice> ButtonChoices::Kinds() const {
    std::vector<KindChoice> kinds;
    for (const KindRow& row : kKinds) {
        const auto code = static_cast<std::uint8_t>(row.kind);
        const bool limited =
            row.limit == Limit::One || (row.limit == Limit::OneOnSingleChannel && !m_fourChannel);
        if ((row.fourChannelOnly && !m_fourChannel) || (limited && HeldByAnother(code))) {
            continue;
        }
        kinds.push_back({row.name, code});
    }
    std::sort(kinds.begin(), kinds.end(),
              [](const KindChoice& a, const KindChoice& b) { return a.name < b.name; });
    return kinds;
}

ValueList ButtonChoices::Values(std::uint8_t kind) const {
    ValueList list;
    const KindRow* row = RowOf(kind);
    if (!row || !HasValueList(*row, m_fourChannel)) {
        return list;
    }
    list.shown = true;
    for (ValueChoice& value : AllValues(m_image, *row)) {
        if (!HeldByAnother(kind, value.value)) {
            list.values.push_back(std::move(value));
        }
    }
    return list;
}

std::optional<ButtonEntry> ButtonChoices::Chosen(std::uint8_t kind,
                                                 std::optional<std::uint8_t> value) const {
    const ValueList list = Values(kind);
    if (list.shown && list.values.empty()) {
        return std::nullopt;
    }
    if (value) {
        return ButtonEntry{kind, *value};
    }
    if (kind == static_cast<std::uint8_t>(ButtonKind::Mute) && !m_fourChannel) {
        return ButtonEntry{kind, 1};
    }
    return ButtonEntry{kind, b::kNoValue};
}

std::optional<ButtonEntry> ButtonChoices::Offering(std::string_view function) const {
    for (const KindChoice& kind : Kinds()) {
        const ValueList list = Values(kind.kind);
        std::vector<ButtonEntry> entries;
        for (const ValueChoice& value : list.values) {
            entries.push_back({kind.kind, value.value});
        }
        if (!list.shown) {
            entries.push_back(*Chosen(kind.kind, std::nullopt));
        }
        for (const ButtonEntry& entry : entries) {
            if (KeyFunction(m_image, entry) == function) {
                return entry;
            }
        }
    }
    return std::nullopt;
}
