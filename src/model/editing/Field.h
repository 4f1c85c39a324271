// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One field of the catalogue: its name in a path ("mute_timer_s"), where it
// lies in its record, how its value reads as text, and which values its editor
// accepts. Each area declares its fields once in a table; the editors, dump,
// get, set and diff all read those tables.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "model/RecordView.h"

class ChoiceList;

enum class FieldKind {
    Number,     // decimal, a minus sign where the storage is signed; shown value = stored / scale
    Tenths,     // a frequency stored in tenths of a hertz, shown "1500.0"
    HalfUnits,  // signed halves (of a milliampere), shown "-2.5"
    List,       // a stored code that picks an entry of a list, shown as the entry
    Flag,       // 0 or not, shown "No" or "Yes"
    Text,       // single-byte characters in a fixed width
};

struct Field {
    std::string_view name{};
    layout::FieldSpec spec{};
    FieldKind kind = FieldKind::Number;
    // The range of the stored value (tenths of a hertz for a tone stored so).
    long min = 0;
    long max = 0;
    // The editor's own refusal of a value outside the range; a plain one when empty.
    std::string_view message{};
    // A Tenths value must be a multiple of this (10: whole hertz).
    long step = 1;
    // List: the entries; entry k stands for code k, or for codes[k] when given.
    // Number, Tenths, HalfUnits chosen from a list in their editor: a value is
    // accepted when entryOf gives the text of an entry.
    const ChoiceList& (*list)() = nullptr;
    std::span<const std::uint8_t> codes{};
    std::string (*entryOf)(long stored) = nullptr;
    // The editor's label, its mnemonic marked with '&', and the unit it shows after it.
    std::string_view label{};
    std::string_view unit{};

    // The fields of a row (the sixteen labels, ...) share one declaration.
    std::size_t Count() const { return spec.count; }
    Field At(std::size_t k) const;
};

// The field with the label and unit its editor shows.
constexpr Field Labeled(Field field, std::string_view label, std::string_view unit = {}) {
    field.label = label;
    field.unit = unit;
    return field;
}

// The label as the editor shows it: "Paging voi&ce annotation (sec)".
std::string LabelText(const Field& field);

// The stored value (Text fields: none).
long StoredValue(const RecordView& record, const Field& field);
// The value as dump shows it.
std::string ShowField(const RecordView& record, const Field& field);
// A stored number as dump shows it: "1500.0" for a tone, "-2.5" for halves.
std::string ShowStoredNumber(const Field& field, long stored);

// What a typed text stores, or why the editor would refuse it.
struct FieldInput {
    long stored = 0;
    std::string text{};     // Text fields
    std::string refusal{};  // empty when accepted
};
FieldInput ReadField(const Field& field, std::string_view text);
// Stores an accepted input.
void StoreField(RecordView& record, const Field& field, const FieldInput& input);

// A list entry's text with runs of spaces closed up ("1200   bps" reads "1200 bps").
std::string ClosedUp(std::string_view entry);

// Digits with a leading minus sign when signed is allowed. A very long number
// saturates instead of failing, so it is refused by its range, not as text.
std::optional<long> ParseDecimal(std::string_view text, bool allowSign);

// A frequency as typed, in tenths of a hertz: digits with at most one point,
// decimals after the first cut off (1234.56 is 12345). Exact, no floating
// point. None when the text is no such number.
std::optional<long> ParseToneTenths(std::string_view text);
// 15000 is "1500.0".
std::string ShowToneTenths(long tenths);
// -5 half-milliamperes is "-2.5".
std::string ShowHalves(long halves);
