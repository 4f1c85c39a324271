// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/StatAlertPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "model/deskset/ChannelCodes.h"
#include "model/deskset/ChannelFields.h"
#include "model/deskset/ChannelFilters.h"
#include "model/deskset/ChannelLists.h"
#include "model/editing/qt/FilteredEdit.h"
#include "model/editing/qt/PageControls.h"
#include "model/editing/qt/RangeSpinEdit.h"

namespace {

constexpr int kRacDigits = 4;

}  // namespace

StatAlertPage::StatAlertPage(int channelIndex, QWidget* parent)
    : ChanWizardPage(PageCode::StatAlert, channelIndex, parent),
      m_mode(new QButtonGroup(this)),
      m_pretimeKind(new QButtonGroup(this)),
      m_racMode(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    grid->addWidget(MakeModeGroup(), 0, 0);
    grid->addWidget(MakePretimeGroup(), 1, 0);
    grid->addWidget(MakeRacGroup(), 0, 1, 2, 1);
    grid->addWidget(MakeOtherFields(), 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
}

// Controls join the tab order when they are put in their place, so each is
// made without a parent and placed at once, in the order they are drawn.
QLineEdit* StatAlertPage::AddDurationEdit(StatAlertNumber number) {
    QLineEdit* edit = MakeDigitsEdit(nullptr);
    m_numbers[static_cast<std::size_t>(number)] = edit;
    return edit;
}

QWidget* StatAlertPage::MakeModeGroup() {
    auto* box = new QGroupBox(FieldLabel(channel_fields::stat_alert::kMode));
    AddRadios(m_mode, new QVBoxLayout(box), {tr("&Leading"), tr("&Trailing"), tr("No PTT &ID")});
    return box;
}

QWidget* StatAlertPage::MakePretimeGroup() {
    auto* box = new QGroupBox(tr("Pretime"));
    auto* layout = new QVBoxLayout(box);
    auto* radios = new QHBoxLayout;
    AddRadios(m_pretimeKind, radios, {tr("&Silent"), tr("Bit s&ync")});
    layout->addLayout(radios);
    auto* form = new QFormLayout;
    form->addRow(FieldLabel(channel_fields::stat_alert::kLeadingPretime),
                 AddDurationEdit(StatAlertNumber::LeadingPretime));
    form->addRow(FieldLabel(channel_fields::stat_alert::kTrailingPretime),
                 AddDurationEdit(StatAlertNumber::TrailingPretime));
    layout->addLayout(form);
    return box;
}

QWidget* StatAlertPage::MakeRacGroup() {
    auto* box = new QGroupBox(tr("RAC"));
    auto* layout = new QVBoxLayout(box);
    AddRadios(m_racMode, layout, {tr("&None"), tr("&Manual"), tr("&Auto")});
    m_defaultRac = new FilteredEdit(kRacDigits, FilterRac, box);
    FitWidthToCharacters(m_defaultRac, kRacDigits);
    auto* form = new QFormLayout;
    form->addRow(FieldLabel(channel_fields::stat_alert::kDefaultRac), m_defaultRac);
    form->addRow(FieldLabel(channel_fields::stat_alert::kRacPretime),
                 AddDurationEdit(StatAlertNumber::RacPretime));
    layout->addLayout(form);
    return box;
}

QWidget* StatAlertPage::MakeOtherFields() {
    auto* widget = new QWidget;
    auto* form = new QFormLayout(widget);
    form->setContentsMargins(0, 0, 0, 0);
    // The retry constants are numbers: the list is as wide as they are.
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    m_retryConstant = MakeList(::RetryConstantList(), nullptr);
    form->addRow(FieldLabel(channel_fields::stat_alert::kRetryConstant), m_retryConstant);
    m_limitedPatience = new RangeSpinEdit(0, kLimitedPatienceMax);
    form->addRow(FieldLabel(channel_fields::stat_alert::kLimitedPatience), m_limitedPatience);
    form->addRow(FieldLabel(channel_fields::stat_alert::kDosCoast),
                 AddDurationEdit(StatAlertNumber::DosCoast));
    m_busyTimer = new QCheckBox(FieldLabel(channel_fields::stat_alert::kBusyTimer));
    form->addRow(m_busyTimer);
    m_emergencyAcknowledge =
        new QCheckBox(FieldLabel(channel_fields::stat_alert::kEmergencyAcknowledge));
    form->addRow(m_emergencyAcknowledge);
    return widget;
}

QLineEdit* StatAlertPage::DefaultRacEdit() const {
    return m_defaultRac;
}

void StatAlertPage::Load(const ChannelRecord& record) {
    const StatAlertForm form = LoadStatAlert(record);
    CheckRadio(m_mode, form.mode);
    CheckRadio(m_pretimeKind, form.pretimeKind);
    CheckRadio(m_racMode, form.racMode);
    ShowTexts(m_numbers, form.numbers);
    m_limitedPatience->SetText(FromLatin1(form.Number(StatAlertNumber::LimitedPatience)));
    m_defaultRac->setText(FromLatin1(form.defaultRac));
    SelectIndex(m_retryConstant, form.retryConstant);
    m_busyTimer->setChecked(form.busyTimer);
    m_emergencyAcknowledge->setChecked(form.emergencyAcknowledge);
}

StatAlertForm StatAlertPage::Read() const {
    StatAlertForm form;
    form.mode = m_mode->checkedId();
    form.pretimeKind = m_pretimeKind->checkedId();
    form.racMode = m_racMode->checkedId();
    form.numbers = ReadTexts(m_numbers);
    form.Number(StatAlertNumber::LimitedPatience) = ToLatin1(m_limitedPatience->text());
    form.defaultRac = ToLatin1(m_defaultRac->text());
    form.retryConstant = m_retryConstant->currentIndex();
    form.busyTimer = m_busyTimer->isChecked();
    form.emergencyAcknowledge = m_emergencyAcknowledge->isChecked();
    return form;
}

QWidget* StatAlertPage::FieldWidget(StatAlertField field) const {
    switch (field) {
        case StatAlertField::LeadingPretime:
            return NumberEdit(StatAlertNumber::LeadingPretime);
        case StatAlertField::TrailingPretime:
            return NumberEdit(StatAlertNumber::TrailingPretime);
        case StatAlertField::DefaultRac:
            return m_defaultRac;
        case StatAlertField::RacPretime:
            return NumberEdit(StatAlertNumber::RacPretime);
        case StatAlertField::LimitedPatience:
            return m_limitedPatience;
        case StatAlertField::DosCoast:
            break;
    }
    return NumberEdit(StatAlertNumber::DosCoast);
}

bool StatAlertPage::Validate() {
    return Passes(ValidateStatAlert(Read()),
                  [this](StatAlertField field) { return FieldWidget(field); });
}

void StatAlertPage::Write(ChannelRecord& record) const {
    WriteStatAlert(Read(), record);
}
