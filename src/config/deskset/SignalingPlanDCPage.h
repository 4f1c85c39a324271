#pragma once
// The DC signaling plan: label, current and talk permit tone detection of
// frequencies 1 to 4, and the monitor current.

#include <array>

#include "config/deskset/ChanWizardPage.h"
#include "config/deskset/DcPlanForm.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

class SignalingPlanDCPage : public ChanWizardPage {
    Q_OBJECT

public:
    explicit SignalingPlanDCPage(int channelIndex, QWidget* parent = nullptr);

    QLineEdit* LabelEdit(std::size_t f) const { return m_labels.at(f); }
    QComboBox* CurrentList(std::size_t f) const { return m_currents.at(f); }
    QCheckBox* DetectionCheck(std::size_t f) const { return m_detection.at(f); }
    QComboBox* MonitorList() const { return m_monitor; }

protected:
    void Load(const ChannelRecord& record) override;
    void Write(ChannelRecord& record) const override;

private:
    DcPlanForm Read() const;

    std::array<QLineEdit*, DcPlanForm::kFrequencies> m_labels{};
    std::array<QComboBox*, DcPlanForm::kFrequencies> m_currents{};
    std::array<QCheckBox*, DcPlanForm::kFrequencies> m_detection{};
    QComboBox* m_monitor;
};
