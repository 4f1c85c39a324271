// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tone signaling plan, part 2: label, function tone and talk permit tone
// detection of frequencies 1 to 16, and the wildcard tones.

#include <array>
#include <memory>

#include "model/deskset/TonePlanForms.h"
#include "model/deskset/qt/ChanWizardPage.h"
#include "model/deskset/qt/FrequencyRows.h"

class SignalingPlanT2Page : public ChanWizardPage {
    Q_OBJECT

public:
    explicit SignalingPlanT2Page(int channelIndex, QWidget* parent = nullptr);
    ~SignalingPlanT2Page() override;

    QLineEdit* LabelEdit(std::size_t f) const { return m_rows->Label(f); }
    QComboBox* ToneList(std::size_t f) const { return m_rows->Selector(f); }
    QCheckBox* DetectionCheck(std::size_t f) const { return m_rows->Detection(f); }
    // 1 on, 1 off, 2 on, 2 off.
    QComboBox* WildcardList(std::size_t k) const { return m_wildcards.at(k); }

protected:
    void Load(const ChannelRecord& record) override;
    void Write(ChannelRecord& record) const override;

private:
    std::unique_ptr<FrequencyRows> m_rows;
    std::array<QComboBox*, kWildcardCount> m_wildcards{};
};
