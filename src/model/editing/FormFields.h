// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a form's controls meet a record: numbers typed into edits, list
// indexes and check boxes, each by the declaration of its field.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/RecordView.h"
#include "model/editing/Field.h"
#include "model/editing/Validation.h"

class ChoiceList;

// A number edited as decimal text, in the field's shown unit (whole hertz for
// a tone stored in tenths); refused with the field's message when the text is
// empty, not a number or outside the range.
std::string ShowNumber(const RecordView& record, const Field& field);
bool AcceptsNumber(const Field& field, std::string_view text);
// Stores an accepted text; a refused one leaves the record as it was.
void StoreNumber(RecordView& record, const Field& field, std::string_view text);

// A page's number fields at once, texts and fields alike indexed by the
// page's field enumeration (which lists them in the order they are checked).
template <std::size_t N>
std::array<std::string, N> ShowNumbers(const RecordView& record,
                                       const std::array<Field, N>& fields) {
    std::array<std::string, N> texts;
    for (std::size_t k = 0; k < N; ++k) {
        texts[k] = ShowNumber(record, fields[k]);
    }
    return texts;
}

template <class FieldId, std::size_t N>
Validation<FieldId> CheckNumbers(const std::array<Field, N>& fields,
                                 const std::array<std::string, N>& texts) {
    Validation<FieldId> result;
    for (std::size_t k = 0; k < N; ++k) {
        result.Check(AcceptsNumber(fields[k], texts[k]), static_cast<FieldId>(k),
                     fields[k].message);
    }
    return result;
}

template <std::size_t N>
void StoreNumbers(RecordView& record, const std::array<Field, N>& fields,
                  const std::array<std::string, N>& texts) {
    for (std::size_t k = 0; k < N; ++k) {
        StoreNumber(record, fields[k], texts[k]);
    }
}

// A list whose index is the stored code: -1 (no selection) for a code outside the list.
int LoadIndex(const RecordView& record, const layout::FieldSpec& field, const ChoiceList& list);
// No selection keeps whatever the byte holds.
void StoreIndex(RecordView& record, const layout::FieldSpec& field, int index);
bool LoadFlag(const RecordView& record, const layout::FieldSpec& field);
void StoreFlag(RecordView& record, const layout::FieldSpec& field, bool on);
// The same by a catalogue field, whose list it is.
int LoadIndex(const RecordView& record, const Field& field);
void StoreIndex(RecordView& record, const Field& field, int index);
bool LoadFlag(const RecordView& record, const Field& field);
void StoreFlag(RecordView& record, const Field& field, bool on);
