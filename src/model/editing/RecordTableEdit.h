// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rules that write a list table: freeing a record, the sorted move of a
// written record and the compaction after a delete. Each writes only the
// bytes it has to move, and tells where the records went so that the keys
// referring to them can follow.

#include <cstdint>
#include <vector>

#include "model/editing/RecordMoves.h"
#include "model/editing/RecordTable.h"

class RecordTableEdit : public RecordTable {
public:
    RecordTableEdit(ConfigImage& image, const TableLayout& table)
        : RecordTable(image, table), m_image(image) {}

    // NUL into the record's first byte; its other bytes keep their content.
    void Free(std::size_t index);

    // After record written was written into a sorted table: moves it up past the
    // records whose labels come after its own, or else down past those in use
    // that come before it. Equal labels never swap.
    RecordMoves MoveIntoPlace(std::size_t written);
    std::size_t IndexAfterMove(std::size_t written) {
        return MoveIntoPlace(written).NewIndex(written);
    }

    // Frees record removed and moves the records in use after it up by one, so
    // that a compact table stays compact; the last of them leaves a free slot.
    RecordMoves RemoveAndCompact(std::size_t removed);

private:
    // The record's bytes with its texts NUL-padded, as a writer leaves them.
    std::vector<std::uint8_t> Padded(std::size_t index) const;
    void Write(std::size_t index, const std::vector<std::uint8_t>& bytes);
    void Swap(std::size_t a, std::size_t b);

    ConfigImage& m_image;
};
