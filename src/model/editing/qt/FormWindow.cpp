// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/qt/FormWindow.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include "app/CTorvoDoc.h"
#include "app/FocusLater.h"
#include "app/Prompt.h"
#include "model/editing/qt/Latin1.h"

FormWindow::FormWindow(const EditorContext& context, MarkModified mark)
    : CEditorView(context),
      m_mark(mark),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    OkButton()->setText("OK");
    CancelButton()->setText("Cancel");
    connect(m_buttons, &QDialogButtonBox::accepted, this, &FormWindow::Ok);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &FormWindow::Cancel);
}

QPushButton* FormWindow::OkButton() const {
    return m_buttons->button(QDialogButtonBox::Ok);
}

QPushButton* FormWindow::CancelButton() const {
    return m_buttons->button(QDialogButtonBox::Cancel);
}

void FormWindow::Ok() {
    if (const std::optional<Refusal> refusal = Check()) {
        ThePrompt().Warn(FromLatin1(refusal->message));
        FocusAndSelectLater(refusal->field);
        return;
    }
    if (m_mark == MarkModified::BeforeWrite) {
        Document().MarkModified();
    }
    if (!Write()) {
        return;
    }
    if (m_mark == MarkModified::AfterWrite) {
        Document().MarkModified();
    }
    CloseFrame();
}

void FormWindow::Cancel() {
    CloseFrame();
}
