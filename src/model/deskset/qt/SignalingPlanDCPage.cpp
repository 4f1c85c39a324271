// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/SignalingPlanDCPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "model/deskset/ChannelLists.h"
#include "model/editing/qt/PageControls.h"

SignalingPlanDCPage::SignalingPlanDCPage(int channelIndex, QWidget* parent)
    : ChanWizardPage(PageCode::DcPlan, channelIndex, parent) {
    auto* group = new QGroupBox(tr("Tx Frequencies"), this);
    auto* grid = new QGridLayout(group);
    m_rows = std::make_unique<FrequencyRows>(grid, DcPlanForm::kFrequencies, DcCurrentList(),
                                             tr("Current (mA)"), DcPlanForm::kFrequencies, group);
    m_monitor = MakeList(DcCurrentList(), group);
    auto* monitor = new QLabel(tr("&Monitor (mA)"), group);
    monitor->setBuddy(m_monitor);
    const int monitorRow = static_cast<int>(DcPlanForm::kFrequencies) + 1;
    grid->addWidget(monitor, monitorRow, 0, 1, 2, Qt::AlignRight);
    grid->addWidget(m_monitor, monitorRow, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(new QLabel(tr("* Talk permit tone detection on"), this));
    layout->addStretch();
}

SignalingPlanDCPage::~SignalingPlanDCPage() = default;

void SignalingPlanDCPage::Load(const ChannelRecord& record) {
    const DcPlanForm form = LoadDcPlan(record);
    m_rows->Show(form.rows);
    SelectIndex(m_monitor, form.monitor);
}

void SignalingPlanDCPage::Write(ChannelRecord& record) const {
    DcPlanForm form;
    m_rows->Read(form.rows);
    form.monitor = m_monitor->currentIndex();
    WriteDcPlan(form, record);
}
