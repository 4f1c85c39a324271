// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/ChoiceList.h"

#include <algorithm>

int ChoiceList::IndexOf(std::string_view text) const {
    const auto it = std::find(m_entries.begin(), m_entries.end(), text);
    return it == m_entries.end() ? -1 : static_cast<int>(it - m_entries.begin());
}

std::string_view ChoiceList::At(int index) const {
    return IndexOfCode(index) < 0 ? std::string_view{} : std::string_view{m_entries[index]};
}

ChoiceList ChoiceList::Numbers(int first, int last) {
    std::vector<std::string> entries;
    for (int n = first; n <= last; ++n) {
        entries.push_back(std::to_string(n));
    }
    return ChoiceList(std::move(entries));
}
