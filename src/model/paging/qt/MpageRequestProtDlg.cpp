// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/qt/MpageRequestProtDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/CMainFrame.h"
#include "app/HelpWindow.h"
#include "model/editing/qt/Latin1.h"

MpageRequestProtDlg::MpageRequestProtDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle("Paging Format Protocols");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* prompt = new QLabel("&Add manual paging format based on :", this);
    m_formats = new QComboBox(this);
    for (const ChooserEntry& entry : ChooserEntries()) {
        m_formats->addItem(FromLatin1(entry.text), static_cast<int>(entry.code));
    }
    m_formats->setCurrentIndex(0);
    prompt->setBuddy(m_formats);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText("OK");
    buttons->button(QDialogButtonBox::Cancel)->setText("Cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(m_formats);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    if (auto* frame = qobject_cast<CMainFrame*>(parent ? parent->window() : nullptr)) {
        connect(this, &MpageRequestProtDlg::HelpRequested, frame,
                [frame](int topic) { frame->Help().ShowTopic(topic); });
    }
}

BaseFormat MpageRequestProtDlg::Chosen() const {
    return static_cast<BaseFormat>(m_formats->currentData().toInt());
}

void MpageRequestProtDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        emit HelpRequested(kHelpTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}
