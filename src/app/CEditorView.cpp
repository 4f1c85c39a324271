// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CEditorView.h"

#include <QMdiSubWindow>
#include <QTimer>

#include "app/CChildFrame.h"
#include "app/CTorvoDoc.h"

CEditorView::CEditorView(const EditorContext& context)
    : m_context(context), m_helpTopic(context.area.helpTopic) {
    m_context.doc.ViewOpened();
    connect(&m_context.doc, &CTorvoDoc::Modified, this, [this] { OnUpdate(); });
    connect(&m_context.doc, &CTorvoDoc::ClosingViews, this, [this] { DestroyFrame(); });
}

CEditorView::~CEditorView() {
    m_context.doc.ViewClosed(TreeText());
}

QMdiSubWindow* CEditorView::Frame() const {
    for (QWidget* w = parentWidget(); w; w = w->parentWidget()) {
        if (auto* frame = qobject_cast<QMdiSubWindow*>(w)) {
            return frame;
        }
    }
    return nullptr;
}

void CEditorView::CloseFrame() {
    // Not from inside the frame's own event handling: the view may be in a slot of its own.
    if (auto* frame = qobject_cast<CChildFrame*>(Frame())) {
        QTimer::singleShot(0, frame, &CChildFrame::Destroy);
    } else {
        QTimer::singleShot(0, this, [this] { delete this; });
    }
}

void CEditorView::DestroyFrame() {
    if (QMdiSubWindow* frame = Frame()) {
        delete frame;
    } else {
        delete this;
    }
}

void CEditorView::SetFrameTitle(const QString& title) {
    if (QMdiSubWindow* frame = Frame()) {
        frame->setWindowTitle(title);
    }
}
