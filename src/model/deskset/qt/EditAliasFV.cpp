#include "model/deskset/qt/EditAliasFV.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/editing/qt/FilteredEdit.h"
#include "model/editing/qt/PageControls.h"

namespace {

constexpr char kTitle[] = "Edit PTT ID Aliases";

}  // namespace

EditAliasFV::EditAliasFV(std::optional<std::size_t> record, QWidget* parent)
    : RecordDialogFor(kTitle, kHelpTopic, record, parent), m_protocol(new QButtonGroup(this)) {
    SetRefusalIcon(PromptIcon::None);
    m_label = MakeTextEdit(static_cast<int>(layout::alias::kLabelWidth), this);
    auto* top = new QFormLayout;
    top->addRow("&Label", m_label);

    auto* entry = new QGroupBox("Entry Config", this);
    auto* entryLayout = new QVBoxLayout(entry);
    auto* protocol = new QGroupBox("Protocol", entry);
    AddRadios(m_protocol, new QVBoxLayout(protocol), {"&MDC1200 unit", "&DTMF unit"});
    entryLayout->addWidget(protocol);
    m_pttId = new FilteredEdit(static_cast<int>(layout::alias::kPttIdWidth), FilterPttId, entry);
    auto* idRow = new QFormLayout;
    idRow->addRow("&PTT ID", m_pttId);
    entryLayout->addLayout(idRow);

    auto* form = new QVBoxLayout;
    form->addLayout(top);
    form->addWidget(entry);
    SetForm(form);
    // The buttons were made first; Tab goes through the form before them.
    SetTabOrder({m_label, ProtocolButton(AliasProtocol::Mdc1200),
                 ProtocolButton(AliasProtocol::Dtmf), m_pttId, OkButton(), CancelButton()});

    ShowLoaded();
    m_label->setFocus();
}

QLineEdit* EditAliasFV::PttIdEdit() const {
    return m_pttId;
}

QAbstractButton* EditAliasFV::ProtocolButton(AliasProtocol protocol) const {
    return m_protocol->button(static_cast<int>(protocol));
}

AliasForm EditAliasFV::Read() const {
    const bool dtmf = m_protocol->checkedId() == static_cast<int>(AliasProtocol::Dtmf);
    return {ToLatin1(m_label->text()), ToLatin1(m_pttId->text()),
            dtmf ? AliasProtocol::Dtmf : AliasProtocol::Mdc1200};
}

void EditAliasFV::Show(const AliasForm& form) {
    m_label->setText(FromLatin1(form.label));
    CheckRadio(m_protocol, static_cast<int>(form.protocol));
    m_pttId->setText(FromLatin1(form.pttId));
}

QWidget* EditAliasFV::FieldWidget(AliasField field) const {
    return field == AliasField::Label ? static_cast<QWidget*>(m_label) : m_pttId;
}
