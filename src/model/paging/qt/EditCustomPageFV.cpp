// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/qt/EditCustomPageFV.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "app/FocusLater.h"
#include "model/editing/qt/Latin1.h"

namespace {

using F = CustomToneField;

// Focus moved by the user, as opposed to a message box or the program.
bool ByUser(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
           reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
}

}  // namespace

EditCustomPageFV::EditCustomPageFV(std::optional<std::size_t> record, QWidget* parent)
    : RowsDialog("Edit Custom Page", kHelpTopic, record, parent) {
    for (std::size_t k = 0; k < kCustomToneFieldCount; ++k) {
        connect(Edit(static_cast<F>(k)), &QLineEdit::textChanged, this,
                [this, k] { FieldChanged(static_cast<F>(k)); });
    }
    Edit(F::InhibitDelay)->installEventFilter(this);
}

QLineEdit* EditCustomPageFV::Edit(CustomToneField field) const {
    return qobject_cast<QLineEdit*>(FieldWidget(field));
}

void EditCustomPageFV::Show(const CustomToneForm& form) {
    m_showing = true;
    RowsDialog::Show(form);
    m_showing = false;
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
    return RowsDialog::eventFilter(watched, event);
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
