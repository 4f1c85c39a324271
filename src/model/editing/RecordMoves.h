// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the records of a table went when some of them moved: a sorted move of
// one record, or the compaction after a delete. References that hold a record
// index (the buttons) follow through NewIndex.

#include <cstddef>

class RecordMoves {
public:
    // Nothing moved.
    RecordMoves() = default;
    // One record went from one index to another; those in between shifted by one.
    static RecordMoves Move(std::size_t from, std::size_t to);
    // The record at removed was freed and the records after it, up to and
    // including lastMoved, moved up one; a gap in the table ends the compaction.
    static RecordMoves Removal(std::size_t removed, std::size_t lastMoved);

    bool Any() const { return m_kind != Kind::None; }
    // The index the record at old has now. The removed record keeps its index:
    // nothing may refer to a record being deleted.
    std::size_t NewIndex(std::size_t old) const;

private:
    enum class Kind { None, Move, Removal };

    RecordMoves(Kind kind, std::size_t from, std::size_t to)
        : m_kind(kind), m_from(from), m_to(to) {}

    Kind m_kind = Kind::None;
    std::size_t m_from = 0;
    std::size_t m_to = 0;
};
