// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/Field.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "model/editing/ChoiceList.h"

namespace {

bool IsSigned(const Field& field) {
    return field.spec.storage == layout::Storage::S8 || field.kind == FieldKind::HalfUnits;
}

// The list entry a stored code picks, -1 for none.
int EntryOfCode(const Field& field, long code) {
    if (field.codes.empty()) {
        return field.list().IndexOfCode(static_cast<int>(code));
    }
    for (std::size_t k = 0; k < field.codes.size(); ++k) {
        if (field.codes[k] == code) {
            return static_cast<int>(k);
        }
    }
    return -1;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string joined;
    for (const std::string& text : texts) {
        joined += (joined.empty() ? "" : ", ") + text;
    }
    return joined;
}

std::string RangeMessage(const Field& field) {
    return "Please enter a number between " + ShowStoredNumber(field, field.min) + " and " +
           ShowStoredNumber(field, field.max) + ".";
}

// Halves as typed: "-2.5" is -5; a whole number or one ending in ".0" or ".5".
std::optional<long> ParseHalves(std::string_view text) {
    long half = 0;
    if (text.ends_with(".5")) {
        half = 1;
        text.remove_suffix(2);
    } else if (text.ends_with(".0")) {
        text.remove_suffix(2);
    }
    const bool negative = text.starts_with('-');
    const std::optional<long> whole = ParseDecimal(text, true);
    if (!whole) {
        return std::nullopt;
    }
    return *whole * 2 + (negative ? -half : half);
}

FieldInput Refused(std::string refusal) {
    FieldInput input;
    input.refusal = std::move(refusal);
    return input;
}

// A number in range, or chosen from its editor's list.
FieldInput ReadNumber(const Field& field, std::optional<long> stored) {
    // A list shows 2100.1 Hz as its entry 2100: only the entry's own value is one of it.
    const bool onStep = stored && (*stored - field.min) % field.step == 0;
    if (field.entryOf) {
        const ChoiceList& list = field.list();
        if (!onStep || list.IndexOf(field.entryOf(*stored)) < 0) {
            std::vector<std::string> offered;
            for (long value = field.min; value <= field.max; value += field.step) {
                if (list.IndexOf(field.entryOf(value)) >= 0) {
                    offered.push_back(ShowStoredNumber(field, value));
                }
            }
            const bool wholeRange =
                static_cast<long>(offered.size()) == (field.max - field.min) / field.step + 1;
            return Refused(wholeRange ? RangeMessage(field)
                                      : "Please enter one of: " + Joined(offered) + ".");
        }
        return {*stored};
    }
    const bool accepted = onStep && *stored >= field.min && *stored <= field.max;
    if (!accepted) {
        return Refused(field.message.empty() ? RangeMessage(field) : std::string(field.message));
    }
    return {*stored};
}

}  // namespace

Field Field::At(std::size_t k) const {
    Field one = *this;
    one.spec = spec.At(k);
    return one;
}

std::string LabelText(const Field& field) {
    std::string text(field.label);
    return field.unit.empty() ? text : text + " (" + std::string(field.unit) + ")";
}

std::string ShowStoredNumber(const Field& field, long stored) {
    switch (field.kind) {
        case FieldKind::Tenths:
            return ShowToneTenths(stored);
        case FieldKind::HalfUnits:
            return ShowHalves(stored);
        default:
            return std::to_string(stored / field.spec.scale);
    }
}

long StoredValue(const RecordView& record, const Field& field) {
    switch (field.spec.storage) {
        case layout::Storage::U8:
            return record.U8(field.spec);
        case layout::Storage::S8:
            return record.S8(field.spec);
        case layout::Storage::U16:
            return record.U16(field.spec);
        case layout::Storage::Text:
            break;
    }
    return 0;
}

std::string ShowField(const RecordView& record, const Field& field) {
    const long stored = StoredValue(record, field);
    switch (field.kind) {
        case FieldKind::Text:
            return record.Text(field.spec);
        case FieldKind::Flag:
            return stored != 0 ? "Yes" : "No";
        case FieldKind::List: {
            const std::string_view entry = field.list().At(EntryOfCode(field, stored));
            return entry.empty() ? std::to_string(stored) : ClosedUp(entry);
        }
        default:
            return ShowStoredNumber(field, stored);
    }
}

FieldInput ReadField(const Field& field, std::string_view text) {
    switch (field.kind) {
        case FieldKind::Text:
            if (text.size() > field.spec.width) {
                return Refused("Please enter at most " + std::to_string(field.spec.width) +
                               " characters.");
            }
            return {0, std::string(text)};
        case FieldKind::Flag:
            if (text != "Yes" && text != "No") {
                return Refused("Please enter Yes or No.");
            }
            return {text == "Yes" ? 1 : 0};
        case FieldKind::List: {
            const ChoiceList& list = field.list();
            std::vector<std::string> entries;
            for (int k = 0; k < list.Size(); ++k) {
                entries.push_back(ClosedUp(list.At(k)));
                if (entries.back() == text) {
                    return {field.codes.empty() ? k : field.codes[static_cast<std::size_t>(k)]};
                }
            }
            return Refused("Please enter one of: " + Joined(entries) + ".");
        }
        case FieldKind::Tenths:
            return ReadNumber(field, ParseToneTenths(text));
        case FieldKind::HalfUnits:
            return ReadNumber(field, ParseHalves(text));
        case FieldKind::Number:
            break;
    }
    // Saturated, a very long number stays refused by its range without overflowing.
    constexpr long kLimit = 1000000;
    const std::optional<long> shown = ParseDecimal(text, IsSigned(field));
    return ReadNumber(
        field, shown ? std::optional<long>(std::clamp(*shown, -kLimit, kLimit) * field.spec.scale)
                     : std::nullopt);
}

void StoreField(RecordView& record, const Field& field, const FieldInput& input) {
    switch (field.spec.storage) {
        case layout::Storage::U8:
            record.SetU8(field.spec, static_cast<std::uint8_t>(input.stored));
            break;
        case layout::Storage::S8:
            record.SetS8(field.spec, static_cast<std::int8_t>(input.stored));
            break;
        case layout::Storage::U16:
            record.SetU16(field.spec, static_cast<std::uint16_t>(input.stored));
            break;
        case layout::Storage::Text:
            record.SetText(field.spec, input.text);
            break;
    }
}

std::string ClosedUp(std::string_view entry) {
    std::string text;
    for (const char ch : entry) {
        if (ch != ' ' || (!text.empty() && text.back() != ' ')) {
            text += ch;
        }
    }
    return text;
}

std::optional<long> ParseDecimal(std::string_view text, bool allowSign) {
    bool negative = false;
    if (allowSign && text.starts_with('-')) {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    constexpr long kCeiling = std::numeric_limits<int>::max();
    long value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value >= kCeiling ? kCeiling : value * 10 + (c - '0');
    }
    return negative ? -value : value;
}

std::optional<long> ParseToneTenths(std::string_view text) {
    // Stays within a 32-bit long once the tenth is added.
    constexpr long kCeiling = std::numeric_limits<int>::max() / 10 - 1;
    long whole = 0;
    long tenth = 0;
    bool point = false;
    bool anyDigit = false;
    std::size_t decimals = 0;
    for (const char c : text) {
        if (c == '.' && !point) {
            point = true;
        } else if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (!point) {
                whole = whole >= kCeiling ? kCeiling : whole * 10 + (c - '0');
            } else if (decimals++ == 0) {
                tenth = c - '0';
            }
        } else {
            return std::nullopt;
        }
    }
    return anyDigit ? std::optional<long>(whole * 10 + tenth) : std::nullopt;
}

std::string ShowToneTenths(long tenths) {
    return std::to_string(tenths / 10) + '.' + std::to_string(tenths % 10);
}

std::string ShowHalves(long halves) {
    const long magnitude = halves < 0 ? -halves : halves;
    return std::string(halves < 0 ? "-" : "") + std::to_string(magnitude / 2) +
           (magnitude % 2 != 0 ? ".5" : ".0");
}
