#pragma once
// How a page's controls meet a channel record: numbers typed into edits,
// list indexes and check boxes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/RecordView.h"

class ChoiceList;

// A number edited as decimal text.
struct NumberField {
    enum class Storage { U8, S8, U16 };

    std::size_t offset;
    Storage storage;
    long scale;  // the stored value is the shown value times this
    long min;    // the range of the shown value
    long max;
    std::string_view message;  // when the text is empty, not a number or outside the range
};

// Digits with a leading minus sign when signed is allowed. A very long number
// saturates instead of failing, so it is refused by its range, not as text.
std::optional<long> ParseDecimal(std::string_view text, bool allowSign);
std::string ShowNumber(const RecordView& record, const NumberField& field);
bool AcceptsNumber(const NumberField& field, std::string_view text);
// Stores an accepted text; a refused one leaves the record as it was.
void StoreNumber(RecordView& record, const NumberField& field, std::string_view text);

// A list whose index is the stored code: -1 (no selection) for a code outside the list.
int LoadIndex(const RecordView& record, std::size_t offset, const ChoiceList& list);
// No selection keeps whatever the byte holds.
void StoreIndex(RecordView& record, std::size_t offset, int index);
bool LoadFlag(const RecordView& record, std::size_t offset);
void StoreFlag(RecordView& record, std::size_t offset, bool on);
