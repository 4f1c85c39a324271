// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Base of every editor window's view: knows its area (tree text and help
// topic), tells the document while it exists, refreshes on MarkModified and
// reports its closing to the configuration tree.

#include <QString>
#include <QWidget>

#include "app/ConfigArea.h"
#include "app/IEditorWindows.h"

class CConfigTree;
class CTorvoDoc;
class QMdiSubWindow;

// What an editor may reach besides the image, and the area it edits.
struct EditorContext {
    CTorvoDoc& doc;
    IEditorWindows& windows;
    CConfigTree& tree;
    const ConfigArea& area;
};

class CEditorView : public QWidget {
    Q_OBJECT

public:
    explicit CEditorView(const EditorContext& context);
    ~CEditorView() override;

    EditorKind Kind() const { return m_context.area.kind; }
    // The channel index 0..3 of a channel window, -1 for every other window.
    int ChannelIndex() const { return m_context.area.channel - 1; }
    QString TreeText() const { return QString::fromStdString(m_context.area.treeText); }
    int HelpTopic() const { return m_helpTopic; }

    // The first update, once the frame exists: load the controls, set title and size.
    virtual void OnInitialUpdate() {}
    // The image changed under the window (MarkModified).
    virtual void OnUpdate() {}

    QMdiSubWindow* Frame() const;
    // Closes the window once the current event is done (after OK or Cancel),
    // and not before a dialog of the window that runs then has ended.
    void CloseFrame();
    // Destroys the window now.
    void DestroyFrame();

protected:
    CTorvoDoc& Document() const { return m_context.doc; }
    IEditorWindows& Windows() const { return m_context.windows; }
    CConfigTree& Tree() const { return m_context.tree; }
    void SetFrameTitle(const QString& title);
    // For windows whose help follows what they show (the channel wizard's pages).
    void SetHelpTopic(int topic) { m_helpTopic = topic; }

private:
    EditorContext m_context;
    int m_helpTopic;
};
