#include "config/deskset/SignalingPlanDCPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "config/deskset/ChannelLists.h"
#include "config/deskset/PageControls.h"

SignalingPlanDCPage::SignalingPlanDCPage(int channelIndex, QWidget* parent)
    : ChanWizardPage(PageCode::DcPlan, channelIndex, parent) {
    auto* group = new QGroupBox(tr("Tx Frequencies"), this);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(tr("Label"), group), 0, 1);
    grid->addWidget(new QLabel(tr("Current (mA)"), group), 0, 2);
    grid->addWidget(new QLabel(tr("*"), group), 0, 3);
    for (std::size_t f = 0; f < DcPlanForm::kFrequencies; ++f) {
        const int row = static_cast<int>(f) + 1;
        m_labels[f] = MakeTextEdit(static_cast<int>(layout::channel::kLabelWidth), group);
        m_currents[f] = MakeList(DcCurrentList(), group);
        m_detection[f] = new QCheckBox(group);
        auto* name = new QLabel(tr("F &%1").arg(row), group);
        name->setBuddy(m_labels[f]);
        grid->addWidget(name, row, 0);
        grid->addWidget(m_labels[f], row, 1);
        grid->addWidget(m_currents[f], row, 2);
        grid->addWidget(m_detection[f], row, 3);
    }
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

void SignalingPlanDCPage::Load(const ChannelRecord& record) {
    const DcPlanForm form = LoadDcPlan(record);
    for (std::size_t f = 0; f < DcPlanForm::kFrequencies; ++f) {
        m_labels[f]->setText(FromLatin1(form.labels[f]));
        SelectIndex(m_currents[f], form.currents[f]);
        m_detection[f]->setChecked(form.detection[f]);
    }
    SelectIndex(m_monitor, form.monitor);
}

DcPlanForm SignalingPlanDCPage::Read() const {
    DcPlanForm form;
    for (std::size_t f = 0; f < DcPlanForm::kFrequencies; ++f) {
        form.labels[f] = ToLatin1(m_labels[f]->text());
        form.currents[f] = m_currents[f]->currentIndex();
        form.detection[f] = m_detection[f]->isChecked();
    }
    form.monitor = m_monitor->currentIndex();
    return form;
}

void SignalingPlanDCPage::Write(ChannelRecord& record) const {
    WriteDcPlan(Read(), record);
}
