// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The help viewer: one window showing the program's help pages, which are
// keyed by their context numbers. It stays usable while a modal dialog runs:
// help asked for from a dialog can be scrolled, followed and closed with the
// dialog still open. Escape closes it.

#include <QPointer>
#include <QWidget>

class QTextBrowser;

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kShortcutKeysTopic = 139;
    static constexpr int kAssignShortcutTopic = 83;

    explicit HelpWindow(QWidget* parent = nullptr);

    void ShowContents();
    void ShowTopic(int contextNumber);
    void ShowPage(const QString& pageName);
    // The page shown now, for example "qrc:/help/139.html".
    QString CurrentPage() const;

    static QString TopicPage(int contextNumber);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Belongs to the running modal dialog, if any, so that the dialog does not
    // block it; back to the main window when the dialog goes.
    void FollowModalDialog();
    void BelongTo(QWidget* dialog);
    bool Owns(const QWidget* window) const;

    QTextBrowser* m_browser;
    QPointer<QWidget> m_dialog;
};
