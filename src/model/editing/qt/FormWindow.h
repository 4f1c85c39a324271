// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Base of the editor windows that are one form with OK and Cancel. OK reads
// and checks the form; a refusal shows its message and puts the focus on the
// refused field with its text selected; otherwise the form is written, the
// document marked modified and the window closed. Cancel closes it unwritten.

#include <optional>
#include <string>

#include "app/CEditorView.h"
#include "model/editing/Validation.h"

class QDialogButtonBox;
class QPushButton;

class FormWindow : public CEditorView {
    Q_OBJECT

public:
    // Whether the document is marked modified before the write (so that it stays
    // marked when the write is then abandoned) or only once the write is done.
    enum class MarkModified { BeforeWrite, AfterWrite };

    // The buttons, as a test presses them.
    void Ok();
    void Cancel();

protected:
    // The title and help topic are the area's.
    explicit FormWindow(const EditorContext& context, MarkModified mark = MarkModified::AfterWrite);

    // The first check that refused the form: its message and the control to focus.
    struct Refusal {
        std::string message;
        QWidget* field = nullptr;
    };
    // Reads the controls and runs the checks in their order.
    virtual std::optional<Refusal> Check() const = 0;
    // Writes the checked form into the image; false keeps the window open unwritten.
    virtual bool Write() = 0;

    template <class Field, class FieldWidget>
    static std::optional<Refusal> RefusalOf(const Validation<Field>& result,
                                            FieldWidget fieldWidget) {
        if (result.Ok()) {
            return std::nullopt;
        }
        return Refusal{result.message, fieldWidget(result.field)};
    }

    // OK and Cancel, for the window's layout and tab order.
    QDialogButtonBox* Buttons() const { return m_buttons; }
    QPushButton* OkButton() const;
    QPushButton* CancelButton() const;

private:
    MarkModified m_mark;
    QDialogButtonBox* m_buttons;
};
