// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tone signaling plan, part 1: guard tone, encryption, monitor, function tone
// duration and level, repeater tones.

#include <array>

#include "model/deskset/TonePlanForms.h"
#include "model/deskset/qt/ChanWizardPage.h"

class QComboBox;
class QLineEdit;

class SignalingPlanT1Page : public ChanWizardPage {
    Q_OBJECT

public:
    explicit SignalingPlanT1Page(int channelIndex, QWidget* parent = nullptr);

    QComboBox* ToneList(TonePlan1Tone tone) const {
        return m_tones[static_cast<std::size_t>(tone)];
    }
    QLineEdit* NumberEdit(TonePlan1Number number) const {
        return m_numbers[static_cast<std::size_t>(number)];
    }

protected:
    void Load(const ChannelRecord& record) override;
    bool Validate() override;
    void Write(ChannelRecord& record) const override;

private:
    QComboBox* AddTone(TonePlan1Tone tone, const QString& label, QWidget* group);
    QLineEdit* AddNumber(TonePlan1Number number, const QString& label, QWidget* group);
    TonePlan1Form Read() const;

    std::array<QComboBox*, kTonePlan1ToneCount> m_tones{};
    std::array<QLineEdit*, kTonePlan1NumberCount> m_numbers{};
};
