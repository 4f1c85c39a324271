// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window: menus, toolbar, status bar, the docking configuration tree
// and the workspace of editor windows.

#include <QHash>
#include <QKeySequence>
#include <QMainWindow>
#include <QMap>
#include <memory>

class CConfigTree;
struct ConfigArea;
class DesktopTransfer;
class CTorvoApp;
class EditorWindows;
class HelpWindow;
class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    explicit CMainFrame(CTorvoApp& app);
    ~CMainFrame() override;

    // The two user-visible states and the database name shown in title and tree.
    void ShowNoDatabase();
    void ShowDatabaseOpen(const QString& rootLabel, const QString& titleName);
    void ShowDatabaseName(const QString& rootLabel, const QString& titleName);
    bool ShowsDatabaseMenu() const { return m_databaseMenu; }

    void RefreshRecentFiles();
    void ShowImageReplaced();
    void EditorClosed(const QString& treeText);
    QList<QAction*> RecentFileActions() const { return m_recentActions; }

    // Runs a menu command by its identifier, as the menu or toolbar would.
    void ExecuteCommand(int id);
    QAction* Action(int id) const { return m_actions.value(id); }

    CConfigTree& Tree() const { return *m_tree; }
    QDockWidget& TreeDock() const { return *m_treeDock; }
    EditorWindows& Editors() const { return *m_editors; }
    QMdiArea& Workspace() const { return *m_workspace; }
    QToolBar& ToolBar() const { return *m_toolBar; }
    HelpWindow& Help();

    QString StatusText() const;

    // Keyboard shortcuts: command id to key.
    static QMap<int, QKeySequence> StandardShortcuts();
    QMap<int, QKeySequence> CurrentShortcuts() const;
    void ApplyShortcuts(const QMap<int, QKeySequence>& shortcuts);
    // Loads the stored table, if any, and applies it.
    void LoadShortcuts();

    // After the splash screen: ask for a COM port when none is stored.
    void RunComPortCheck();
    DesktopTransfer& Transfer() const { return *m_transfer; }
    // Demonstration mode: every port leads to a simulated deskset on device.
    void UseSimulatedDeskset(const QString& device);

    // Restores the toolbar, tree and window geometry saved by the last run;
    // on the first run the window is made room enough for every editor window.
    void RestoreLayout();
    QSize FirstSize();
    void SaveLayout() const;

    // Help for the active window: the editor's topic, or the main window's page.
    void ShowHelpForActiveWindow();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // An editor window's record dialog is running: the main window takes no
    // command until it ends (a screen reader can press what the dialog covers).
    static bool EditorDialogRuns();
    void CreateActions();
    void CreateToolBar();
    void CreateStatusBar();
    void CreateTree();
    // Shows what the application does to its database.
    void FollowTheApplication();
    void RebuildMenus();
    QMenu* FileMenu(bool withDatabase);
    void SetDatabaseTitle(const QString& name);
    void UpdateCommandEnabling();
    // A View menu command: the tree item shows open and the window opens.
    void OpenAreaFromView(const ConfigArea& area);
    // Opens an area's editor window once the current event is done.
    void OpenAreaLater(const ConfigArea& area);
    void OpenArea(const ConfigArea& area);
    void OpenShortcutsDialog();
    void UpdateLockIndicators();

    CTorvoApp& m_app;
    QMdiArea* m_workspace;
    CConfigTree* m_tree = nullptr;
    QDockWidget* m_treeDock = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_message = nullptr;
    QList<QLabel*> m_lockIndicators;
    std::unique_ptr<EditorWindows> m_editors;
    HelpWindow* m_help = nullptr;
    QHash<int, QAction*> m_actions;
    QList<QAction*> m_recentActions;
    QList<QMenu*> m_menus;
    std::unique_ptr<DesktopTransfer> m_transfer;
    bool m_databaseMenu = false;
    bool m_simulatedDeskset = false;
    QWidget* m_lastFocus = nullptr;
};
