// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/CChanTalkPermitTone.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/deskset/ChannelFields.h"
#include "model/editing/qt/PageControls.h"

CChanTalkPermitTone::CChanTalkPermitTone(int channelIndex, QWidget* parent)
    : ChanWizardPage(PageCode::TalkPermitTone, channelIndex, parent) {
    // In TalkPermitField order.
    const Field* fields[kTalkPermitFieldCount] = {
        &channel_fields::kTalkPermitTimeOut,       &channel_fields::kTalkPermitFrequency,
        &channel_fields::kTalkPermitBeepCount,     &channel_fields::kTalkPermitBeepDuration,
        &channel_fields::kTalkPermitPauseDuration, &channel_fields::kTalkPermitPostTime};
    auto* group = new QGroupBox(tr("Talk Permit Tone"), this);
    auto* form = new QFormLayout(group);
    for (std::size_t k = 0; k < kTalkPermitFieldCount; ++k) {
        m_numbers[k] = MakeDigitsEdit(group);
        form->addRow(FieldLabel(*fields[k]), m_numbers[k]);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();
}

void CChanTalkPermitTone::Load(const ChannelRecord& record) {
    const TalkPermitToneForm form = LoadTalkPermitTone(record);
    ShowTexts(m_numbers, form.numbers);
}

TalkPermitToneForm CChanTalkPermitTone::Read() const {
    TalkPermitToneForm form;
    form.numbers = ReadTexts(m_numbers);
    return form;
}

bool CChanTalkPermitTone::Validate() {
    return Passes(ValidateTalkPermitTone(Read()),
                  [this](TalkPermitField field) { return NumberEdit(field); });
}

void CChanTalkPermitTone::Write(ChannelRecord& record) const {
    WriteTalkPermitTone(Read(), record);
}
