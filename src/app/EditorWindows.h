#pragma once
// The window registry: at most one editor window per area (and per channel),
// found among the workspace's windows. Each editor registers a
// factory for its view class; until an area's editor exists its item opens nothing.

#include <QList>
#include <QString>
#include <functional>
#include <map>

#include "app/CEditorView.h"

class QMdiArea;

class EditorWindows {
public:
    // Makes the view of one area; channelIndex is 0..3 for a channel window, -1 otherwise.
    using Factory = std::function<CEditorView*(const EditorContext&, int channelIndex)>;

    static void RegisterFactory(EditorKind kind, Factory factory);
    static void UnregisterFactory(EditorKind kind);

    EditorWindows(QMdiArea& workspace, CConfigTree& tree, std::function<CTorvoDoc*()> document);

    // channel 0 for every area but the channels, 1..4 for a channel window.
    // Activates a matching open window or creates one; false when nothing opened.
    bool OpenEditor(EditorKind kind, int channel = 0);
    // channel as for OpenEditor; 0 finds any channel window.
    bool IsEditorOpen(EditorKind kind, int channel = 0) const;
    // Destroys the window of an area other than the channels, if one is open.
    void CloseEditor(EditorKind kind);
    void CloseChannelEditorsAbove1();
    void CloseSpeedPagingEditor();
    void ReopenButtonsEditor();

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
