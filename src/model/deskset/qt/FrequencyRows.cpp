// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/FrequencyRows.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "model/editing/qt/PageControls.h"

namespace {

constexpr int kColumnsPerBlock = 4;  // name, label, selector, detection
// Digits 1 to 8 are the mnemonics; F 9 and above have none.
constexpr std::size_t kMnemonicRows = 8;
// What the "*" column head stands for, as the note below the rows says.
constexpr char kDetectionColumn[] = "Talk permit tone detection";

}  // namespace

FrequencyRows::FrequencyRows(QGridLayout* grid, std::size_t count,
                             const ChoiceList& selectorEntries, const QString& selectorHead,
                             std::size_t rowsPerColumn, QWidget* parent) {
    const std::size_t blocks = (count + rowsPerColumn - 1) / rowsPerColumn;
    for (std::size_t block = 0; block < blocks; ++block) {
        const int column = static_cast<int>(block) * kColumnsPerBlock;
        grid->addWidget(new QLabel(QObject::tr("Label"), parent), 0, column + 1);
        grid->addWidget(new QLabel(selectorHead, parent), 0, column + 2);
        grid->addWidget(new QLabel(QObject::tr("*"), parent), 0, column + 3);
    }
    for (std::size_t f = 0; f < count; ++f) {
        const int row = static_cast<int>(f % rowsPerColumn) + 1;
        const int column = static_cast<int>(f / rowsPerColumn) * kColumnsPerBlock;
        m_labels.push_back(MakeTextEdit(static_cast<int>(layout::channel::kLabelWidth), parent));
        m_selectors.push_back(MakeList(selectorEntries, parent));
        m_detection.push_back(new QCheckBox(parent));
        const QString name = QObject::tr("F %1").arg(f + 1);
        // The list and the check box are named by their row and column, as they are read.
        m_selectors.back()->setAccessibleName(name + ' ' + selectorHead);
        m_detection.back()->setAccessibleName(name + ' ' + QObject::tr(kDetectionColumn));
        auto* label =
            new QLabel(f < kMnemonicRows ? QObject::tr("F &%1").arg(f + 1) : name, parent);
        label->setBuddy(m_labels.back());
        grid->addWidget(label, row, column);
        grid->addWidget(m_labels.back(), row, column + 1);
        grid->addWidget(m_selectors.back(), row, column + 2);
        grid->addWidget(m_detection.back(), row, column + 3);
    }
}

void FrequencyRows::Show(std::span<const FrequencyRow> rows) {
    for (std::size_t f = 0; f < rows.size() && f < m_labels.size(); ++f) {
        m_labels[f]->setText(FromLatin1(rows[f].label));
        SelectIndex(m_selectors[f], rows[f].selector);
        m_detection[f]->setChecked(rows[f].detection);
    }
}

void FrequencyRows::Read(std::span<FrequencyRow> rows) const {
    for (std::size_t f = 0; f < rows.size() && f < m_labels.size(); ++f) {
        rows[f] = {ToLatin1(m_labels[f]->text()), m_selectors[f]->currentIndex(),
                   m_detection[f]->isChecked()};
    }
}
