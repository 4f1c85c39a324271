// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/SignalingPlanT2Page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "model/deskset/ChannelLists.h"
#include "model/editing/qt/PageControls.h"

namespace {

constexpr std::size_t kRowsPerColumn = 8;  // F 1 to F 8 left, F 9 to F 16 right

}  // namespace

SignalingPlanT2Page::SignalingPlanT2Page(int channelIndex, QWidget* parent)
    : ChanWizardPage(PageCode::TonePlan2, channelIndex, parent) {
    auto* tones = new QGroupBox(tr("Function Tones"), this);
    m_rows = std::make_unique<FrequencyRows>(new QGridLayout(tones), TonePlan2Form::kFrequencies,
                                             ::ToneList(), tr("Freq (Hz)"), kRowsPerColumn, tones);

    auto* wildcards = new QGroupBox(tr("Wildcards"), this);
    auto* wildcardGrid = new QGridLayout(wildcards);
    const QString names[kWildcardCount] = {tr("Wil&dcard 1 on (Hz)"), tr("Wild&card 1 off (Hz)"),
                                           tr("Wildc&ard 2 on (Hz)"), tr("Wildca&rd 2 off (Hz)")};
    for (std::size_t k = 0; k < kWildcardCount; ++k) {
        m_wildcards[k] = MakeList(::ToneList(), wildcards);
        auto* label = new QLabel(names[k], wildcards);
        label->setBuddy(m_wildcards[k]);
        // Wildcard 1 on the left, wildcard 2 on the right; on above off.
        const int row = static_cast<int>(k % 2);
        const int column = static_cast<int>(k / 2) * 2;
        wildcardGrid->addWidget(label, row, column);
        wildcardGrid->addWidget(m_wildcards[k], row, column + 1);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tones);
    layout->addWidget(wildcards);
    layout->addWidget(new QLabel(tr("* Talk permit tone detection on"), this));
    layout->addStretch();
}

SignalingPlanT2Page::~SignalingPlanT2Page() = default;

void SignalingPlanT2Page::Load(const ChannelRecord& record) {
    const TonePlan2Form form = LoadTonePlan2(record);
    m_rows->Show(form.rows);
    for (std::size_t k = 0; k < kWildcardCount; ++k) {
        SelectIndex(m_wildcards[k], form.wildcards[k]);
    }
}

void SignalingPlanT2Page::Write(ChannelRecord& record) const {
    TonePlan2Form form;
    m_rows->Read(form.rows);
    for (std::size_t k = 0; k < kWildcardCount; ++k) {
        form.wildcards[k] = m_wildcards[k]->currentIndex();
    }
    WriteTonePlan2(form, record);
}
