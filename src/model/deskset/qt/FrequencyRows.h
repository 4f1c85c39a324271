// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of frequencies on a signaling plan page: "F 1" to "F n", each with
// a label edit, a list that selects the frequency and a detection check box
// "*", in columns of a given number of rows with their column heads.

#include <QString>
#include <span>
#include <vector>

#include "model/deskset/FrequencyRow.h"

class ChoiceList;
class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QWidget;

class FrequencyRows {
public:
    FrequencyRows(QGridLayout* grid, std::size_t count, const ChoiceList& selectorEntries,
                  const QString& selectorHead, std::size_t rowsPerColumn, QWidget* parent);

    QLineEdit* Label(std::size_t f) const { return m_labels.at(f); }
    QComboBox* Selector(std::size_t f) const { return m_selectors.at(f); }
    QCheckBox* Detection(std::size_t f) const { return m_detection.at(f); }

    void Show(std::span<const FrequencyRow> rows);
    void Read(std::span<FrequencyRow> rows) const;

private:
    std::vector<QLineEdit*> m_labels;
    std::vector<QComboBox*> m_selectors;
    std::vector<QCheckBox*> m_detection;
};
