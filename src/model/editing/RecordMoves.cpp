// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/RecordMoves.h"

RecordMoves RecordMoves::Move(std::size_t from, std::size_t to) {
    return from == to ? RecordMoves() : RecordMoves(Kind::Move, from, to);
}

RecordMoves RecordMoves::Removal(std::size_t removed, std::size_t lastMoved) {
    return RecordMoves(Kind::Removal, removed, lastMoved);
}

std::size_t RecordMoves::NewIndex(std::size_t old) const {
    switch (m_kind) {
        case Kind::None:
            return old;
        case Kind::Move:
            if (old == m_from) {
                return m_to;
            }
            if (m_to <= old && old < m_from) {  // the record moved up past this one
                return old + 1;
            }
            if (m_from < old && old <= m_to) {  // the record moved down past this one
                return old - 1;
            }
            return old;
        case Kind::Removal:
            return m_from < old && old <= m_to ? old - 1 : old;
    }
    return old;
}
