#include "model/editing/FormFields.h"

#include <limits>

#include "model/editing/ChoiceList.h"

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

std::string ShowNumber(const RecordView& record, const NumberField& field) {
    long value = 0;
    switch (field.spec.storage) {
        case layout::Storage::U8:
            value = record.U8(field.spec);
            break;
        case layout::Storage::S8:
            value = record.S8(field.spec);
            break;
        case layout::Storage::U16:
            value = record.U16(field.spec);
            break;
        case layout::Storage::Text:
            break;
    }
    return std::to_string(value / field.spec.scale);
}

bool AcceptsNumber(const NumberField& field, std::string_view text) {
    const std::optional<long> value = ParseDecimal(text, field.spec.storage == layout::Storage::S8);
    return value && *value >= field.min && *value <= field.max;
}

void StoreNumber(RecordView& record, const NumberField& field, std::string_view text) {
    if (!AcceptsNumber(field, text)) {
        return;
    }
    const long value =
        *ParseDecimal(text, field.spec.storage == layout::Storage::S8) * field.spec.scale;
    switch (field.spec.storage) {
        case layout::Storage::U8:
            record.SetU8(field.spec, static_cast<std::uint8_t>(value));
            break;
        case layout::Storage::S8:
            record.SetS8(field.spec, static_cast<std::int8_t>(value));
            break;
        case layout::Storage::U16:
            record.SetU16(field.spec, static_cast<std::uint16_t>(value));
            break;
        case layout::Storage::Text:
            break;
    }
}

int LoadIndex(const RecordView& record, const layout::FieldSpec& field, const ChoiceList& list) {
    return list.IndexOfCode(record.U8(field));
}

void StoreIndex(RecordView& record, const layout::FieldSpec& field, int index) {
    if (index >= 0 && index <= std::numeric_limits<std::uint8_t>::max()) {
        record.SetU8(field, static_cast<std::uint8_t>(index));
    }
}

bool LoadFlag(const RecordView& record, const layout::FieldSpec& field) {
    return record.U8(field) != 0;
}

void StoreFlag(RecordView& record, const layout::FieldSpec& field, bool on) {
    record.SetU8(field, on ? 1 : 0);
}
