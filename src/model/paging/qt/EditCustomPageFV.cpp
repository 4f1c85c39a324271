#include "model/paging/qt/EditCustomPageFV.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "app/FocusLater.h"
#include "model/editing/qt/Latin1.h"
#include "model/editing/qt/PageControls.h"

namespace {

using F = CustomToneField;

// Room for a pasted text; the typing rule cuts it to a frequency.
constexpr int kToneTextLength = 16;
constexpr int kToneWidthCharacters = 6;  // "3400.0"

// Focus moved by the user, as opposed to a message box or the program.
bool ByUser(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
}

}  // namespace

EditCustomPageFV::EditCustomPageFV(std::optional<std::size_t> record, QWidget* parent)
    : RecordDialogFor("Edit Custom Page", kHelpTopic, record, parent) {
    auto* box = new QGroupBox("Format Config", this);
    auto* top = new QFormLayout;
    auto* rows = new QFormLayout(box);
    struct Row {
        F field;
        const char* label;
    };
    constexpr Row kRows[] = {
        {F::InhibitDelay, "&Inhibit delay (ms)"},
        {F::FirstTone, "Fi&rst tone (Hz)"},
        {F::FirstToneDuration, "First &tone duration (ms)"},
        {F::IntertoneDelay, "Intertone &delay (ms)"},
        {F::SecondTone, "&Second tone (Hz)"},
        {F::SecondToneDuration, "S&econd tone duration (ms)"},
    };
    m_edits[static_cast<std::size_t>(F::Number)] = MakeDigitsEdit(this);
    top->addRow("&Custom paging tone", Edit(F::Number));
    for (const Row& row : kRows) {
        QLineEdit* edit = nullptr;
        if (row.field == F::FirstTone || row.field == F::SecondTone) {
            edit = MakeTextEdit(kToneTextLength, box);
            FitWidthToCharacters(edit, kToneWidthCharacters);
        } else {
            edit = MakeDigitsEdit(box);
        }
        m_edits[static_cast<std::size_t>(row.field)] = edit;
        rows->addRow(row.label, edit);
    }
    for (std::size_t k = 0; k < m_edits.size(); ++k) {
        connect(m_edits[k], &QLineEdit::textChanged, this,
                [this, k] { FieldChanged(static_cast<F>(k)); });
    }
    Edit(F::InhibitDelay)->installEventFilter(this);

    auto* form = new QVBoxLayout;
    form->addLayout(top);
    form->addWidget(box);
    SetForm(form);
    // The buttons were made first; Tab goes through the form before them.
    SetTabOrder({Edit(F::Number), Edit(F::InhibitDelay), Edit(F::FirstTone),
                 Edit(F::FirstToneDuration), Edit(F::IntertoneDelay), Edit(F::SecondTone),
                 Edit(F::SecondToneDuration), OkButton(), CancelButton()});

    ShowLoaded();
    Edit(F::Number)->setFocus();
}

CustomToneForm EditCustomPageFV::Read() const {
    return {ReadTexts(m_edits)};
}

void EditCustomPageFV::Show(const CustomToneForm& form) {
    m_showing = true;
    ShowTexts(m_edits, form.texts);
    m_showing = false;
}

QWidget* EditCustomPageFV::FieldWidget(CustomToneField field) const {
    return Edit(field);
}

void EditCustomPageFV::ShowText(CustomToneField field, const std::string& text) {
    m_showing = true;
    Edit(field)->setText(FromLatin1(text));
    m_showing = false;
}

void EditCustomPageFV::FieldChanged(CustomToneField field) {
    if (m_showing) {
        return;
    }
    CustomToneForm form = Read();
    const CustomToneEdit edit = EditCustomToneField(form, field, TheImage(), Record());
    if (!edit.validation.Ok()) {
        ThePrompt().Warn(FromLatin1(edit.validation.message));
    }
    if (!edit.message.empty()) {
        ThePrompt().Warn(FromLatin1(edit.message));
    }
    if (edit.changed) {
        ShowText(field, form[field]);
    }
    switch (edit.caret) {
        case CustomToneEdit::Caret::Keep:
            break;
        case CustomToneEdit::Caret::SelectAll:
            FocusAndSelectLater(Edit(field));
            break;
        case CustomToneEdit::Caret::AtEnd:
            Edit(field)->end(false);
            break;
    }
}

void EditCustomPageFV::AfterRefusal(const Refusal&) {
    // The same checks again, for the text that the refusal puts back.
    const CustomToneValidation result = ValidateCustomTone(Read(), TheImage(), Record());
    if (result.putBack) {
        ShowText(result.field, *result.putBack);
    }
}

bool EditCustomPageFV::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the inhibit delay for another field checks the fields; not for
    // OK or Cancel (OK checks them itself, Cancel must not), not for a message
    // box, and not when the program moves the focus after a refusal.
    if (watched == Edit(F::InhibitDelay) && event->type() == QEvent::FocusOut &&
        ByUser(static_cast<QFocusEvent*>(event)->reason())) {
        QWidget* next = QApplication::focusWidget();
        if (next && next->window() == this && next != OkButton() && next != CancelButton()) {
            // After the focus change has finished, not inside it.
            QTimer::singleShot(0, this, &EditCustomPageFV::InhibitDelayLeft);
        }
    }
    return RecordDialogFor::eventFilter(watched, event);
}

void EditCustomPageFV::InhibitDelayLeft() {
    if (!isVisible()) {
        return;
    }
    const Validation<CustomToneField> result = ValidateToneFields(Read());
    if (!result.Ok()) {
        ThePrompt().Warn(FromLatin1(result.message));
        FocusAndSelectLater(Edit(result.field));
    }
}
