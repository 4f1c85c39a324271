// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/qt/RowControls.h"

#include <algorithm>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/editing/qt/FilteredEdit.h"
#include "model/editing/qt/Latin1.h"
#include "model/editing/qt/PageControls.h"

QLayout* RowControls::Build(const std::vector<RowDescription>& rows,
                            const std::vector<RowGroup>& groups, QWidget* parent) {
    m_controls.assign(rows.size(), {});
    auto* dialogLayout = new QVBoxLayout;
    for (const RowGroup& group : groups) {
        QWidget* owner = parent;
        QBoxLayout* groupLayout = dialogLayout;
        if (!group.title.empty()) {
            auto* box = new QGroupBox(QString::fromLatin1(group.title), parent);
            groupLayout = new QVBoxLayout(box);
            dialogLayout->addWidget(box);
            owner = box;
        }
        // Consecutive text and list rows share one two-column form.
        QFormLayout* form = nullptr;
        for (const std::string_view name : group.rows) {
            std::size_t k = 0;
            while (k < rows.size() && rows[k].name != name) {
                ++k;
            }
            const RowDescription& row = rows.at(k);
            RowWidgets& control = m_controls[k];
            const QString label = QString::fromLatin1(row.label);
            if (row.control == RowControl::Radios) {
                auto* box = new QGroupBox(label, owner);
                control.radios = new QButtonGroup(box);
                QStringList texts;
                for (const RowChoice& choice : row.radios) {
                    texts << QString::fromLatin1(choice.shown);
                    control.values.push_back(choice.value);
                }
                AddRadios(control.radios, new QVBoxLayout(box), texts);
                groupLayout->addWidget(box);
                form = nullptr;
                for (QAbstractButton* button : control.radios->buttons()) {
                    m_tabOrder.push_back(button);
                }
                continue;
            }
            if (!form) {
                form = new QFormLayout;
                groupLayout->addLayout(form);
            }
            QWidget* widget = nullptr;
            if (row.control == RowControl::List) {
                control.list = new QComboBox(owner);
                widget = control.list;
            } else {
                const int width = static_cast<int>(row.width);
                control.edit = row.control == RowControl::Digits ? MakeDigitsEdit(owner, width)
                               : row.filter ? new FilteredEdit(width, row.filter, owner)
                                            : MakeTextEdit(width, owner);
                if (row.shownCharacters > 0) {
                    FitWidthToCharacters(control.edit, static_cast<int>(row.shownCharacters));
                }
                widget = control.edit;
            }
            form->addRow(label, widget);
            m_tabOrder.push_back(widget);
        }
    }
    return dialogLayout;
}

QWidget* RowControls::Control(std::size_t row) const {
    const RowWidgets& control = m_controls.at(row);
    if (control.radios) {
        QAbstractButton* checked = control.radios->checkedButton();
        return checked ? checked : control.radios->button(0);
    }
    return control.list ? static_cast<QWidget*>(control.list) : control.edit;
}

QAbstractButton* RowControls::RadioButton(std::size_t row, int id) const {
    return m_controls.at(row).radios->button(id);
}

std::string RowControls::Value(std::size_t row) const {
    const RowWidgets& control = m_controls.at(row);
    if (control.edit) {
        return ToLatin1(control.edit->text());
    }
    const int id = control.radios->checkedId();
    return control.values.at(id < 0 ? 0 : static_cast<std::size_t>(id));
}

void RowControls::SetValue(std::size_t row, const std::string& value) {
    RowWidgets& control = m_controls.at(row);
    if (control.edit) {
        control.edit->setText(FromLatin1(value));
        return;
    }
    const auto found = std::find(control.values.begin(), control.values.end(), value);
    CheckRadio(control.radios, found == control.values.end()
                                   ? -1
                                   : static_cast<int>(found - control.values.begin()));
}

int RowControls::Index(std::size_t row) const {
    return m_controls.at(row).list->currentIndex();
}

void RowControls::ShowList(std::size_t row, const std::vector<RowChoice>& entries, int index) {
    QComboBox* list = m_controls.at(row).list;
    list->clear();
    for (const RowChoice& entry : entries) {
        list->addItem(FromLatin1(entry.shown));
    }
    list->setCurrentIndex(index);
}
