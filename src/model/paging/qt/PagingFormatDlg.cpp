// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/qt/PagingFormatDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "app/FocusLater.h"
#include "app/Prompt.h"
#include "model/editing/qt/Latin1.h"
#include "model/editing/qt/PageControls.h"
#include "model/editing/qt/SingleByteValidator.h"

namespace {

constexpr int kDurationDigits = 9;

// Typed keys put digits only into a duration; a pasted fraction still passes
// the validator and is truncated on OK.
class DigitKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (!text.isEmpty() && text.front().isPrint() &&
                !std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); })) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// A form row's label, with room for its mnemonic.
QLabel* RowLabel(const QString& text, QWidget* control, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(control);
    FitLabelToMnemonic(label);
    return label;
}

}  // namespace

PagingFormatDlg::PagingFormatDlg(const FormatEditor& editor, std::optional<std::size_t> record,
                                 QWidget* parent)
    : RecordDialog(FromLatin1(editor.title), editor.helpTopic, parent),
      m_editor(editor),
      m_record(record) {
    m_label = new QLineEdit(this);
    m_label->setMaxLength(static_cast<int>(layout::manual_page::kLabelWidth));
    m_label->setValidator(new SingleByteValidator({}, m_label));
    m_baseFormat = new QLineEdit(FromLatin1(editor.baseFormatText), this);
    m_baseFormat->setReadOnly(true);
    m_baseFormat->setFocusPolicy(Qt::ClickFocus);
    m_baseFormat->setMinimumWidth(WidthForText(m_baseFormat, m_baseFormat->text()));

    auto* top = new QFormLayout;
    top->addRow("&Label", m_label);
    top->addRow("Base format", m_baseFormat);
    auto* form = new QVBoxLayout;
    form->addLayout(top);

    if (!editor.parameters.empty()) {
        auto* box = new QGroupBox("Format Config", this);
        auto* rows = new QFormLayout(box);
        for (std::size_t k = 0; k < editor.parameters.size(); ++k) {
            const FormatParameter& parameter = editor.parameters[k];
            const QString text = FromLatin1(parameter.label);
            QWidget* control = nullptr;
            switch (parameter.kind) {
                case ParameterKind::Duration: {
                    auto* edit = new QLineEdit(box);
                    edit->setMaxLength(kDurationDigits);
                    // Digits; a pasted fraction is kept and truncated on OK.
                    edit->installEventFilter(new DigitKeys(edit));
                    edit->setValidator(new QRegularExpressionValidator(
                        QRegularExpression("[0-9]*(\\.[0-9]*)?"), edit));
                    connect(edit, &QLineEdit::textChanged, this, [this, k] { DurationChanged(k); });
                    rows->addRow(RowLabel(text, edit, box), edit);
                    control = edit;
                    break;
                }
                case ParameterKind::List:
                case ParameterKind::PulseStandardTone: {
                    auto* list = new QComboBox(box);
                    for (const std::string_view entry : parameter.entries) {
                        list->addItem(FromLatin1(entry));
                    }
                    rows->addRow(RowLabel(text, list, box), list);
                    control = list;
                    break;
                }
                case ParameterKind::CheckBox: {
                    auto* check = new QCheckBox(text, box);
                    rows->addRow(check);
                    control = check;
                    break;
                }
            }
            m_parameters.push_back(control);
        }
        form->addWidget(box);
    }
    SetForm(form);
    // The buttons were made first; Tab goes through the form before them.
    QWidget* previous = m_label;
    for (QWidget* next : m_parameters) {
        setTabOrder(previous, next);
        previous = next;
    }
    setTabOrder(previous, OkButton());
    setTabOrder(OkButton(), CancelButton());

    Show(record ? LoadManualPage(editor, TheImage(), *record) : NewManualPage(editor));
    m_label->setFocus();
}

bool PagingFormatDlg::focusNextPrevChild(bool next) {
    // Tab wraps from Cancel to the label, and Shift+Tab back, whatever order the
    // controls were made in (the buttons come first).
    if (next && focusWidget() == CancelButton()) {
        m_label->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (!next && focusWidget() == m_label) {
        CancelButton()->setFocus(Qt::BacktabFocusReason);
        return true;
    }
    return RecordDialog::focusNextPrevChild(next);
}

ManualPageForm PagingFormatDlg::Read() const {
    ManualPageForm form;
    form.editor = &m_editor;
    form.record = m_record;
    form.label = ToLatin1(m_label->text());
    for (std::size_t k = 0; k < m_parameters.size(); ++k) {
        ParameterValue value;
        switch (m_editor.parameters[k].kind) {
            case ParameterKind::Duration:
                value.text = ToLatin1(static_cast<QLineEdit*>(m_parameters[k])->text());
                break;
            case ParameterKind::List:
            case ParameterKind::PulseStandardTone:
                value.index = static_cast<QComboBox*>(m_parameters[k])->currentIndex();
                break;
            case ParameterKind::CheckBox:
                value.index = static_cast<QCheckBox*>(m_parameters[k])->isChecked() ? 1 : 0;
                break;
        }
        form.values.push_back(value);
    }
    return form;
}

void PagingFormatDlg::Show(const ManualPageForm& form) {
    m_showing = true;
    m_label->setText(FromLatin1(form.label));
    for (std::size_t k = 0; k < m_parameters.size(); ++k) {
        const ParameterValue& value = form.values[k];
        switch (m_editor.parameters[k].kind) {
            case ParameterKind::Duration:
                static_cast<QLineEdit*>(m_parameters[k])->setText(FromLatin1(value.text));
                break;
            case ParameterKind::List:
            case ParameterKind::PulseStandardTone:
                static_cast<QComboBox*>(m_parameters[k])->setCurrentIndex(value.index);
                break;
            case ParameterKind::CheckBox:
                static_cast<QCheckBox*>(m_parameters[k])->setChecked(value.index != 0);
                break;
        }
    }
    m_showing = false;
}

QWidget* PagingFormatDlg::FieldWidget(PagingField field) const {
    return field == kLabelField ? m_label : m_parameters.at(static_cast<std::size_t>(field));
}

std::optional<RecordDialog::Refusal> PagingFormatDlg::Check() {
    const Validation<PagingField> result = ValidateManualPage(Read(), TheImage());
    if (result.Ok()) {
        return std::nullopt;
    }
    return Refusal{FromLatin1(result.message), FieldWidget(result.field)};
}

std::size_t PagingFormatDlg::Write() {
    // The list offers Add only while a slot is free.
    return WriteManualPage(Read(), TheImage()).value_or(0);
}

void PagingFormatDlg::DurationChanged(std::size_t k) {
    if (m_showing) {
        return;
    }
    ManualPageForm form = Read();
    const DurationEdit edit = EditDuration(form, k);
    if (!edit.validation.Ok()) {
        ThePrompt().Warn(FromLatin1(edit.validation.message));
    }
    if (edit.cut) {
        Show(form);
        FocusAndSelectLater(m_parameters[k]);
    }
}
