// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/RecordTable.h"

#include <algorithm>
#include <stdexcept>

namespace {

// Upper case of a single-byte (Latin-1) character.
unsigned char Upper(unsigned char c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) {
        return static_cast<unsigned char>(c - 0x20);
    }
    return c;
}

}  // namespace

int CompareLabels(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t k = 0; k < common; ++k) {
        const unsigned char x = Upper(static_cast<unsigned char>(a[k]));
        const unsigned char y = Upper(static_cast<unsigned char>(b[k]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    if (a.size() == b.size()) {
        return 0;
    }
    return a.size() < b.size() ? -1 : 1;
}

std::size_t RecordTable::RecordStart(std::size_t index) const {
    if (index >= m_table.count) {
        throw std::out_of_range("record index outside its table");
    }
    return m_table.start + index * m_table.recordSize;
}

bool RecordTable::IsFree(std::size_t index) const {
    return m_image.U8(RecordStart(index) + m_table.Label().offset) == 0;
}

std::string RecordTable::Label(std::size_t index) const {
    return m_image.Text(RecordStart(index) + m_table.Label().offset, m_table.Label().width);
}

std::vector<std::size_t> RecordTable::UsedRecords() const {
    std::vector<std::size_t> used;
    for (std::size_t i = 0; i < Count(); ++i) {
        if (!IsFree(i)) {
            used.push_back(i);
        }
    }
    return used;
}

std::size_t RecordTable::UsedCount() const {
    return UsedRecords().size();
}

std::optional<std::size_t> RecordTable::LowestFree() const {
    for (std::size_t i = 0; i < Count(); ++i) {
        if (IsFree(i)) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> RecordTable::FindLabel(std::string_view label,
                                                  std::optional<std::size_t> except) const {
    for (std::size_t i = 0; i < Count(); ++i) {
        if (i != except && !IsFree(i) && Label(i) == label) {
            return i;
        }
    }
    return std::nullopt;
}
