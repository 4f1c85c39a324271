// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Edit PTT ID Aliases": the label, the protocol and the PTT ID of one alias,
// new or existing, built from the alias rows. Its refusals come in plain
// message boxes.

#include "model/deskset/AliasForm.h"
#include "model/editing/qt/RowsDialog.h"

class QAbstractButton;
class QLineEdit;

class EditAliasFV : public RowsDialog<AliasRules> {
    Q_OBJECT

public:
    static constexpr int kHelpTopic = 109;

    // record: the alias edited, none for a new one.
    EditAliasFV(std::optional<std::size_t> record, QWidget* parent);

    QLineEdit* LabelEdit() const;
    QLineEdit* PttIdEdit() const;
    QAbstractButton* ProtocolButton(AliasProtocol protocol) const;
};
