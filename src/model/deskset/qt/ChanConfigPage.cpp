// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/ChanConfigPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "model/deskset/ChannelCodes.h"
#include "model/deskset/ChannelFields.h"
#include "model/deskset/ChannelFilters.h"
#include "model/deskset/ChannelLists.h"
#include "model/editing/qt/FilteredEdit.h"
#include "model/editing/qt/PageControls.h"

namespace {

namespace cc = channel_codes;

QGroupBox* RadioGroup(const QString& title, QButtonGroup* group, const QStringList& labels) {
    auto* box = new QGroupBox(title);
    AddRadios(group, new QVBoxLayout(box), labels);
    return box;
}

// A group of labelled lists; each label's mnemonic moves to its list.
QGroupBox* ListGroup(const QString& title,
                     std::initializer_list<std::pair<QString, QComboBox*>> rows) {
    auto* box = new QGroupBox(title);
    auto* form = new QFormLayout(box);
    for (const auto& [label, list] : rows) {
        form->addRow(label, list);
    }
    return box;
}

QLabel* BuddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

ChanConfigPage::ChanConfigPage(int channelIndex, QWidget* parent)
    : ChanWizardPage(PageCode::Channel, channelIndex, parent),
      m_keying(new QButtonGroup(this)),
      m_option(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(MakeKeyingGroup(), 0, 0);
    grid->addWidget(MakeLevelsGroup(), 1, 0);
    grid->addWidget(MakeSignalingGroup(), 0, 1, 2, 1);
    grid->addWidget(MakeParallelGroup(), 2, 0);
    grid->addWidget(MakePortGroup(), 2, 1);
    grid->addWidget(MakeIoGroup(), 0, 2, 3, 1);

    m_label = MakeTextEdit(static_cast<int>(layout::channel::kLabelWidth), this);
    m_labelLabel = BuddyLabel(FieldLabel(channel_fields::kFrequencyLabel), m_label);
    m_detection = new QCheckBox(tr("*"), this);
    m_detectionLabel = BuddyLabel(FieldLabel(channel_fields::kDetection), m_detection);
    auto* labelRow = new QHBoxLayout;
    labelRow->addWidget(m_labelLabel);
    labelRow->addWidget(m_label);
    labelRow->addSpacing(16);
    labelRow->addWidget(m_detectionLabel);
    labelRow->addWidget(m_detection);
    labelRow->addStretch();
    grid->addLayout(labelRow, 3, 0, 1, 3);
    grid->setRowStretch(4, 1);

    connect(m_keying, &QButtonGroup::idClicked, this, &ChanConfigPage::OnRadioClicked);
    connect(m_option, &QButtonGroup::idClicked, this, &ChanConfigPage::OnRadioClicked);
}

QWidget* ChanConfigPage::MakeKeyingGroup() {
    QGroupBox* box = RadioGroup(FieldLabel(channel_fields::kKeying), m_keying,
                                {tr("&Tone"), tr("D&C"), tr("N&one")});
    m_dcRadio = qobject_cast<QRadioButton*>(m_keying->button(cc::kKeyingDc));
    return box;
}

QWidget* ChanConfigPage::MakeLevelsGroup() {
    m_txLevel = MakeList(LevelList(), this);
    m_rxAgcLevel = MakeList(LevelList(), this);
    return ListGroup(tr("Tx / Rx Levels"),
                     {{FieldLabel(channel_fields::kTxLevel), m_txLevel},
                      {FieldLabel(channel_fields::kRxAgcLevel), m_rxAgcLevel}});
}

QWidget* ChanConfigPage::MakeSignalingGroup() {
    QGroupBox* box = RadioGroup(
        FieldLabel(channel_fields::kSignalingOption), m_option,
        {tr("Non&e"), tr("Stat &Alert"), tr("&DTMF decode"), tr("DTMF &selective call")});
    m_desksetId = new FilteredEdit(
        static_cast<int>(layout::channel::kDesksetIdWidth),
        [this](std::string_view text) { return FilterDesksetId(text, m_option->checkedId()); },
        box);
    auto* form = new QFormLayout;
    form->addRow(FieldLabel(channel_fields::kDesksetId), m_desksetId);
    form->addRow(FieldLabel(channel_fields::kSignalingRelay),
                 MakeChannelList(ChannelList::SignalingRelay));
    qobject_cast<QVBoxLayout*>(box->layout())->addLayout(form);
    return box;
}

QWidget* ChanConfigPage::MakeParallelGroup() {
    return ListGroup(tr("Parallel Desksets"), {{FieldLabel(channel_fields::kCrossMute),
                                                MakeChannelList(ChannelList::CrossMute)},
                                               {FieldLabel(channel_fields::kParallelStatus),
                                                MakeChannelList(ChannelList::ParallelStatus)}});
}

QWidget* ChanConfigPage::MakePortGroup() {
    return ListGroup(
        tr("Port Configuration"),
        {{FieldLabel(channel_fields::kTermination), MakeChannelList(ChannelList::Termination)},
         {FieldLabel(channel_fields::kInterface), MakeChannelList(ChannelList::Interface)}});
}

QWidget* ChanConfigPage::MakeIoGroup() {
    auto* box = new QGroupBox(tr("I/O"));
    auto* form = new QFormLayout(box);
    form->addRow(FieldLabel(channel_fields::kPttRelay), MakeChannelList(ChannelList::PttRelay));
    form->addRow(FieldLabel(channel_fields::kPttSense), MakeChannelList(ChannelList::PttSense));
    form->addRow(FieldLabel(channel_fields::kEncryptRelay),
                 MakeChannelList(ChannelList::EncryptRelay));
    form->addRow(FieldLabel(channel_fields::kEncryptSense),
                 MakeChannelList(ChannelList::EncryptSense));
    form->addRow(FieldLabel(channel_fields::kMonitorRelay),
                 MakeChannelList(ChannelList::MonitorRelay));
    m_monitorLatching = new QCheckBox(FieldLabel(channel_fields::kMonitorLatching), box);
    form->addRow(m_monitorLatching);
    form->addRow(FieldLabel(channel_fields::kELead), MakeChannelList(ChannelList::ELead));
    m_hangoverDelay = MakeDigitsEdit(box, 5);
    form->addRow(FieldLabel(channel_fields::kHangoverDelay), m_hangoverDelay);
    return box;
}

QComboBox* ChanConfigPage::MakeChannelList(ChannelList list) {
    QComboBox* combo = MakeList(EntriesOf(list), this);
    m_lists[static_cast<std::size_t>(list)] = combo;
    return combo;
}

QLineEdit* ChanConfigPage::DesksetIdEdit() const {
    return m_desksetId;
}

ChannelPageForm ChanConfigPage::Read() const {
    ChannelPageForm form;
    form.keying = m_keying->checkedId();
    form.option = m_option->checkedId();
    form.desksetId = ToLatin1(m_desksetId->text());
    form.txLevel = m_txLevel->currentIndex();
    form.rxAgcLevel = m_rxAgcLevel->currentIndex();
    for (std::size_t k = 0; k < kChannelListCount; ++k) {
        form.lists[k] = m_lists[k]->currentIndex();
    }
    form.monitorLatching = m_monitorLatching->isChecked();
    form.label = ToLatin1(m_label->text());
    form.detection = m_detection->isChecked();
    form.hangoverDelay = ToLatin1(m_hangoverDelay->text());
    return form;
}

void ChanConfigPage::Show(const ChannelPageForm& form) {
    CheckRadio(m_keying, form.keying);
    // The option first: it decides what the deskset ID edit accepts.
    CheckRadio(m_option, form.option);
    m_desksetId->setText(FromLatin1(form.desksetId));
    SelectIndex(m_txLevel, form.txLevel);
    SelectIndex(m_rxAgcLevel, form.rxAgcLevel);
    for (std::size_t k = 0; k < kChannelListCount; ++k) {
        SelectIndex(m_lists[k], form.lists[k]);
    }
    m_monitorLatching->setChecked(form.monitorLatching);
    m_label->setText(FromLatin1(form.label));
    m_detection->setChecked(form.detection);
    m_hangoverDelay->setText(FromLatin1(form.hangoverDelay));
    ShowDependentControls(form);
}

void ChanConfigPage::ShowDependentControls(const ChannelPageForm& form) {
    m_desksetId->setEnabled(cc::UsesDesksetId(form.option));
    const bool showLabel = ShowsLabel(form);
    for (QWidget* control :
         std::initializer_list<QWidget*>{m_labelLabel, m_label, m_detectionLabel, m_detection}) {
        control->setVisible(showLabel);
    }
}

void ChanConfigPage::Load(const ChannelRecord& record) {
    // DC keying is for channel 1 only; a DC value stored on another channel still shows.
    m_dcRadio->setEnabled(ChannelIndex() == 0);
    const ChannelPageForm form = LoadChannelPage(record);
    Show(form);
    emit PageSequenceChanged(form.keying, form.option);
}

void ChanConfigPage::OnRadioClicked() {
    ChannelPageForm form = Read();
    ApplyRadioChoice(form);
    m_desksetId->setText(FromLatin1(form.desksetId));
    ShowDependentControls(form);
    emit PageSequenceChanged(form.keying, form.option);
}

bool ChanConfigPage::Validate() {
    return Passes(ValidateChannelPage(Read()), [this](ChannelPageField field) -> QWidget* {
        switch (field) {
            case ChannelPageField::DesksetId:
                return m_desksetId;
            case ChannelPageField::Label:
                return m_label;
            case ChannelPageField::HangoverDelay:
                break;
        }
        return m_hangoverDelay;
    });
}

void ChanConfigPage::Write(ChannelRecord& record) const {
    WriteChannelPage(Read(), record);
}
