// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/qt/FilteredEdit.h"

#include <QSignalBlocker>

#include "model/editing/qt/Latin1.h"

FilteredEdit::FilteredEdit(int maxLength, Filter filter, QWidget* parent)
    : QLineEdit(parent), m_filter(std::move(filter)) {
    if (maxLength > 0) {
        setMaxLength(maxLength);
    }
    connect(this, &QLineEdit::textChanged, this, &FilteredEdit::Refilter);
}

void FilteredEdit::Refilter() {
    const QString current = text();
    // A character without a single-byte form ends the text like any other refused one.
    const QString filtered = FromLatin1(m_filter(ToLatin1(current)));
    if (filtered == current) {
        return;
    }
    const int cursor = cursorPosition();
    const int start = selectionStart();
    const int selectionLength = static_cast<int>(selectedText().size());
    {
        const QSignalBlocker blocker(this);
        setText(filtered);
    }
    const int length = static_cast<int>(filtered.size());
    if (start >= 0 && start < length) {
        setSelection(start, std::min(selectionLength, length - start));
    } else {
        setCursorPosition(std::min(cursor, length));
    }
}
