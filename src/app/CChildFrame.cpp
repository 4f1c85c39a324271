#include "app/CChildFrame.h"

#include <QMenu>

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
