// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entries of one drop-down list that cannot be typed into.

#include <string>
#include <string_view>
#include <vector>

class ChoiceList {
public:
    explicit ChoiceList(std::vector<std::string> entries) : m_entries(std::move(entries)) {}
    // The numbers first to last as decimal texts.
    static ChoiceList Numbers(int first, int last);

    const std::vector<std::string>& Entries() const { return m_entries; }
    int Size() const { return static_cast<int>(m_entries.size()); }

    // The index of the entry with exactly this text; -1 when no entry has it.
    int IndexOf(std::string_view text) const;
    // The text of an entry; empty for -1 (no selection) and any index outside the list.
    std::string_view At(int index) const;
    // A stored code that is itself the list index; -1 when the list has no such entry.
    int IndexOfCode(int code) const { return code >= 0 && code < Size() ? code : -1; }

private:
    std::vector<std::string> m_entries;
};
