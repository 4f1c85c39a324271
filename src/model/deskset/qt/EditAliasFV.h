#pragma once
// "Edit PTT ID Aliases": the label, the protocol and the PTT ID of one alias,
// new or existing. Its refusals come in plain message boxes.

#include "model/deskset/AliasForm.h"
#include "model/editing/qt/RecordDialog.h"

class FilteredEdit;
class QAbstractButton;
class QButtonGroup;
class QLineEdit;

class EditAliasFV : public RecordDialogFor<AliasRules> {
    Q_OBJECT

public:
    static constexpr int kHelpTopic = 109;

    // record: the alias edited, none for a new one.
    EditAliasFV(std::optional<std::size_t> record, QWidget* parent);

    QLineEdit* LabelEdit() const { return m_label; }
    QLineEdit* PttIdEdit() const;
    QAbstractButton* ProtocolButton(AliasProtocol protocol) const;

    AliasForm Read() const override;
    void Show(const AliasForm& form) override;
    QWidget* FieldWidget(AliasField field) const override;

private:
    QLineEdit* m_label;
    QButtonGroup* m_protocol;
    FilteredEdit* m_pttId;
};
