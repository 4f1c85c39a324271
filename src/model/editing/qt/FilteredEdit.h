// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An edit with a restricted character set: on every change its text passes
// through a filter (cut at the first character outside the set, upper case,
// ...) and the caret and selection are put back where they were.

#include <QLineEdit>
#include <functional>
#include <string>
#include <string_view>

class FilteredEdit : public QLineEdit {
    Q_OBJECT

public:
    using Filter = std::function<std::string(std::string_view)>;

    FilteredEdit(int maxLength, Filter filter, QWidget* parent = nullptr);

    // Runs the filter again, for a filter that depends on another control.
    void Refilter();

private:
    Filter m_filter;
};
