// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/FormFields.h"

#include <limits>

#include "model/editing/ChoiceList.h"

std::string ShowNumber(const RecordView& record, const Field& field) {
    return std::to_string(StoredValue(record, field) / field.spec.scale);
}

bool AcceptsNumber(const Field& field, std::string_view text) {
    const std::optional<long> value = ParseDecimal(text, field.spec.storage == layout::Storage::S8);
    return value && *value >= field.min / field.spec.scale &&
           *value <= field.max / field.spec.scale;
}

void StoreNumber(RecordView& record, const Field& field, std::string_view text) {
    if (AcceptsNumber(field, text)) {
        const long shown = *ParseDecimal(text, field.spec.storage == layout::Storage::S8);
        StoreField(record, field, {shown * field.spec.scale});
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

int LoadIndex(const RecordView& record, const Field& field) {
    return LoadIndex(record, field.spec, field.list());
}

void StoreIndex(RecordView& record, const Field& field, int index) {
    StoreIndex(record, field.spec, index);
}

bool LoadFlag(const RecordView& record, const Field& field) {
    return LoadFlag(record, field.spec);
}

void StoreFlag(RecordView& record, const Field& field, bool on) {
    StoreFlag(record, field.spec, on);
}
