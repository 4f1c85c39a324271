// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/SignalingPlanT1Page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "model/deskset/ChannelFields.h"
#include "model/editing/CharFilter.h"
#include "model/editing/qt/FilteredEdit.h"
#include "model/editing/qt/PageControls.h"

namespace {

// A sign and two digits.
constexpr int kLevelCharacters = 3;

bool IsLevel(TonePlan1Number number) {
    return number == TonePlan1Number::HlgtLevel || number == TonePlan1Number::LlgtLevel ||
           number == TonePlan1Number::FunctionToneLevel;
}

}  // namespace

SignalingPlanT1Page::SignalingPlanT1Page(int channelIndex, QWidget* parent)
    : ChanWizardPage(PageCode::TonePlan1, channelIndex, parent) {
    using enum TonePlan1Tone;
    using enum TonePlan1Number;
    auto* guard = new QGroupBox(tr("Guard Tone"), this);
    // The guard tone list holds numbers: as wide as they are, like the edits below it.
    (new QFormLayout(guard))->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    AddTone(Guard, FieldLabel(channel_fields::kGuardTone), guard);
    AddNumber(HlgtDuration, FieldLabel(channel_fields::kHlgtDuration), guard);
    AddNumber(HlgtLevel, FieldLabel(channel_fields::kHlgtLevel), guard);
    AddNumber(LlgtLevel, FieldLabel(channel_fields::kLlgtLevel), guard);

    auto* encryption = new QGroupBox(tr("Encryption"), this);
    new QFormLayout(encryption);
    AddTone(EncryptionCoded, FieldLabel(channel_fields::kEncryptionCodedTone), encryption);
    AddTone(EncryptionClear, FieldLabel(channel_fields::kEncryptionClearTone), encryption);

    auto* monitor = new QGroupBox(tr("Monitor Tone"), this);
    new QFormLayout(monitor);
    AddTone(Monitor, FieldLabel(channel_fields::kMonitorTone), monitor);

    auto* function = new QGroupBox(tr("Function Tones"), this);
    new QFormLayout(function);
    AddNumber(FunctionToneDuration, FieldLabel(channel_fields::kFunctionToneDuration), function);
    AddNumber(FunctionToneLevel, FieldLabel(channel_fields::kFunctionToneLevel), function);

    auto* repeater = new QGroupBox(tr("Repeater Tones"), this);
    new QFormLayout(repeater);
    AddTone(RepeaterEnable, FieldLabel(channel_fields::kRepeaterEnableTone), repeater);
    AddTone(RepeaterDisable, FieldLabel(channel_fields::kRepeaterDisableTone), repeater);

    auto* grid = new QGridLayout(this);
    grid->addWidget(guard, 0, 0, 2, 1);
    grid->addWidget(encryption, 0, 1);
    grid->addWidget(monitor, 1, 1);
    grid->addWidget(function, 2, 0);
    grid->addWidget(repeater, 2, 1);
    grid->setRowStretch(3, 1);
}

QComboBox* SignalingPlanT1Page::AddTone(TonePlan1Tone tone, const QString& label, QWidget* group) {
    QComboBox* combo = MakeList(EntriesOf(tone), group);
    m_tones[static_cast<std::size_t>(tone)] = combo;
    qobject_cast<QFormLayout*>(group->layout())->addRow(label, combo);
    return combo;
}

QLineEdit* SignalingPlanT1Page::AddNumber(TonePlan1Number number, const QString& label,
                                          QWidget* group) {
    QLineEdit* edit =
        IsLevel(number)
            ? new FilteredEdit(
                  0,
                  [](std::string_view text) { return CutAtFirstOutside(text, charsets::kLevel); },
                  group)
            : MakeDigitsEdit(group);
    if (IsLevel(number)) {
        FitWidthToCharacters(edit, kLevelCharacters);
    }
    m_numbers[static_cast<std::size_t>(number)] = edit;
    qobject_cast<QFormLayout*>(group->layout())->addRow(label, edit);
    return edit;
}

void SignalingPlanT1Page::Load(const ChannelRecord& record) {
    const TonePlan1Form form = LoadTonePlan1(record);
    for (std::size_t k = 0; k < kTonePlan1ToneCount; ++k) {
        SelectIndex(m_tones[k], form.tones[k]);
    }
    ShowTexts(m_numbers, form.numbers);
}

TonePlan1Form SignalingPlanT1Page::Read() const {
    TonePlan1Form form;
    for (std::size_t k = 0; k < kTonePlan1ToneCount; ++k) {
        form.tones[k] = m_tones[k]->currentIndex();
    }
    form.numbers = ReadTexts(m_numbers);
    return form;
}

bool SignalingPlanT1Page::Validate() {
    return Passes(ValidateTonePlan1(Read()),
                  [this](TonePlan1Number number) { return NumberEdit(number); });
}

void SignalingPlanT1Page::Write(ChannelRecord& record) const {
    WriteTonePlan1(Read(), record);
}
