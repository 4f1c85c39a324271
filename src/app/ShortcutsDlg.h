// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// "Shortcut Keys": every command of the main window with its key; keys can be
// assigned and removed. Works on a copy of the table until OK.

#include <QDialog>
#include <QKeySequence>
#include <QMap>

class QTreeWidget;
class QPushButton;

class ShortcutsDlg : public QDialog {
    Q_OBJECT

public:
    using Table = QMap<int, QKeySequence>;

    ShortcutsDlg(const Table& current, const Table& standard, QWidget* parent = nullptr);

    Table Shortcuts() const { return m_table; }

    // Gives key to command, taking it from any other command that had it.
    static void Assign(Table& table, int command, const QKeySequence& key);
    // The command that has key, or 0.
    static int CommandWithKey(const Table& table, const QKeySequence& key);

    void AssignToSelected(const QKeySequence& key);
    void RemoveFromSelected();
    void ResetAll();
    void SelectCommand(int command);

signals:
    void HelpRequested(int contextNumber);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    int SelectedCommand() const;
    void Fill();
    void AssignWithDialog();

    Table m_table;
    Table m_standard;
    QTreeWidget* m_list;
    QPushButton* m_assign;
    QPushButton* m_remove;
};

// "Assign Shortcut": takes one key combination for a command.
class AssignShortcutDlg : public QDialog {
    Q_OBJECT

public:
    AssignShortcutDlg(const ShortcutsDlg::Table& table, int command, QWidget* parent = nullptr);
    QKeySequence Key() const { return m_key; }

signals:
    void HelpRequested(int contextNumber);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QKeySequence m_key;
};
