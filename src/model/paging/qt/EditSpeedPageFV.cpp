// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/qt/EditSpeedPageFV.h"

#include <QComboBox>
#include <QLineEdit>

EditSpeedPageFV::EditSpeedPageFV(std::optional<std::size_t> record, QWidget* parent)
    : RowsDialog(QStringLiteral("Edit Speed Page"), kHelpTopic, record, parent) {}

QLineEdit* EditSpeedPageFV::LabelEdit() const {
    return qobject_cast<QLineEdit*>(Control("label"));
}

QComboBox* EditSpeedPageFV::FormatList() const {
    return qobject_cast<QComboBox*>(Control("paging_format"));
}

QLineEdit* EditSpeedPageFV::DigitsEdit() const {
    return qobject_cast<QLineEdit*>(Control("digits"));
}
