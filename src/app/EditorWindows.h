// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The window registry: at most one editor window per area (and per channel),
// found among the workspace's windows. RegisterEditors gives it the factory
// of every registered editor; until an area's editor has one its item opens nothing.

#include <QList>
#include <QString>
#include <functional>
#include <map>

#include "app/CEditorView.h"

class QMdiArea;

class EditorWindows : public IEditorWindows {
public:
    using Factory = EditorFactory;

    static void RegisterFactory(EditorKind kind, Factory factory);
    static void UnregisterFactory(EditorKind kind);

    EditorWindows(QMdiArea& workspace, CConfigTree& tree, std::function<CTorvoDoc*()> document);

    bool OpenEditor(EditorKind kind, int channel = 0) override;
    bool IsEditorOpen(EditorKind kind, int channel = 0) const override;
    void CloseEditor(EditorKind kind) override;
    void CloseChannelEditorsAbove1() override;
    void CloseSpeedPagingEditor() override;
    void ReopenButtonsEditor() override;

    // The views of the open editor windows, oldest first.
    QList<CEditorView*> OpenViews() const;
    // The view of the active editor window, if any.
    CEditorView* ActiveView() const;

    // The size of the largest editor window, frame and all. Measured on a
    // scratch document, so only while no database is open (at start-up).
    QSize LargestFrameSize();

private:
    CEditorView* FindView(EditorKind kind, int channel) const;
    void Activate(CEditorView* view);

    static std::map<EditorKind, Factory>& Factories();

    QMdiArea& m_workspace;
    CConfigTree& m_tree;
    std::function<CTorvoDoc*()> m_document;
};

// Gives the registry the factory of every editor in ConfigAreas.
void RegisterEditors();
