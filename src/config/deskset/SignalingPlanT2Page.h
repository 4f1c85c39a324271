#pragma once
// Tone signaling plan, part 2: label, function tone and talk permit tone
// detection of frequencies 1 to 16, and the wildcard tones.

#include <array>

#include "config/deskset/ChanWizardPage.h"
#include "config/deskset/TonePlanForms.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class SignalingPlanT2Page : public ChanWizardPage {
    Q_OBJECT

public:
    explicit SignalingPlanT2Page(int channelIndex, QWidget* parent = nullptr);

    QLineEdit* LabelEdit(std::size_t f) const { return m_labels.at(f); }
    QComboBox* ToneList(std::size_t f) const { return m_tones.at(f); }
    QCheckBox* DetectionCheck(std::size_t f) const { return m_detection.at(f); }
    // 1 on, 1 off, 2 on, 2 off.
    QComboBox* WildcardList(std::size_t k) const { return m_wildcards.at(k); }

protected:
    void Load(const ChannelRecord& record) override;
    void Write(ChannelRecord& record) const override;

private:
    TonePlan2Form Read() const;

    std::array<QLineEdit*, TonePlan2Form::kFrequencies> m_labels{};
    std::array<QComboBox*, TonePlan2Form::kFrequencies> m_tones{};
    std::array<QCheckBox*, TonePlan2Form::kFrequencies> m_detection{};
    std::array<QComboBox*, kWildcardCount> m_wildcards{};
};
