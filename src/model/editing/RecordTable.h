// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list table of the image seen as records, for reading: free slots and
// labels. A record whose first byte is NUL is a free slot. The view owns and
// copies nothing; RecordTableEdit adds the rules that write.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigImage.h"
#include "model/editing/ListTables.h"

// The order of sorted tables: upper-cased, byte by byte as unsigned
// characters, a prefix before the longer label. Negative, zero or positive.
int CompareLabels(std::string_view a, std::string_view b);

class RecordTable {
public:
    RecordTable(const ConfigImage& image, const TableLayout& table)
        : m_image(image), m_table(table) {}

    std::size_t Count() const { return m_table.count; }
    // The image offset of record index's first byte.
    std::size_t RecordStart(std::size_t index) const;

    bool IsFree(std::size_t index) const;
    std::string Label(std::size_t index) const;
    // The records in use, in record order.
    std::vector<std::size_t> UsedRecords() const;
    std::size_t UsedCount() const;
    std::optional<std::size_t> LowestFree() const;
    bool IsFull() const { return !LowestFree(); }

    // The record in use whose label is exactly label, other than except.
    std::optional<std::size_t> FindLabel(std::string_view label,
                                         std::optional<std::size_t> except = {}) const;
    // True when another record already has the label; a record may keep its own.
    bool LabelTaken(std::string_view label, std::optional<std::size_t> own = {}) const {
        return FindLabel(label, own).has_value();
    }

protected:
    const TableLayout& Layout() const { return m_table; }

private:
    const ConfigImage& m_image;
    TableLayout m_table;
};
