#include "app/CTorvoDoc.h"

#include <QFileInfo>

#include "app/CEditorView.h"

namespace {
CTorvoDoc* g_current = nullptr;
}

CTorvoDoc::CTorvoDoc() {
    g_current = this;
}

CTorvoDoc::~CTorvoDoc() {
    CloseAllViews();
    if (g_current == this) {
        g_current = nullptr;
    }
}

CTorvoDoc* CTorvoDoc::Current() {
    return g_current;
}

void CTorvoDoc::MarkModified() {
    // Copy: a refresh may close windows.
    const QList<CEditorView*> views = m_views;
    for (CEditorView* view : views) {
        if (m_views.contains(view)) {
            view->OnUpdate();
        }
    }
    m_modified = true;
}

QString CTorvoDoc::DisplayName() const {
    return m_path.isEmpty() ? m_title : QFileInfo(m_path).fileName();
}

void CTorvoDoc::AddView(CEditorView* view) {
    if (!m_views.contains(view)) {
        m_views.append(view);
    }
}

void CTorvoDoc::RemoveView(CEditorView* view) {
    if (m_views.removeOne(view)) {
        emit EditorClosed(view->TreeText());
    }
}

void CTorvoDoc::CloseAllViews() {
    while (!m_views.isEmpty()) {
        m_views.first()->DestroyFrame();
    }
}
