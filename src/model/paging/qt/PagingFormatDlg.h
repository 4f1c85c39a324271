// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor of one paging format, built from its base format's row of the
// editor table: the label, the base format's text, then the row's parameters
// in order (duration edits, drop-down lists, check boxes). One class serves
// every base format that has an editor.

#include <optional>
#include <vector>

#include "model/editing/qt/RecordDialog.h"
#include "model/paging/ManualPageForm.h"

class QLineEdit;

class PagingFormatDlg : public RecordDialog {
    Q_OBJECT

public:
    // record: the record edited, none for a new one.
    PagingFormatDlg(const FormatEditor& editor, std::optional<std::size_t> record, QWidget* parent);

    const FormatEditor& Editor() const { return m_editor; }
    QLineEdit* LabelEdit() const { return m_label; }
    QLineEdit* BaseFormatText() const { return m_baseFormat; }
    // The control of parameter k of the row.
    QWidget* ParameterWidget(std::size_t k) const { return m_parameters.at(k); }

    ManualPageForm Read() const;
    void Show(const ManualPageForm& form);

protected:
    bool focusNextPrevChild(bool next) override;
    std::optional<Refusal> Check() override;
    std::size_t Write() override;

private:
    QWidget* FieldWidget(PagingField field) const;
    void DurationChanged(std::size_t k);

    const FormatEditor& m_editor;
    std::optional<std::size_t> m_record;
    QLineEdit* m_label;
    QLineEdit* m_baseFormat;
    std::vector<QWidget*> m_parameters;
    bool m_showing = false;  // the controls are being filled, not edited
};
