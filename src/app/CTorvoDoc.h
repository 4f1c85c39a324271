#pragma once
// The open database. Its content is the process-wide image, which the
// document neither owns nor copies; the document keeps the flags and names
// that go with it and the list of open editor windows (its views).

#include <QList>
#include <QObject>
#include <QString>

class CEditorView;

class CTorvoDoc : public QObject {
    Q_OBJECT

public:
    CTorvoDoc();
    ~CTorvoDoc() override;

    // The open document, or none; editors reach MarkModified through it.
    static CTorvoDoc* Current();

    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    // Refreshes every open editor window from the image, then sets the modified flag.
    void MarkModified();

    // The channel index (0..3) the next channel window edits.
    int ChannelToOpen() const { return m_channelToOpen; }
    void SetChannelToOpen(int channelIndex) { m_channelToOpen = channelIndex; }

    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }
    QString Path() const { return m_path; }
    void SetPath(const QString& path) { m_path = path; }
    // The file name for questions: the path's file name, or the title when never saved.
    QString DisplayName() const;

    const QList<CEditorView*>& Views() const { return m_views; }
    bool HasViews() const { return !m_views.isEmpty(); }
    void AddView(CEditorView* view);
    void RemoveView(CEditorView* view);
    // Destroys every editor window; their unwritten edits are lost.
    void CloseAllViews();

signals:
    // An editor window went away; carries its tree text.
    void EditorClosed(const QString& treeText);

private:
    bool m_modified = false;
    int m_channelToOpen = 0;
    QString m_title;
    QString m_path;
    QList<CEditorView*> m_views;
};
