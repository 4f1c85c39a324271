// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The open database. Its content is the process-wide image, which the
// document neither owns nor copies; the document keeps the flags and names
// that go with it, and tells its editor windows (its views) through signals.

#include <QObject>
#include <QString>

class CTorvoDoc : public QObject {
    Q_OBJECT

public:
    CTorvoDoc();
    ~CTorvoDoc() override;

    // The open document, or none; editors reach MarkModified through it.
    static CTorvoDoc* Current();

    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    // Refreshes every open editor window from the image (Modified), then sets
    // the modified flag.
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

    // Each editor window says when it comes and goes.
    void ViewOpened() { ++m_openViews; }
    void ViewClosed(const QString& treeText);
    bool HasViews() const { return m_openViews > 0; }
    // Destroys every editor window (ClosingViews); their unwritten edits are lost.
    void CloseAllViews();

signals:
    // The image changed: every editor window shows it anew.
    void Modified();
    // Every editor window is to go away now.
    void ClosingViews();
    // An editor window went away; carries its tree text.
    void EditorClosed(const QString& treeText);

private:
    bool m_modified = false;
    int m_channelToOpen = 0;
    QString m_title;
    QString m_path;
    int m_openViews = 0;
};
