// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QWhatsThis>

#include "app/AboutDlg.h"
#include "app/AccessibleWidgets.h"
#include "app/AppStrings.h"
#include "app/CChildFrame.h"
#include "app/CConfigTree.h"
#include "app/CTorvoApp.h"
#include "app/CommandMenu.h"
#include "app/Commands.h"
#include "app/CompareDlg.h"
#include "app/ConfigAreas.h"
#include "app/EditorMnemonics.h"
#include "app/EditorWindows.h"
#include "app/HelpWindow.h"
#include "app/LockKeyState.h"
#include "app/ShortcutsDlg.h"
#include "app/TorvoSettings.h"
#include "settings/ComPortSettings.h"
#include "transfer/qt/ComPortDialog.h"
#include "transfer/qt/DesktopTransfer.h"
#include "transfer/qt/TransferOptionsDlg.h"

namespace {

constexpr int kTreeWidth = 220;
constexpr char kMainWindowHelpPage[] = "main-window.html";

// The View menu with a database open: the tree, the areas in their groups,
// the bars; 0 stands for a separator.
std::vector<int> ViewMenuCommands() {
    std::vector<int> ids{cmd::ConfigurationTree};
    int group = -1;
    for (const ConfigArea& area : ConfigAreas()) {
        if (area.viewMenuGroup != group) {
            ids.push_back(0);
            group = area.viewMenuGroup;
        }
        ids.push_back(area.viewCommand);
    }
    ids.insert(ids.end(), {0, cmd::ViewToolbar, cmd::ViewStatusBar});
    return ids;
}

}  // namespace

CMainFrame::CMainFrame(CTorvoApp& app) : m_app(app), m_workspace(new QMdiArea(this)) {
    InstallAccessibleWidgets();
    setObjectName("MainFrame");
    setWindowTitle(app_strings::kTitle);
    setWindowIcon(QIcon(":/icons/torvo.svg"));
    setCentralWidget(m_workspace);
    // Editor windows have fixed sizes; on a small screen the workspace scrolls to them.
    m_workspace->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_workspace->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAcceptDrops(true);
    setDockOptions(QMainWindow::AnimatedDocks);

    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    CreateTree();
    m_editors =
        std::make_unique<EditorWindows>(*m_workspace, *m_tree, [this] { return m_app.Document(); });
    m_transfer = std::make_unique<DesktopTransfer>(m_app, *this, *m_message);
    FollowTheApplication();
    RebuildMenus();
    ShowNoDatabase();
    ComPortSettings::EnsureComPortSetting();
    qApp->installEventFilter(this);
    qApp->installEventFilter(new EditorMnemonics(*m_workspace, this));
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    // The editor windows report their closing to the tree and the menus: close
    // them while those still exist.
    if (CTorvoDoc* doc = m_app.Document()) {
        doc->CloseAllViews();
    }
}

void CMainFrame::CreateActions() {
    for (const cmd::Command& command : MenuCommands()) {
        auto* action = new QAction(QString::fromLatin1(command.menuText), this);
        action->setStatusTip(cmd::StatusPrompt(command));
        const QString tip = cmd::ToolTip(command);
        action->setToolTip(tip.isEmpty() ? cmd::PlainText(command) : tip);
        action->setWhatsThis(cmd::StatusPrompt(command) + ".");
        action->setShortcut(QKeySequence(QString::fromLatin1(command.defaultKey)));
        action->setShortcutContext(Qt::ApplicationShortcut);
        const int id = command.id;
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
        m_actions.insert(id, action);
    }
    m_actions[cmd::ViewToolbar]->setCheckable(true);
    m_actions[cmd::ViewStatusBar]->setCheckable(true);
    m_actions[cmd::NewDatabase]->setIcon(QIcon(":/icons/toolbar/new.svg"));
    m_actions[cmd::OpenDatabase]->setIcon(QIcon(":/icons/toolbar/open.svg"));
    m_actions[cmd::SaveDatabase]->setIcon(QIcon(":/icons/toolbar/save.svg"));
    m_actions[cmd::DownloadDatabase]->setIcon(QIcon(":/icons/toolbar/download.svg"));
    m_actions[cmd::UploadDatabase]->setIcon(QIcon(":/icons/toolbar/upload.svg"));
    m_actions[cmd::HelpTopics]->setIcon(QIcon(":/icons/toolbar/help.svg"));

    // F1 and Shift+F1 are fixed accelerators, not part of the shortcut table.
    auto* help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &CMainFrame::ShowHelpForActiveWindow);
    auto* whatsThis = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), this);
    connect(whatsThis, &QShortcut::activated, this, [] { QWhatsThis::enterWhatsThisMode(); });
}

void CMainFrame::CreateToolBar() {
    m_toolBar = new QToolBar(tr("Toolbar"), this);
    m_toolBar->setObjectName("ToolBar");
    m_toolBar->setIconSize(QSize(16, 16));
    m_toolBar->addAction(m_actions[cmd::NewDatabase]);
    m_toolBar->addAction(m_actions[cmd::DownloadDatabase]);
    m_toolBar->addAction(m_actions[cmd::OpenDatabase]);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_actions[cmd::SaveDatabase]);
    m_toolBar->addAction(m_actions[cmd::UploadDatabase]);
    m_toolBar->addSeparator();
    m_toolBar->addAction(m_actions[cmd::HelpTopics]);
    addToolBar(Qt::TopToolBarArea, m_toolBar);
    m_actions[cmd::ViewToolbar]->setChecked(true);
    connect(m_toolBar, &QToolBar::visibilityChanged, m_actions[cmd::ViewToolbar],
            &QAction::setChecked);
}

void CMainFrame::CreateStatusBar() {
    m_message = new QLabel(app_strings::kIdle, this);
    statusBar()->addWidget(m_message, 1);
    for (LockKey key : {LockKey::Caps, LockKey::Num, LockKey::Scroll}) {
        auto* indicator = new QLabel(this);
        indicator->setFrameShape(QFrame::Panel);
        indicator->setFrameShadow(QFrame::Sunken);
        indicator->setAlignment(Qt::AlignCenter);
        indicator->setMinimumWidth(fontMetrics().horizontalAdvance(LockIndicatorText(key)) + 10);
        statusBar()->addPermanentWidget(indicator);
        m_lockIndicators << indicator;
    }
    m_actions[cmd::ViewStatusBar]->setChecked(true);
    UpdateLockIndicators();
}

void CMainFrame::CreateTree() {
    m_treeDock = new QDockWidget(app_strings::kTreeWindowTitle, this);
    m_treeDock->setObjectName("ConfigurationTreeDock");
    m_treeDock->setAllowedAreas(Qt::LeftDockWidgetArea);
    // Docked on the left for good: no floating, moving or closing; the right edge resizes.
    m_treeDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_tree = new CConfigTree(m_treeDock);
    m_tree->setAccessibleName(app_strings::kTreeWindowTitle);
    m_treeDock->setWidget(m_tree);
    addDockWidget(Qt::LeftDockWidgetArea, m_treeDock);
    resizeDocks({m_treeDock}, {kTreeWidth}, Qt::Horizontal);

    connect(m_tree, &CConfigTree::AreaChosen, this, &CMainFrame::OpenAreaLater);
    connect(m_tree, &CConfigTree::AvailabilityChanged, this,
            [this](const QString& text, bool available) {
                const ConfigArea* area = AreaByTreeText(text.toStdString());
                if (area && area->followsItsItem) {
                    m_actions[area->viewCommand]->setEnabled(available);
                }
            });
}

void CMainFrame::FollowTheApplication() {
    connect(&m_app, &CTorvoApp::DatabaseClosed, this, &CMainFrame::ShowNoDatabase);
    connect(&m_app, &CTorvoApp::DatabaseOpened, this, &CMainFrame::ShowDatabaseOpen);
    connect(&m_app, &CTorvoApp::DatabaseNamed, this, &CMainFrame::ShowDatabaseName);
    connect(&m_app, &CTorvoApp::RecentFilesChanged, this, &CMainFrame::RefreshRecentFiles);
    connect(&m_app, &CTorvoApp::ImageChanged, this, &CMainFrame::ShowImageReplaced);
    connect(&m_app, &CTorvoApp::EditorClosed, this, &CMainFrame::EditorClosed);
}

QMenu* CMainFrame::FileMenu(bool withDatabase) {
    auto* menu = new CommandMenu("&File", this);
    const auto add = [&](int id) { menu->addAction(m_actions[id]); };
    add(cmd::NewDatabase);
    add(cmd::OpenDatabase);
    if (withDatabase) {
        add(cmd::CloseDatabase);
        menu->addSeparator();
        add(cmd::SaveDatabase);
        add(cmd::SaveDatabaseAs);
        add(cmd::CompareDatabase);
    }
    menu->addSeparator();
    add(cmd::DownloadDatabase);
    if (withDatabase) {
        add(cmd::UploadDatabase);
    }
    menu->addSeparator();
    if (m_recentActions.isEmpty()) {
        menu->addAction("Recent Files")->setEnabled(false);
    } else {
        menu->addActions(m_recentActions);
    }
    menu->addSeparator();
    add(cmd::Exit);
    return menu;
}

void CMainFrame::RebuildMenus() {
    menuBar()->clear();
    qDeleteAll(m_menus);
    m_menus.clear();
    const auto menu = [this](const QString& title, const std::vector<int>& ids) {
        auto* m = new CommandMenu(title, this);
        for (int id : ids) {
            if (id == 0) {
                m->addSeparator();
            } else {
                m->addAction(m_actions[id]);
            }
        }
        return m;
    };
    m_menus << FileMenu(m_databaseMenu);
    m_menus << menu("&Options", {cmd::ComPort, cmd::TransferOptions, cmd::Shortcuts});
    if (m_databaseMenu) {
        m_menus << menu("&View", ViewMenuCommands());
        m_menus << menu("&Window", {cmd::Cascade});
    } else {
        m_menus << menu("&View", {cmd::ViewToolbar, cmd::ViewStatusBar});
    }
    m_menus << menu("&Help", {cmd::HelpTopics, 0, cmd::AboutTorvo});
    for (QMenu* m : m_menus) {
        menuBar()->addMenu(m);
    }
}

void CMainFrame::RefreshRecentFiles() {
    qDeleteAll(m_recentActions);
    m_recentActions.clear();
    const QStringList files = TorvoSettings::RecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        auto* action = new QAction(QString("&%1 %2").arg(i + 1).arg(path), this);
        action->setStatusTip(tr("Open this database"));
        connect(action, &QAction::triggered, this, [this, path] { m_app.OpenDatabaseFile(path); });
        m_recentActions << action;
    }
    RebuildMenus();
}

void CMainFrame::SetDatabaseTitle(const QString& name) {
    setWindowTitle(name.isEmpty() ? QString(app_strings::kTitle)
                                  : QString("%1  - [%2]").arg(app_strings::kTitle, name));
}

void CMainFrame::UpdateCommandEnabling() {
    const bool open = m_app.Document() != nullptr;
    m_actions[cmd::SaveDatabase]->setEnabled(open);
    m_actions[cmd::UploadDatabase]->setEnabled(open);
}

void CMainFrame::ShowNoDatabase() {
    SetDatabaseTitle(QString());
    m_databaseMenu = false;
    RebuildMenus();
    m_treeDock->hide();
    // Called before the document goes away: the commands follow what is left.
    m_actions[cmd::SaveDatabase]->setEnabled(false);
    m_actions[cmd::UploadDatabase]->setEnabled(false);
}

void CMainFrame::ShowDatabaseOpen(const QString& rootLabel, const QString& titleName) {
    m_databaseMenu = true;
    RebuildMenus();
    m_treeDock->show();
    m_tree->setFocus();
    ShowDatabaseName(rootLabel, titleName);
    m_tree->RefreshItemStates();
    UpdateCommandEnabling();
}

void CMainFrame::ShowDatabaseName(const QString& rootLabel, const QString& titleName) {
    m_tree->SetRootLabel(rootLabel);
    SetDatabaseTitle(titleName);
}

QString CMainFrame::StatusText() const {
    return m_message->text();
}

HelpWindow& CMainFrame::Help() {
    if (!m_help) {
        m_help = new HelpWindow(this);
    }
    return *m_help;
}

void CMainFrame::ShowHelpForActiveWindow() {
    if (CEditorView* view = m_editors->ActiveView()) {
        Help().ShowTopic(view->HelpTopic());
    } else {
        Help().ShowPage(kMainWindowHelpPage);
    }
}

bool CMainFrame::EditorDialogRuns() {
    for (QWidget* widget = QApplication::activeModalWidget(); widget != nullptr;
         widget = widget->parentWidget()) {
        if (qobject_cast<CChildFrame*>(widget)) {
            return true;
        }
    }
    return false;
}

void CMainFrame::ExecuteCommand(int id) {
    if (EditorDialogRuns()) {
        return;
    }
    if (const ConfigArea* area = AreaByViewCommand(id)) {
        OpenAreaFromView(*area);
        return;
    }
    switch (id) {
        case cmd::NewDatabase:
            m_app.NewDatabase();
            break;
        case cmd::OpenDatabase:
            m_app.OpenDatabase();
            break;
        case cmd::CloseDatabase:
            m_app.CloseDatabase();
            break;
        case cmd::SaveDatabase:
            m_app.SaveDatabase();
            break;
        case cmd::SaveDatabaseAs:
            m_app.SaveDatabaseAs();
            break;
        case cmd::CompareDatabase:
            if (m_app.Document()) {
                CompareDlg::CompareWithFile(TheImage(), this);
            }
            break;
        case cmd::DownloadDatabase:
            m_transfer->Download();
            break;
        case cmd::UploadDatabase:
            m_transfer->Upload();
            break;
        case cmd::Exit:
            close();
            break;
        case cmd::ComPort: {
            ComPortDialog dialog(this);
            dialog.exec();
            break;
        }
        case cmd::TransferOptions: {
            TransferOptionsDlg dialog(this);
            dialog.exec();
            break;
        }
        case cmd::Shortcuts:
            OpenShortcutsDialog();
            break;
        case cmd::ConfigurationTree:
            if (m_treeDock->isVisible()) {
                m_tree->setFocus();
            }
            break;
        case cmd::ViewToolbar:
            m_toolBar->setVisible(!m_toolBar->isVisible());
            m_actions[cmd::ViewToolbar]->setChecked(m_toolBar->isVisible());
            break;
        case cmd::ViewStatusBar:
            statusBar()->setVisible(!statusBar()->isVisible());
            m_actions[cmd::ViewStatusBar]->setChecked(statusBar()->isVisible());
            break;
        case cmd::Cascade:
            m_workspace->cascadeSubWindows();
            break;
        case cmd::HelpTopics:
            Help().ShowContents();
            break;
        case cmd::AboutTorvo: {
            AboutDlg about(this);
            about.exec();
            break;
        }
        default:
            break;
    }
}

void CMainFrame::OpenAreaFromView(const ConfigArea& area) {
    if (!m_actions[area.viewCommand]->isEnabled()) {
        return;
    }
    m_tree->MarkItemOpen(QString::fromStdString(area.treeText));
    OpenAreaLater(area);
}

void CMainFrame::OpenAreaLater(const ConfigArea& area) {
    QMetaObject::invokeMethod(
        this, [this, &area] { OpenArea(area); }, Qt::QueuedConnection);
}

void CMainFrame::EditorClosed(const QString& treeText) {
    m_tree->EditorClosed(treeText);
}

void CMainFrame::ShowImageReplaced() {
    m_tree->RefreshItemStates();
}

void CMainFrame::OpenArea(const ConfigArea& area) {
    if (!m_app.Document()) {
        return;
    }
    // No editor for this area, or none while a dialog runs: the item goes back to closed.
    if (EditorDialogRuns() ? !m_editors->IsEditorOpen(area.kind, area.channel)
                           : !m_editors->OpenEditor(area.kind, area.channel)) {
        m_tree->EditorClosed(QString::fromStdString(area.treeText));
    }
}

QMap<int, QKeySequence> CMainFrame::StandardShortcuts() {
    QMap<int, QKeySequence> table;
    for (const cmd::Command& command : MenuCommands()) {
        table.insert(command.id, QKeySequence(QString::fromLatin1(command.defaultKey)));
    }
    return table;
}

QMap<int, QKeySequence> CMainFrame::CurrentShortcuts() const {
    QMap<int, QKeySequence> table;
    for (auto it = m_actions.begin(); it != m_actions.end(); ++it) {
        table.insert(it.key(), it.value()->shortcut());
    }
    return table;
}

void CMainFrame::ApplyShortcuts(const QMap<int, QKeySequence>& shortcuts) {
    for (auto it = shortcuts.begin(); it != shortcuts.end(); ++it) {
        if (QAction* action = m_actions.value(it.key())) {
            action->setShortcut(it.value());
        }
    }
}

void CMainFrame::LoadShortcuts() {
    if (TorvoSettings::HasStoredShortcuts()) {
        ApplyShortcuts(TorvoSettings::Shortcuts());
    }
}

void CMainFrame::OpenShortcutsDialog() {
    ShortcutsDlg dialog(CurrentShortcuts(), StandardShortcuts(), this);
    connect(&dialog, &ShortcutsDlg::HelpRequested, this,
            [this](int topic) { Help().ShowTopic(topic); });
    if (dialog.exec() == QDialog::Accepted && dialog.Shortcuts() != CurrentShortcuts()) {
        TorvoSettings::SetShortcuts(dialog.Shortcuts());
        ApplyShortcuts(dialog.Shortcuts());
    }
}

void CMainFrame::RunComPortCheck() {
    if (!m_simulatedDeskset && ComPortSettings::ComPortDigit().isEmpty()) {
        ExecuteCommand(cmd::ComPort);
    }
    m_transfer->Controller().ResetConnectAttempts();
}

void CMainFrame::UseSimulatedDeskset(const QString& device) {
    m_simulatedDeskset = true;
    m_transfer->UseDeviceForEveryPort(device.toStdString());
    auto* notice = new QLabel(tr("Simulated deskset on %1").arg(device), this);
    notice->setToolTip(tr("Demonstration mode: transfers go to a simulated deskset."));
    statusBar()->insertPermanentWidget(1, notice);
}

QSize CMainFrame::FirstSize() {
    const QSize editor = m_editors->LargestFrameSize();
    const int workspaceFrame = 2 * m_workspace->frameWidth();
    const int width = kTreeWidth + style()->pixelMetric(QStyle::PM_DockWidgetSeparatorExtent) +
                      editor.width() + workspaceFrame;
    const int height = menuBar()->sizeHint().height() + m_toolBar->sizeHint().height() +
                       statusBar()->sizeHint().height() + editor.height() + workspaceFrame;
    const QSize fits = QSize(width, height).expandedTo(sizeHint());
    return screen() ? fits.boundedTo(screen()->availableGeometry().size()) : fits;
}

void CMainFrame::RestoreLayout() {
    const QByteArray geometry = TorvoSettings::WindowGeometry();
    if (geometry.isEmpty()) {
        resize(FirstSize());
    }
    restoreGeometry(geometry);
    restoreState(TorvoSettings::WindowState());
    m_actions[cmd::ViewToolbar]->setChecked(!m_toolBar->isHidden());
    // The tree belongs to the database state, whatever the saved layout says.
    m_treeDock->setVisible(m_app.Document() != nullptr);
}

void CMainFrame::SaveLayout() const {
    TorvoSettings::SetWindowLayout(saveGeometry(), saveState());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (EditorDialogRuns() || !m_app.CloseDatabase()) {
        event->ignore();
        return;
    }
    SaveLayout();
    if (m_help) {
        m_help->close();
    }
    event->accept();
}

void CMainFrame::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (!isActiveWindow()) {
            m_lastFocus = QApplication::focusWidget();
        } else if (m_lastFocus == m_tree && m_treeDock->isVisible()) {
            m_tree->setFocus();
        }
    }
    QMainWindow::changeEvent(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::ApplicationActivate) {
        UpdateLockIndicators();
    }
    return QMainWindow::eventFilter(watched, event);
}

void CMainFrame::UpdateLockIndicators() {
    const LockKey keys[] = {LockKey::Caps, LockKey::Num, LockKey::Scroll};
    for (int i = 0; i < m_lockIndicators.size(); ++i) {
        const std::optional<bool> on = IsLockOn(keys[i]);
        m_lockIndicators[i]->setVisible(on.has_value());
        m_lockIndicators[i]->setText(on.value_or(false) ? LockIndicatorText(keys[i]) : QString());
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls() && event->mimeData()->urls().first().isLocalFile()) {
        event->acceptProposedAction();
    }
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) {
        event->acceptProposedAction();
        const QString path = urls.first().toLocalFile();
        // Not inside the drop: the close question must not run under the drag.
        QMetaObject::invokeMethod(
            this, [this, path] { m_app.OpenDatabaseFile(path); }, Qt::QueuedConnection);
    }
}
