// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor of one speed page, built from the speed page rows: its label,
// the paging format it is sent with and its digit sequence, typed letters
// turned to upper case.

#include "model/editing/qt/RowsDialog.h"
#include "model/paging/SpeedPageForm.h"

class QComboBox;
class QLineEdit;

class EditSpeedPageFV : public RowsDialog<SpeedPageRules> {
    Q_OBJECT

public:
    static constexpr int kHelpTopic = 106;

    // record: the record edited, none for a new speed page.
    EditSpeedPageFV(std::optional<std::size_t> record, QWidget* parent);

    QLineEdit* LabelEdit() const;
    QComboBox* FormatList() const;
    QLineEdit* DigitsEdit() const;
};
