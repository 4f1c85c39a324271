// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/DTMFDecodePage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "model/deskset/ChannelFields.h"
#include "model/deskset/ChannelLists.h"
#include "model/editing/qt/PageControls.h"

DTMFDecodePage::DTMFDecodePage(PageCode code, int channelIndex, QWidget* parent)
    : ChanWizardPage(code, channelIndex, parent) {
    auto* group = new QGroupBox(tr("DTMF"), this);
    auto* form = new QFormLayout(group);
    // The digit lists as wide as their digits, like the number fields below them.
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_minDigits = MakeList(DigitCountList(), group);
    m_maxDigits = MakeList(DigitCountList(), group);
    m_numbers[static_cast<std::size_t>(DtmfField::DigitDuration)] = MakeDigitsEdit(group);
    m_numbers[static_cast<std::size_t>(DtmfField::InterdigitTiming)] = MakeDigitsEdit(group);
    form->addRow(FieldLabel(channel_fields::dtmf::kMinDigits), m_minDigits);
    form->addRow(FieldLabel(channel_fields::dtmf::kMaxDigits), m_maxDigits);
    form->addRow(FieldLabel(channel_fields::dtmf::kDigitDuration),
                 NumberEdit(DtmfField::DigitDuration));
    form->addRow(FieldLabel(channel_fields::dtmf::kInterdigitTiming),
                 NumberEdit(DtmfField::InterdigitTiming));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch();

    connect(m_minDigits, &QComboBox::currentIndexChanged, this, [this](int index) {
        DtmfForm form = Read();
        ChooseMinDigits(form, index);
        ShowDigits(form);
    });
    connect(m_maxDigits, &QComboBox::currentIndexChanged, this, [this](int index) {
        DtmfForm form = Read();
        ChooseMaxDigits(form, index);
        ShowDigits(form);
    });
}

void DTMFDecodePage::ShowDigits(const DtmfForm& form) {
    // Setting one list must not couple the other a second time.
    const QSignalBlocker blockMin(m_minDigits);
    const QSignalBlocker blockMax(m_maxDigits);
    SelectIndex(m_minDigits, form.minDigits);
    SelectIndex(m_maxDigits, form.maxDigits);
}

void DTMFDecodePage::Load(const ChannelRecord& record) {
    const DtmfForm form = LoadDtmf(record);
    ShowDigits(form);
    ShowTexts(m_numbers, form.numbers);
}

DtmfForm DTMFDecodePage::Read() const {
    DtmfForm form;
    form.minDigits = m_minDigits->currentIndex();
    form.maxDigits = m_maxDigits->currentIndex();
    form.numbers = ReadTexts(m_numbers);
    return form;
}

bool DTMFDecodePage::Validate() {
    return Passes(ValidateDtmf(Read()), [this](DtmfField field) { return NumberEdit(field); });
}

void DTMFDecodePage::Write(ChannelRecord& record) const {
    WriteDtmf(Read(), record);
}
