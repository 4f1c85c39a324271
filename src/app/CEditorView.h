#pragma once
// Base of every editor window's view: knows its tree text and help topic,
// registers with the document while it exists, refreshes on MarkModified and
// reports its closing to the configuration tree.

#include <QString>
#include <QWidget>

#include "app/EditorKind.h"

class CConfigTree;
class CTorvoDoc;
class EditorWindows;
class QMdiSubWindow;

// What an editor may reach besides the image.
struct EditorContext {
    CTorvoDoc& doc;
    EditorWindows& windows;
    CConfigTree& tree;
};

class CEditorView : public QWidget {
    Q_OBJECT

public:
    CEditorView(const EditorContext& context, EditorKind kind, const QString& treeText,
                int helpTopic);
    ~CEditorView() override;

    EditorKind Kind() const { return m_kind; }
    // The channel index 0..3 of a channel window, -1 for every other window.
    virtual int ChannelIndex() const { return -1; }
    QString TreeText() const { return m_treeText; }
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
    EditorWindows& Windows() const { return m_context.windows; }
    CConfigTree& Tree() const { return m_context.tree; }
    void SetFrameTitle(const QString& title);
    // For windows whose help follows what they show (the channel wizard's pages).
    void SetHelpTopic(int topic) { m_helpTopic = topic; }

private:
    EditorContext m_context;
    EditorKind m_kind;
    QString m_treeText;
    int m_helpTopic;
};
