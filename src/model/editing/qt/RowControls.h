// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The controls of a record dialog built from its rows: a text edit, a
// drop-down list or a group of radio buttons per row, laid out in group boxes
// as the dialog's row groups say, and their values as dump shows them.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "model/editing/FormRow.h"

class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLayout;
class QLineEdit;
class QWidget;

// What the controls need of a row, without its form.
struct RowDescription {
    std::string_view name;
    std::string_view label;
    RowControl control = RowControl::Text;
    std::size_t width = 0;
    std::size_t shownCharacters = 0;
    std::string (*filter)(std::string_view typed) = nullptr;
    std::vector<RowChoice> radios;  // the radio buttons, by id
};

class RowControls {
public:
    // Builds every row's control under parent, grouped as groups say, in tab order.
    QLayout* Build(const std::vector<RowDescription>& rows, const std::vector<RowGroup>& groups,
                   QWidget* parent);

    // The control of a row: its edit, its list, or the radio button that is checked
    // (the first when none is).
    QWidget* Control(std::size_t row) const;
    QAbstractButton* RadioButton(std::size_t row, int id) const;
    // The controls in the order Tab visits them.
    const std::vector<QWidget*>& TabOrder() const { return m_tabOrder; }

    // The value as dump shows it: a text or a radio's value; a radio group
    // with none checked has its first value.
    std::string Value(std::size_t row) const;
    void SetValue(std::size_t row, const std::string& value);
    // A list's entry by position, -1 for none.
    int Index(std::size_t row) const;
    void ShowList(std::size_t row, const std::vector<RowChoice>& entries, int index);

private:
    // One of edit, list and radios.
    struct RowWidgets {
        QLineEdit* edit = nullptr;
        QComboBox* list = nullptr;
        QButtonGroup* radios = nullptr;
        std::vector<std::string> values;  // the radio buttons', by id
    };

    std::vector<RowWidgets> m_controls;
    std::vector<QWidget*> m_tabOrder;
};
