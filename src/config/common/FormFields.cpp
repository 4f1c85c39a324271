#include "config/common/FormFields.h"

#include <limits>

#include "config/common/ChoiceList.h"

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
    switch (field.storage) {
        case NumberField::Storage::U8:
            value = record.U8(field.offset);
            break;
        case NumberField::Storage::S8:
            value = record.S8(field.offset);
            break;
        case NumberField::Storage::U16:
            value = record.U16(field.offset);
            break;
    }
    return std::to_string(value / field.scale);
}

bool AcceptsNumber(const NumberField& field, std::string_view text) {
    const std::optional<long> value = ParseDecimal(text, field.storage == NumberField::Storage::S8);
    return value && *value >= field.min && *value <= field.max;
}

void StoreNumber(RecordView& record, const NumberField& field, std::string_view text) {
    if (!AcceptsNumber(field, text)) {
        return;
    }
    const long value = *ParseDecimal(text, field.storage == NumberField::Storage::S8) * field.scale;
    switch (field.storage) {
        case NumberField::Storage::U8:
            record.SetU8(field.offset, static_cast<std::uint8_t>(value));
            break;
        case NumberField::Storage::S8:
            record.SetS8(field.offset, static_cast<std::int8_t>(value));
            break;
        case NumberField::Storage::U16:
            record.SetU16(field.offset, static_cast<std::uint16_t>(value));
            break;
    }
}

int LoadIndex(const RecordView& record, std::size_t offset, const ChoiceList& list) {
    return list.IndexOfCode(record.U8(offset));
}

void StoreIndex(RecordView& record, std::size_t offset, int index) {
    if (index >= 0 && index <= std::numeric_limits<std::uint8_t>::max()) {
        record.SetU8(offset, static_cast<std::uint8_t>(index));
    }
}

bool LoadFlag(const RecordView& record, std::size_t offset) {
    return record.U8(offset) != 0;
}

void StoreFlag(RecordView& record, std::size_t offset, bool on) {
    record.SetU8(offset, on ? 1 : 0);
}
