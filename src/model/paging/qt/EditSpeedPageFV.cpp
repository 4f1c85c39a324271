#include "model/paging/qt/EditSpeedPageFV.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/editing/CharFilter.h"
#include "model/editing/qt/FilteredEdit.h"
#include "model/editing/qt/Latin1.h"
#include "model/editing/qt/PageControls.h"

namespace sp = layout::speed_page;

EditSpeedPageFV::EditSpeedPageFV(std::optional<std::size_t> record, QWidget* parent)
    : RecordDialogFor(QStringLiteral("Edit Speed Page"), kHelpTopic, record, parent) {
    m_label = MakeTextEdit(static_cast<int>(sp::kLabelWidth), this);
    auto* box = new QGroupBox("Entry Config", this);
    m_format = new QComboBox(box);
    m_digits = new FilteredEdit(static_cast<int>(sp::kDigitsWidth), ToUpperAscii, box);

    auto* top = new QFormLayout;
    top->addRow("&Label", m_label);
    auto* rows = new QFormLayout(box);
    rows->addRow("&Paging format", m_format);
    rows->addRow("&Digit sequence / Custom page label", m_digits);
    auto* form = new QVBoxLayout;
    form->addLayout(top);
    form->addWidget(box);
    SetForm(form);
    SetTabOrder({m_label, m_format, m_digits, OkButton(), CancelButton()});

    ShowLoaded();
    m_label->setFocus();
}

SpeedPageForm EditSpeedPageFV::Read() const {
    SpeedPageForm form;
    form.formats = m_formats;
    form.label = ToLatin1(m_label->text());
    form.format = m_format->currentIndex();
    form.digits = ToLatin1(m_digits->text());
    return form;
}

void EditSpeedPageFV::Show(const SpeedPageForm& form) {
    m_formats = form.formats;
    m_format->clear();
    for (const PagingFormatChoice& choice : m_formats) {
        m_format->addItem(FromLatin1(choice.text));
    }
    m_format->setCurrentIndex(form.format);
    m_label->setText(FromLatin1(form.label));
    m_digits->setText(FromLatin1(form.digits));
}

QWidget* EditSpeedPageFV::FieldWidget(SpeedPageField field) const {
    switch (field) {
        case SpeedPageField::Label:
            return m_label;
        case SpeedPageField::Format:
            return m_format;
        case SpeedPageField::Digits:
            break;
    }
    return m_digits;
}
