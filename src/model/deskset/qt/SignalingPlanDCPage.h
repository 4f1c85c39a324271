// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The DC signaling plan: label, current and talk permit tone detection of
// frequencies 1 to 4, and the monitor current.

#include <memory>

#include "model/deskset/DcPlanForm.h"
#include "model/deskset/qt/ChanWizardPage.h"
#include "model/deskset/qt/FrequencyRows.h"

class SignalingPlanDCPage : public ChanWizardPage {
    Q_OBJECT

public:
    explicit SignalingPlanDCPage(int channelIndex, QWidget* parent = nullptr);
    ~SignalingPlanDCPage() override;

    QLineEdit* LabelEdit(std::size_t f) const { return m_rows->Label(f); }
    QComboBox* CurrentList(std::size_t f) const { return m_rows->Selector(f); }
    QCheckBox* DetectionCheck(std::size_t f) const { return m_rows->Detection(f); }
    QComboBox* MonitorList() const { return m_monitor; }

protected:
    void Load(const ChannelRecord& record) override;
    void Write(ChannelRecord& record) const override;

private:
    std::unique_ptr<FrequencyRows> m_rows;
    QComboBox* m_monitor;
};
