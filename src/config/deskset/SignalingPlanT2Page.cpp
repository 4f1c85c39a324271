#include "config/deskset/SignalingPlanT2Page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "config/deskset/ChannelLists.h"
#include "config/deskset/PageControls.h"

namespace {

constexpr std::size_t kRowsPerColumn = 8;
constexpr int kColumnsPerHalf = 4;  // name, label, tone, detection

}  // namespace

SignalingPlanT2Page::SignalingPlanT2Page(int channelIndex, QWidget* parent)
    : ChanWizardPage(PageCode::TonePlan2, channelIndex, parent) {
    auto* tones = new QGroupBox(tr("Function Tones"), this);
    auto* grid = new QGridLayout(tones);
    for (int half = 0; half < 2; ++half) {
        const int column = half * kColumnsPerHalf;
        grid->addWidget(new QLabel(tr("Label"), tones), 0, column + 1);
        grid->addWidget(new QLabel(tr("Freq (Hz)"), tones), 0, column + 2);
        grid->addWidget(new QLabel(tr("*"), tones), 0, column + 3);
    }
    for (std::size_t f = 0; f < TonePlan2Form::kFrequencies; ++f) {
        const int row = static_cast<int>(f % kRowsPerColumn) + 1;
        const int column = static_cast<int>(f / kRowsPerColumn) * kColumnsPerHalf;
        m_labels[f] = MakeTextEdit(static_cast<int>(layout::channel::kLabelWidth), tones);
        m_tones[f] = MakeList(::ToneList(), tones);
        m_detection[f] = new QCheckBox(tones);
        // Mnemonics on F 1 to F 8 only: digits 1 to 8 are single keys.
        const QString name = f < kRowsPerColumn ? tr("F &%1").arg(f + 1) : tr("F %1").arg(f + 1);
        auto* label = new QLabel(name, tones);
        label->setBuddy(m_labels[f]);
        grid->addWidget(label, row, column);
        grid->addWidget(m_labels[f], row, column + 1);
        grid->addWidget(m_tones[f], row, column + 2);
        grid->addWidget(m_detection[f], row, column + 3);
    }

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

void SignalingPlanT2Page::Load(const ChannelRecord& record) {
    const TonePlan2Form form = LoadTonePlan2(record);
    for (std::size_t f = 0; f < TonePlan2Form::kFrequencies; ++f) {
        m_labels[f]->setText(FromLatin1(form.labels[f]));
        SelectIndex(m_tones[f], form.tones[f]);
        m_detection[f]->setChecked(form.detection[f]);
    }
    for (std::size_t k = 0; k < kWildcardCount; ++k) {
        SelectIndex(m_wildcards[k], form.wildcards[k]);
    }
}

TonePlan2Form SignalingPlanT2Page::Read() const {
    TonePlan2Form form;
    for (std::size_t f = 0; f < TonePlan2Form::kFrequencies; ++f) {
        form.labels[f] = ToLatin1(m_labels[f]->text());
        form.tones[f] = m_tones[f]->currentIndex();
        form.detection[f] = m_detection[f]->isChecked();
    }
    for (std::size_t k = 0; k < kWildcardCount; ++k) {
        form.wildcards[k] = m_wildcards[k]->currentIndex();
    }
    return form;
}

void SignalingPlanT2Page::Write(ChannelRecord& record) const {
    WriteTonePlan2(Read(), record);
}
