// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/EditAliasFV.h"

#include <QAbstractButton>
#include <QLineEdit>

EditAliasFV::EditAliasFV(std::optional<std::size_t> record, QWidget* parent)
    : RowsDialog("Edit PTT ID Aliases", kHelpTopic, record, parent) {
    SetRefusalIcon(PromptIcon::None);
}

QLineEdit* EditAliasFV::LabelEdit() const {
    return qobject_cast<QLineEdit*>(Control("label"));
}

QLineEdit* EditAliasFV::PttIdEdit() const {
    return qobject_cast<QLineEdit*>(Control("ptt_id"));
}

QAbstractButton* EditAliasFV::ProtocolButton(AliasProtocol protocol) const {
    return RadioButton("protocol", static_cast<int>(protocol));
}
