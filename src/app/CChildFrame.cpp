// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CChildFrame.h"

#include <QCloseEvent>
#include <QDialog>
#include <QMenu>
#include <QTimer>

#include "app/CEditorView.h"

CChildFrame::CChildFrame(CEditorView* view) : m_view(view) {
    setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view);
    auto* menu = new QMenu(this);
    menu->addAction(tr("&Close"), QKeySequence(Qt::CTRL | Qt::Key_F4), this, &QWidget::close);
    setSystemMenu(menu);
}

void CChildFrame::FitToView() {
    adjustSize();
    setFixedSize(sizeHint());
}

void CChildFrame::Destroy() {
    if (!AfterRunningDialog([this] { Destroy(); })) {
        delete this;
    }
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    if (AfterRunningDialog([this] { close(); })) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

bool CChildFrame::AfterRunningDialog(std::function<void()> again) {
    for (QDialog* dialog : findChildren<QDialog*>()) {
        if (dialog->isVisible() && dialog->isModal()) {
            // Once the code after the dialog is done too: it may start another.
            connect(
                dialog, &QDialog::finished, this,
                [this, again] { QTimer::singleShot(0, this, again); }, Qt::SingleShotConnection);
            return true;
        }
    }
    return false;
}
