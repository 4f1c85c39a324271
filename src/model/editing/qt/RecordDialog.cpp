// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/qt/RecordDialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/CMainFrame.h"
#include "app/FocusLater.h"
#include "app/HelpWindow.h"

RecordDialog::RecordDialog(const QString& title, int helpTopic, QWidget* parent)
    : QDialog(parent), m_helpTopic(helpTopic) {
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    OkButton()->setText("OK");
    CancelButton()->setText("Cancel");
    connect(m_buttons, &QDialogButtonBox::accepted, this, &RecordDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &RecordDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Help opened from a dialog shows in the main window's help viewer, which
    // stays usable beside the modal dialog.
    if (auto* frame = qobject_cast<CMainFrame*>(parent ? parent->window() : nullptr)) {
        connect(this, &RecordDialog::HelpRequested, frame,
                [frame](int topic) { frame->Help().ShowTopic(topic); });
    }
}

QPushButton* RecordDialog::OkButton() const {
    return m_buttons->button(QDialogButtonBox::Ok);
}

QPushButton* RecordDialog::CancelButton() const {
    return m_buttons->button(QDialogButtonBox::Cancel);
}

void RecordDialog::SetForm(QLayout* form) {
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    layout->insertLayout(0, form);
}

void RecordDialog::accept() {
    if (const std::optional<Refusal> refusal = Check()) {
        ThePrompt().Ask(refusal->message, m_refusalIcon, PromptButtons::Ok);
        AfterRefusal(*refusal);
        FocusAndSelectLater(refusal->field);
        return;
    }
    m_written = Write();
    QDialog::accept();
}

void RecordDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        emit HelpRequested(m_helpTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}
