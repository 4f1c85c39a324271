#pragma once
// The editor of one speed page: its label, the paging format it is sent with
// and its digit sequence, typed letters turned to upper case.

#include "model/editing/qt/RecordDialog.h"
#include "model/paging/SpeedPageForm.h"

class QComboBox;
class QLineEdit;

class EditSpeedPageFV : public RecordDialogFor<SpeedPageRules> {
    Q_OBJECT

public:
    static constexpr int kHelpTopic = 106;

    // record: the record edited, none for a new speed page.
    EditSpeedPageFV(std::optional<std::size_t> record, QWidget* parent);

    QLineEdit* LabelEdit() const { return m_label; }
    QComboBox* FormatList() const { return m_format; }
    QLineEdit* DigitsEdit() const { return m_digits; }

    SpeedPageForm Read() const override;
    void Show(const SpeedPageForm& form) override;
    QWidget* FieldWidget(SpeedPageField field) const override;

private:
    // The paging formats as the dialog opened; the list's positions index it.
    std::vector<PagingFormatChoice> m_formats;
    QLineEdit* m_label;
    QComboBox* m_format;
    QLineEdit* m_digits;
};
