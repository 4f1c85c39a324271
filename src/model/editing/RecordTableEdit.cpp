// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/RecordTableEdit.h"

#include <algorithm>

void RecordTableEdit::Free(std::size_t index) {
    m_image.SetU8(RecordStart(index) + Layout().Label().offset, 0);
}

RecordMoves RecordTableEdit::MoveIntoPlace(std::size_t written) {
    std::size_t u = written;
    while (u > 0 && CompareLabels(Label(u - 1), Label(u)) > 0) {
        Swap(u - 1, u);
        --u;
    }
    if (u != written) {
        // The rest of a sorted table is in order already.
        return RecordMoves::Move(written, u);
    }
    std::size_t i = written;
    while (i + 1 < Count() && !IsFree(i + 1) && CompareLabels(Label(i), Label(i + 1)) > 0) {
        Swap(i, i + 1);
        ++i;
    }
    return RecordMoves::Move(written, i);
}

RecordMoves RecordTableEdit::RemoveAndCompact(std::size_t removed) {
    std::size_t last = removed;
    for (std::size_t j = removed + 1; j < Count() && !IsFree(j); ++j) {
        Write(j - 1, Padded(j));
        last = j;
    }
    Free(last);
    return RecordMoves::Removal(removed, last);
}

std::vector<std::uint8_t> RecordTableEdit::Padded(std::size_t index) const {
    const std::size_t start = RecordStart(index);
    const auto bytes = m_image.Bytes().subspan(start, Layout().recordSize);
    std::vector<std::uint8_t> record(bytes.begin(), bytes.end());
    for (const TextField& text : Layout().texts) {
        const std::size_t length = m_image.Text(start + text.offset, text.width).size();
        std::fill(record.begin() + static_cast<std::ptrdiff_t>(text.offset + length),
                  record.begin() + static_cast<std::ptrdiff_t>(text.offset + text.width), 0);
    }
    return record;
}

void RecordTableEdit::Write(std::size_t index, const std::vector<std::uint8_t>& bytes) {
    const std::size_t start = RecordStart(index);
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        m_image.SetU8(start + k, bytes[k]);
    }
}

void RecordTableEdit::Swap(std::size_t a, std::size_t b) {
    const std::vector<std::uint8_t> first = Padded(a);
    Write(a, Padded(b));
    Write(b, first);
}
