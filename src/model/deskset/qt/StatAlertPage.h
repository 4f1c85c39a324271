// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The stat alert data: mode, pretimes, RAC, retry constant, limited patience,
// DOS coast, busy timer and emergency acknowledge.

#include <array>

#include "model/deskset/StatAlertForm.h"
#include "model/deskset/qt/ChanWizardPage.h"

class FilteredEdit;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class RangeSpinEdit;

class StatAlertPage : public ChanWizardPage {
    Q_OBJECT

public:
    explicit StatAlertPage(int channelIndex, QWidget* parent = nullptr);

    QButtonGroup* ModeGroup() const { return m_mode; }
    QButtonGroup* PretimeKindGroup() const { return m_pretimeKind; }
    QButtonGroup* RacModeGroup() const { return m_racMode; }
    // The edits of the durations; limited patience is LimitedPatienceSpin.
    QLineEdit* NumberEdit(StatAlertNumber number) const {
        return m_numbers[static_cast<std::size_t>(number)];
    }
    QLineEdit* DefaultRacEdit() const;
    RangeSpinEdit* LimitedPatienceSpin() const { return m_limitedPatience; }
    QComboBox* RetryConstantList() const { return m_retryConstant; }
    QCheckBox* BusyTimerCheck() const { return m_busyTimer; }
    QCheckBox* EmergencyAcknowledgeCheck() const { return m_emergencyAcknowledge; }

protected:
    void Load(const ChannelRecord& record) override;
    bool Validate() override;
    void Write(ChannelRecord& record) const override;

private:
    QWidget* MakeModeGroup();
    QWidget* MakePretimeGroup();
    QWidget* MakeRacGroup();
    QWidget* MakeOtherFields();
    QLineEdit* AddDurationEdit(StatAlertNumber number);
    StatAlertForm Read() const;
    QWidget* FieldWidget(StatAlertField field) const;

    QButtonGroup* m_mode;
    QButtonGroup* m_pretimeKind;
    QButtonGroup* m_racMode;
    // By StatAlertNumber; none for limited patience.
    std::array<QLineEdit*, kStatAlertNumberCount> m_numbers{};
    FilteredEdit* m_defaultRac = nullptr;
    RangeSpinEdit* m_limitedPatience = nullptr;
    QComboBox* m_retryConstant = nullptr;
    QCheckBox* m_busyTimer = nullptr;
    QCheckBox* m_emergencyAcknowledge = nullptr;
};
