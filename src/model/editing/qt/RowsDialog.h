// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A record dialog whose controls are its rules' rows: built, shown, read and
// focused from them, laid out as the rules' row groups say.

#include <QPushButton>
#include <string_view>

#include "model/editing/qt/RecordDialog.h"
#include "model/editing/qt/RowControls.h"

template <class Rules>
class RowsDialog : public RecordDialogFor<Rules> {
public:
    using Form = typename Rules::Form;
    using Field = typename Rules::Field;

    RowsDialog(const QString& title, int helpTopic, std::optional<std::size_t> record,
               QWidget* parent)
        : RecordDialogFor<Rules>(title, helpTopic, record, parent) {
        std::vector<RowDescription> rows;
        for (const FormRow<Form>& row : Rules::Rows()) {
            rows.push_back(
                {row.name, row.label, row.control, row.width, row.shownCharacters, row.filter,
                 row.choices && row.control == RowControl::Radios ? row.choices(Form{}, TheImage())
                                                                  : std::vector<RowChoice>{}});
        }
        this->SetForm(m_controls.Build(rows, Rules::Layout(), this));
        // The buttons were made first; Tab goes through the form before them.
        std::vector<QWidget*> order = m_controls.TabOrder();
        order.push_back(this->OkButton());
        order.push_back(this->CancelButton());
        for (std::size_t k = 1; k < order.size(); ++k) {
            QWidget::setTabOrder(order[k - 1], order[k]);
        }
        this->ShowLoaded();
        m_controls.TabOrder().front()->setFocus();
    }

    // The control of the row of that name (a radio group's checked button).
    QWidget* Control(std::string_view name) const { return m_controls.Control(IndexOf(name)); }
    QAbstractButton* RadioButton(std::string_view name, int id) const {
        return m_controls.RadioButton(IndexOf(name), id);
    }

    Form Read() const override {
        Form form = m_shown;
        const auto rows = Rules::Rows();
        for (std::size_t k = 0; k < rows.size(); ++k) {
            if (rows[k].control == RowControl::List) {
                rows[k].choose(form, m_controls.Index(k));
            } else {
                // The controls hold only what the rows can take.
                rows[k].fill(form, TheImage(), m_controls.Value(k));
            }
        }
        return form;
    }

    void Show(const Form& form) override {
        m_shown = form;
        const auto rows = Rules::Rows();
        for (std::size_t k = 0; k < rows.size(); ++k) {
            const auto& row = rows[k];
            if (row.control == RowControl::List) {
                m_controls.ShowList(k, row.choices(form, TheImage()), row.selected(form));
            } else {
                m_controls.SetValue(k, row.show(form, TheImage()));
            }
        }
    }

    QWidget* FieldWidget(Field field) const override {
        const auto rows = Rules::Rows();
        for (std::size_t k = 0; k < rows.size(); ++k) {
            if (rows[k].field == static_cast<int>(field)) {
                return m_controls.Control(k);
            }
        }
        return nullptr;
    }

private:
    static std::size_t IndexOf(std::string_view name) {
        const auto rows = Rules::Rows();
        std::size_t k = 0;
        while (k < rows.size() && rows[k].name != name) {
            ++k;
        }
        return k;
    }

    RowControls m_controls;
    // The form as last shown: what the controls do not hold (the paging
    // formats a list offers) comes from it.
    Form m_shown;
};
