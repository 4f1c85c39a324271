// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor of one custom paging tone: its number, then in "Format Config"
// the inhibit delay and the two tones with their durations. Typing runs the
// field's rule at once (CustomToneForm); leaving the inhibit delay for another
// field checks the number and the durations.

#include "model/editing/qt/RowsDialog.h"
#include "model/paging/CustomToneForm.h"

class QLineEdit;

class EditCustomPageFV : public RowsDialog<CustomToneRules> {
    Q_OBJECT

public:
    static constexpr int kHelpTopic = 105;

    // record: the tone edited, none for a new one.
    EditCustomPageFV(std::optional<std::size_t> record, QWidget* parent);

    QLineEdit* Edit(CustomToneField field) const;

    void Show(const Form& form) override;

protected:
    void AfterRefusal(const Refusal& refusal) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FieldChanged(CustomToneField field);
    void ShowText(CustomToneField field, const std::string& text);
    void InhibitDelayLeft();

    bool m_showing = false;  // the controls are being filled, not edited
};
