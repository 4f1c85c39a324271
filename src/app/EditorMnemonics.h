// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mnemonics of the editor window that has the focus win over the menu
// bar's: Alt+F on a wizard's last page presses "&Finish" instead of opening
// the File menu. Keys that no control of the window claims go on to the menus.

#include <QList>
#include <QObject>

class QKeyEvent;
class QMdiArea;
class QWidget;

class EditorMnemonics : public QObject {
    Q_OBJECT

public:
    // Watches the application's key events for the editor windows of workspace.
    EditorMnemonics(QMdiArea& workspace, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The visible, enabled buttons and labels of the focused editor window
    // whose mnemonic the key is; none when the focus is elsewhere.
    QList<QWidget*> Claimants(const QKeyEvent& key) const;
    static void Trigger(const QList<QWidget*>& claimants);

    QMdiArea& m_workspace;
};
