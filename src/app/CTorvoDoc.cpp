// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CTorvoDoc.h"

#include <QFileInfo>

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
    // A refresh may close windows: a window gone before its turn is skipped.
    emit Modified();
    m_modified = true;
}

QString CTorvoDoc::DisplayName() const {
    return m_path.isEmpty() ? m_title : QFileInfo(m_path).fileName();
}

void CTorvoDoc::ViewClosed(const QString& treeText) {
    --m_openViews;
    emit EditorClosed(treeText);
}

void CTorvoDoc::CloseAllViews() {
    emit ClosingViews();
}
