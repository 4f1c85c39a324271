// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/DesksetCfgFV.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/CConfigTree.h"
#include "app/Prompt.h"
#include "model/deskset/DesksetFields.h"
#include "model/editing/qt/AcceleratedSpinEdit.h"
#include "model/editing/qt/PageControls.h"

DesksetCfgFV::DesksetCfgFV(const EditorContext& context)
    // The modified mark stays on when the type change is then refused.
    : FormWindow(context, MarkModified::BeforeWrite) {
    namespace f = deskset_fields;
    auto* settings = new QGroupBox("Settings", this);
    m_type = MakeList(f::kType.list(), settings);
    m_muteTimer = MakeList(MuteTimerList(), settings);
    m_muteLevel = MakeList(f::kMuteLevel.list(), settings);
    m_printerBaudRate = MakeList(f::kPrinterBaudRate.list(), settings);
    m_hourMode = MakeList(f::kHourMode.list(), settings);
    m_pagingFeedback = MakeList(f::kPagingFeedback.list(), settings);
    for (std::size_t k = 0; k < kDesksetNumberCount; ++k) {
        m_numbers[k] = new AcceleratedSpinEdit(
            0, DesksetNumberMaximum(static_cast<DesksetField>(k)), settings);
    }
    const auto checkBox = [settings](const Field& field) {
        return new QCheckBox(QString::fromStdString(LabelText(field)), settings);
    };
    m_unselectSpeaker = checkBox(f::kUseUnselectSpeaker);
    m_externalMic = checkBox(f::kExternalMicPresent);
    m_displayTime = checkBox(f::kDisplayTime);
    m_micAgc = checkBox(f::kMicAgc);
    m_handsetPresent = checkBox(f::kHandsetPresent);

    auto* grid = new QGridLayout(settings);
    const auto row = [&](int r, int column, const Field& field, QWidget* control) {
        auto* label = new QLabel(QString::fromStdString(LabelText(field)), settings);
        label->setBuddy(control);
        grid->addWidget(label, r, column);
        grid->addWidget(control, r, column + 1);
    };
    row(0, 0, f::kType, m_type);
    row(1, 0, f::kMuteTimer, m_muteTimer);
    row(2, 0, f::kPagingVoiceAnnotation, NumberEdit(DesksetField::PagingVoiceAnnotation));
    row(3, 0, f::kMuteLevel, m_muteLevel);
    row(4, 0, f::kTransmitDelay, NumberEdit(DesksetField::TransmitDelay));
    row(0, 2, f::kPrinterBaudRate, m_printerBaudRate);
    row(1, 2, f::kHourMode, m_hourMode);
    row(2, 2, f::kPageKeyUpDelay, NumberEdit(DesksetField::PageKeyUpDelay));
    row(3, 2, f::kPagingFeedback, m_pagingFeedback);
    grid->addWidget(m_unselectSpeaker, 5, 0);
    grid->addWidget(m_externalMic, 5, 2);
    grid->addWidget(m_displayTime, 6, 0);
    grid->addWidget(m_micAgc, 6, 2);
    grid->addWidget(m_handsetPresent, 7, 0);

    auto* relays = new QGroupBox("Relay", this);
    auto* relayLayout = new QGridLayout(relays);
    for (std::size_t relay = 0; relay < m_relays.size(); ++relay) {
        m_relays[relay] =
            new QCheckBox(QString("%1 &%2")
                              .arg(QString::fromStdString(LabelText(f::kRelayLatching)))
                              .arg(relay + 1),
                          relays);
        relayLayout->addWidget(m_relays[relay], static_cast<int>(relay / 2),
                               static_cast<int>(relay % 2));
    }

    connect(m_type, &QComboBox::currentIndexChanged, this,
            &DesksetCfgFV::EnableMultiChannelControls);

    // Down the left column, then the right one, then the check boxes row by row.
    SetTabOrder({m_type,
                 m_muteTimer,
                 NumberEdit(DesksetField::PagingVoiceAnnotation),
                 m_muteLevel,
                 NumberEdit(DesksetField::TransmitDelay),
                 m_printerBaudRate,
                 m_hourMode,
                 NumberEdit(DesksetField::PageKeyUpDelay),
                 m_pagingFeedback,
                 m_unselectSpeaker,
                 m_externalMic,
                 m_displayTime,
                 m_micAgc,
                 m_handsetPresent,
                 m_relays[0],
                 m_relays[1],
                 m_relays[2],
                 m_relays[3],
                 OkButton(),
                 CancelButton()});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(settings);
    layout->addWidget(relays);
    layout->addWidget(Buttons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DesksetCfgFV::OnInitialUpdate() {
    ShowForm(LoadDesksetSettings(TheImage()));
    SetFrameTitle(TreeText());
    if (QMdiSubWindow* frame = Frame()) {
        frame->move(0, 0);
    }
}

void DesksetCfgFV::ShowForm(const DesksetSettingsForm& form) {
    SelectIndex(m_type, form.desksetType);
    SelectIndex(m_muteTimer, MuteTimerList().IndexOf(form.muteTimer));
    SelectIndex(m_muteLevel, form.muteLevel);
    SelectIndex(m_printerBaudRate, form.printerBaudRate);
    SelectIndex(m_hourMode, form.hourMode);
    SelectIndex(m_pagingFeedback, form.pagingFeedback);
    for (std::size_t k = 0; k < kDesksetNumberCount; ++k) {
        m_numbers[k]->SetText(FromLatin1(form.numbers[k]));
    }
    m_unselectSpeaker->setChecked(form.useUnselectSpeaker);
    m_externalMic->setChecked(form.externalMic);
    m_displayTime->setChecked(form.displayTime);
    m_micAgc->setChecked(form.micAgc);
    m_handsetPresent->setChecked(form.handsetPresent);
    for (std::size_t relay = 0; relay < m_relays.size(); ++relay) {
        m_relays[relay]->setChecked(form.relayLatching[relay]);
    }
    EnableMultiChannelControls();
}

DesksetSettingsForm DesksetCfgFV::ReadForm() const {
    DesksetSettingsForm form;
    form.desksetType = m_type->currentIndex();
    form.muteTimer = ToLatin1(m_muteTimer->currentText());
    form.muteLevel = m_muteLevel->currentIndex();
    form.printerBaudRate = m_printerBaudRate->currentIndex();
    form.hourMode = m_hourMode->currentIndex();
    form.pagingFeedback = m_pagingFeedback->currentIndex();
    for (std::size_t k = 0; k < kDesksetNumberCount; ++k) {
        form.numbers[k] = ToLatin1(m_numbers[k]->text());
    }
    form.useUnselectSpeaker = m_unselectSpeaker->isChecked();
    form.externalMic = m_externalMic->isChecked();
    form.displayTime = m_displayTime->isChecked();
    form.micAgc = m_micAgc->isChecked();
    form.handsetPresent = m_handsetPresent->isChecked();
    for (std::size_t relay = 0; relay < m_relays.size(); ++relay) {
        form.relayLatching[relay] = m_relays[relay]->isChecked();
    }
    return form;
}

void DesksetCfgFV::EnableMultiChannelControls() {
    const bool enabled = MultiChannelControlsEnabled(ReadForm());
    m_muteTimer->setEnabled(enabled);
    m_muteLevel->setEnabled(enabled);
    m_unselectSpeaker->setEnabled(enabled);
}

std::optional<FormWindow::Refusal> DesksetCfgFV::Check() const {
    return RefusalOf(ValidateDesksetSettings(ReadForm()),
                     [this](DesksetField field) { return NumberEdit(field); });
}

bool DesksetCfgFV::Write() {
    const DesksetSettingsForm form = ReadForm();
    const DesksetTypeChange change = TypeChangeOf(TheImage(), form);
    switch (change) {
        case DesksetTypeChange::FourToSingle:
            if (!ConvertToSingleChannel()) {
                return false;
            }
            break;
        case DesksetTypeChange::SingleToFour:
            ConvertToFourChannels();
            break;
        case DesksetTypeChange::None:
            break;
    }
    WriteDesksetSettings(form, TheImage());
    if (change != DesksetTypeChange::None) {
        Tree().RefreshChannelItems();
    }
    return true;
}

bool DesksetCfgFV::ConvertToSingleChannel() {
    if (ThePrompt().Ask(kEraseQuestion, PromptIcon::Question, PromptButtons::YesNo) !=
        PromptAnswer::Yes) {
        return false;
    }
    // Open windows show what is about to change; they go and the buttons window comes back.
    const bool buttonsOpen = Windows().IsEditorOpen(EditorKind::DesksetButtonsCfg);
    Windows().CloseEditor(EditorKind::DesksetButtonsCfg);
    Windows().CloseChannelEditorsAbove1();
    MakeSingleChannel(TheImage());
    if (buttonsOpen) {
        Windows().OpenEditor(EditorKind::DesksetButtonsCfg);
    }
    return true;
}

void DesksetCfgFV::ConvertToFourChannels() {
    MakeFourChannel(TheImage());
    Windows().ReopenButtonsEditor();
}
