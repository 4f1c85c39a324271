// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's own behaviour: settings, shortcuts, layout, help, splash, COM port.

#include <gmock/gmock.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QWindow>

#include "GuiTestSupport.h"
#include "app/CConfigTree.h"
#include "app/Commands.h"
#include "app/ConfigAreas.h"
#include "app/EditorWindows.h"
#include "app/HelpWindow.h"
#include "app/MessageBoxPrompt.h"
#include "app/ShortcutsDlg.h"
#include "app/SplashScreen.h"
#include "app/TorvoSettings.h"
#include "settings/ComPortSettings.h"
#include "transfer/TransferStrings.h"
#include "transfer/qt/ComPortDialog.h"
#include "transfer/qt/TransferOptionsDlg.h"

using ::testing::ElementsAre;

namespace {

class MainFrameTest : public GuiTest {};

QStringList MenuTitles(QMenuBar* bar) {
    QStringList titles;
    for (QAction* action : bar->actions()) {
        titles << action->text();
    }
    return titles;
}

QStringList MenuItems(QMenuBar* bar, int index) {
    QStringList items;
    for (QAction* action : bar->actions()[index]->menu()->actions()) {
        items << (action->isSeparator() ? QString("-") : action->text());
    }
    return items;
}

}  // namespace

TEST_F(MainFrameTest, MenusSwitchWithTheDatabase) {
    QMenuBar* bar = m_frame->menuBar();
    EXPECT_EQ(MenuTitles(bar), (QStringList{"&File", "&Options", "&View", "&Help"}));
    EXPECT_EQ(MenuItems(bar, 0),
              (QStringList{"&New Database", "&Open Database...", "-", "&Download Database", "-",
                           "Recent Files", "-", "E&xit"}));
    EXPECT_EQ(MenuItems(bar, 1),
              (QStringList{"&COM Port...", "&Transfer Options...", "&Shortcuts..."}));
    EXPECT_EQ(MenuItems(bar, 2), (QStringList{"&Toolbar", "&Status Bar"}));
    EXPECT_EQ(MenuItems(bar, 3), (QStringList{"&Help Topics", "-", "&About Torvo..."}));

    m_frame->ExecuteCommand(cmd::NewDatabase);
    EXPECT_EQ(MenuTitles(bar), (QStringList{"&File", "&Options", "&View", "&Window", "&Help"}));
    EXPECT_EQ(
        MenuItems(bar, 0),
        (QStringList{"&New Database", "&Open Database...", "&Close Database", "-", "&Save Database",
                     "Save Database &As...", "Co&mpare With Database...", "-", "&Download Database",
                     "&Upload Database", "-", "Recent Files", "-", "E&xit"}));
    EXPECT_EQ(MenuItems(bar, 2),
              (QStringList{"&Configuration Tree", "-", "&Deskset Configuration", "-", "Channel &1",
                           "Channel &2", "Channel &3", "Channel &4", "-", "&Buttons Configuration",
                           "Paging &Formats", "Sp&eed Paging", "C&ustom Paging Tones",
                           "PTT &ID Aliases", "-", "&Toolbar", "&Status Bar"}));
    EXPECT_EQ(MenuItems(bar, 3), (QStringList{"&Cascade"}));

    QAction* newDb = m_frame->Action(cmd::NewDatabase);
    EXPECT_EQ(newDb->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(newDb->statusTip(), "Create a new database");
    EXPECT_EQ(newDb->toolTip(), "New database");
    EXPECT_EQ(m_frame->Action(cmd::Shortcuts)->statusTip(),
              "Assign keyboard shorcuts to menu items");
    EXPECT_EQ(m_frame->StatusText(), "For Help, press F1");
}

TEST_F(MainFrameTest, ToolbarHoldsTheCommandsInOrder) {
    QStringList order;
    for (QAction* action : m_frame->ToolBar().actions()) {
        order << (action->isSeparator() ? QString("-") : action->toolTip());
    }
    EXPECT_EQ(order, (QStringList{"New database", "Download database", "Open database", "-",
                                  "Save database", "Upload database", "-", "Help topics"}));
    m_frame->ExecuteCommand(cmd::ViewToolbar);
    EXPECT_TRUE(m_frame->ToolBar().isHidden());
    EXPECT_FALSE(m_frame->Action(cmd::ViewToolbar)->isChecked());
    m_frame->ExecuteCommand(cmd::ViewStatusBar);
    EXPECT_TRUE(m_frame->statusBar()->isHidden());
}

TEST_F(MainFrameTest, TheTreeDocksOnTheLeftOnly) {
    QDockWidget& dock = m_frame->TreeDock();
    EXPECT_EQ(dock.windowTitle(), "Docking Tree Window");
    EXPECT_EQ(dock.allowedAreas(), Qt::LeftDockWidgetArea);
    EXPECT_EQ(dock.features(), QDockWidget::NoDockWidgetFeatures);
    EXPECT_EQ(m_frame->dockWidgetArea(&dock), Qt::LeftDockWidgetArea);
}

TEST_F(MainFrameTest, ShortcutsAndLayoutSurviveARestart) {
    QMap<int, QKeySequence> table = m_frame->CurrentShortcuts();
    ShortcutsDlg::Assign(table, cmd::CloseDatabase, QKeySequence("Ctrl+W"));
    ShortcutsDlg::Assign(table, cmd::SaveDatabaseAs, QKeySequence("Ctrl+N"));  // taken from New
    TorvoSettings::SetShortcuts(table);
    m_frame->ApplyShortcuts(table);
    m_frame->ExecuteCommand(cmd::ViewToolbar);  // hide the toolbar
    m_frame->SaveLayout();

    Restart();
    EXPECT_EQ(m_frame->Action(cmd::CloseDatabase)->shortcut(), QKeySequence("Ctrl+W"));
    EXPECT_EQ(m_frame->Action(cmd::SaveDatabaseAs)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_TRUE(m_frame->Action(cmd::NewDatabase)->shortcut().isEmpty());
    EXPECT_TRUE(m_frame->ToolBar().isHidden());
    EXPECT_TRUE(m_frame->TreeDock().isHidden()) << "no database is open after a restart";
}

TEST_F(MainFrameTest, ShortcutDialogAssignsRemovesAndResets) {
    ShortcutsDlg dialog(m_frame->CurrentShortcuts(), CMainFrame::StandardShortcuts());
    EXPECT_EQ(dialog.windowTitle(), "Shortcut Keys");
    dialog.SelectCommand(cmd::Exit);
    dialog.AssignToSelected(QKeySequence("Ctrl+S"));
    EXPECT_EQ(dialog.Shortcuts().value(cmd::Exit), QKeySequence("Ctrl+S"));
    EXPECT_TRUE(dialog.Shortcuts().value(cmd::SaveDatabase).isEmpty());
    dialog.SelectCommand(cmd::NewDatabase);
    dialog.RemoveFromSelected();
    EXPECT_TRUE(dialog.Shortcuts().value(cmd::NewDatabase).isEmpty());
    dialog.ResetAll();
    EXPECT_EQ(dialog.Shortcuts(), CMainFrame::StandardShortcuts());

    QList<int> topics;
    QObject::connect(&dialog, &ShortcutsDlg::HelpRequested, [&](int t) { topics << t; });
    QTest::keyClick(&dialog, Qt::Key_F1);
    AssignShortcutDlg assign(dialog.Shortcuts(), cmd::Exit);
    QObject::connect(&assign, &AssignShortcutDlg::HelpRequested, [&](int t) { topics << t; });
    emit assign.HelpRequested(HelpWindow::kAssignShortcutTopic);
    EXPECT_THAT(topics, ElementsAre(139, 83));
    EXPECT_EQ(HelpWindow::TopicPage(139), "139.html");
    EXPECT_EQ(HelpWindow::TopicPage(83), "83.html");
}

TEST_F(MainFrameTest, HelpShowsTheActiveWindowsTopicOrTheMainPage) {
    m_frame->ExecuteCommand(cmd::HelpTopics);
    EXPECT_EQ(m_frame->Help().CurrentPage(), "qrc:/help/contents.html");
    m_frame->ShowHelpForActiveWindow();
    EXPECT_EQ(m_frame->Help().CurrentPage(), "qrc:/help/main-window.html");

    TestViewFactories factories;
    m_frame->ExecuteCommand(cmd::NewDatabase);
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::DesksetCfg));
    m_frame->ShowHelpForActiveWindow();
    // The test view's topic has no page yet: the contents stand in for it.
    EXPECT_EQ(m_frame->Help().CurrentPage(), "qrc:/help/" + HelpWindow::TopicPage(125));
}

TEST_F(MainFrameTest, ComPortSettingIsCreatedEmptyAndTheDialogStoresTheChoice) {
    QSettings settings("Zelnor", "Torvo");
    EXPECT_TRUE(settings.contains("Settings/COM Port"));
    EXPECT_EQ(settings.value("Settings/COM Port").toString(), "");
    EXPECT_EQ(ComPortSettings::ComPortDigit(), "");

    ComPortDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "COM Port");
    EXPECT_EQ(dialog.PortList()->currentIndex(), -1);
    dialog.accept();
    EXPECT_THAT(m_prompt->texts, ElementsAre("You must select a COM port to continue."));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    dialog.PortList()->setCurrentIndex(1);
    EXPECT_EQ(dialog.DeviceBox()->currentText(), "/dev/ttyS1");
    dialog.DeviceBox()->setEditText("/dev/ttyUSB0");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(QSettings("Zelnor", "Torvo").value("Settings/COM Port").toString(), "COM2");
    EXPECT_EQ(ComPortSettings::ComPortDigit(), "2");
    EXPECT_EQ(ComPortSettings::ComPortDevice(2), "/dev/ttyUSB0");
    EXPECT_EQ(ComPortSettings::ComPortDevice(3), "/dev/ttyS2");

    ComPortDialog again;
    EXPECT_EQ(again.PortList()->currentIndex(), 1);
}

TEST_F(MainFrameTest, TransferOptionsAreStoredOnOkOnly) {
    // Backup and verify start on, the trace off.
    const TransferPreferences defaults = TorvoSettings::LoadTransferPreferences();
    EXPECT_TRUE(defaults.backupBeforeUpload);
    EXPECT_TRUE(defaults.verifyAfterUpload);
    EXPECT_FALSE(defaults.writeTrace);
    EXPECT_TRUE(TorvoSettings::BackupFolder().startsWith(
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    EXPECT_TRUE(TorvoSettings::BackupFolder().endsWith("/backups"));

    TransferOptionsDlg dialog(m_frame.get());
    EXPECT_EQ(dialog.windowTitle(), "Transfer Options");
    EXPECT_TRUE(dialog.BackupBox()->isChecked());
    EXPECT_FALSE(dialog.TraceFileEdit()->isEnabled());
    QString opened;
    dialog.SetFolderOpener([&](const QString& folder) { opened = folder; });
    dialog.ShowBackupsButton()->click();
    EXPECT_EQ(opened, TorvoSettings::BackupFolder());
    EXPECT_TRUE(QFileInfo(opened).isDir());

    // A trace needs a file; Browse asks through the prompt, starting from the one typed.
    dialog.TraceBox()->setChecked(true);
    EXPECT_TRUE(dialog.BrowseButton()->isEnabled());
    dialog.accept();
    EXPECT_THAT(m_prompt->texts, ElementsAre(TransferOptionsDlg::kChooseTraceFile));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.TraceFileEdit()->setText(TempPath("old.txt"));
    m_prompt->saveFiles = {TempPath("link.txt")};
    dialog.BrowseButton()->click();
    EXPECT_THAT(m_prompt->suggestedSaves, ElementsAre(TempPath("old.txt")));
    EXPECT_EQ(dialog.TraceFileEdit()->text(), TempPath("link.txt"));
    dialog.BackupBox()->setChecked(false);
    dialog.reject();
    EXPECT_TRUE(TorvoSettings::LoadTransferPreferences().backupBeforeUpload);

    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const TransferPreferences stored = TorvoSettings::LoadTransferPreferences();
    EXPECT_FALSE(stored.backupBeforeUpload);
    EXPECT_TRUE(stored.verifyAfterUpload);
    EXPECT_TRUE(stored.writeTrace);
    EXPECT_EQ(stored.traceFile, TempPath("link.txt"));

    // The dialog opens on what was stored, from the Options menu.
    InNextDialog<TransferOptionsDlg>([](TransferOptionsDlg& again) {
        EXPECT_FALSE(again.BackupBox()->isChecked());
        EXPECT_TRUE(again.TraceBox()->isChecked());
        again.reject();
    });
    m_frame->ExecuteCommand(cmd::TransferOptions);
}

TEST_F(MainFrameTest, SplashClosesOnTheFirstKeyAndConsumesIt) {
    SplashScreen splash(60000);
    int closed = 0;
    QObject::connect(&splash, &SplashScreen::Closed, [&] { ++closed; });
    splash.Start();
    EXPECT_TRUE(splash.isVisible());

    QLineEdit edit;
    edit.show();
    QTest::keyClick(&edit, Qt::Key_A);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(edit.text(), "") << "the key that closed the splash is consumed";
    QTest::keyClick(&edit, Qt::Key_B);
    EXPECT_EQ(edit.text(), "b");
    EXPECT_EQ(closed, 1);
}

TEST_F(MainFrameTest, SplashClosesByItselfAfterItsTime) {
    SplashScreen splash(1);
    int closed = 0;
    QObject::connect(&splash, &SplashScreen::Closed, [&] { ++closed; });
    splash.Start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return closed == 1; }, 2000));
}

TEST_F(MainFrameTest, AMnemonicSharedInAWindowMovesTheFocusWithoutPressing) {
    TestViewFactories factories;
    m_frame->ExecuteCommand(cmd::NewDatabase);
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::DesksetCfg));
    CEditorView* view = m_frame->Editors().ActiveView();
    auto* first = new QCheckBox("&Fast", view);
    auto* name = new QLineEdit(view);
    auto* label = new QLabel("&Frequency", view);
    label->setBuddy(name);
    auto* hidden = new QCheckBox("&Far", view);
    hidden->hide();
    first->show();
    name->show();
    label->show();
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    first->setFocus();

    QTest::keyClick(first, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), name);
    QTest::keyClick(name, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), first);
    EXPECT_FALSE(first->isChecked());
    EXPECT_TRUE(name->text().isEmpty());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(MainFrameTest, HelpFromAModalDialogStaysUsableWhileTheDialogRuns) {
    ShortcutsDlg dialog(m_frame->CurrentShortcuts(), CMainFrame::StandardShortcuts(),
                        m_frame.get());
    QObject::connect(&dialog, &ShortcutsDlg::HelpRequested, m_frame.get(),
                     [this](int topic) { m_frame->Help().ShowTopic(topic); });
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
    QTest::keyClick(&dialog, Qt::Key_F1);
    HelpWindow& help = m_frame->Help();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    EXPECT_EQ(help.CurrentPage(), "qrc:/help/139.html");

    // A click in the help window reaches it: it is not blocked by the dialog.
    auto* contents = help.findChild<QPushButton*>();
    ASSERT_NE(contents, nullptr);
    // Through the window system, where a blocked window loses its clicks.
    const auto click = [&help, contents] {
        QTest::mouseClick(help.windowHandle(), Qt::LeftButton, {},
                          contents->mapTo(&help, contents->rect().center()));
    };
    click();
    EXPECT_EQ(help.CurrentPage(), "qrc:/help/contents.html");
    EXPECT_TRUE(dialog.isVisible());

    // Help already open when a dialog starts is not blocked either.
    dialog.hide();
    help.ShowTopic(HelpWindow::kShortcutKeysTopic);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    click();
    EXPECT_EQ(help.CurrentPage(), "qrc:/help/contents.html");
    dialog.hide();
    help.close();
}

TEST_F(MainFrameTest, TheFirstSizeHasRoomForTheLargestEditorWindow) {
    RegisterEditors();
    struct Unregister {
        ~Unregister() {
            EditorWindows::UnregisterFactory(EditorKind::ChanCfg);
            EditorWindows::UnregisterFactory(EditorKind::DesksetCfg);
        }
    } unregister;
    Restart();  // with no saved layout: a first run
    const QSize screen = m_frame->screen()->availableGeometry().size();
    ASSERT_GE(screen.width(), 1200);
    m_frame->ExecuteCommand(cmd::NewDatabase);
    for (const EditorKind kind : {EditorKind::ChanCfg, EditorKind::DesksetCfg}) {
        ASSERT_TRUE(m_frame->Editors().OpenEditor(kind, kind == EditorKind::ChanCfg ? 1 : 0));
        ProcessEvents();
        const QWidget* frame = m_frame->Editors().ActiveView()->Frame();
        EXPECT_TRUE(m_frame->Workspace().viewport()->rect().contains(frame->geometry()))
            << frame->windowTitle().toStdString() << " " << frame->width() << "x" << frame->height()
            << " in " << m_frame->Workspace().viewport()->width() << "x"
            << m_frame->Workspace().viewport()->height();
    }
    EXPECT_LE(m_frame->width(), screen.width());
    EXPECT_LE(m_frame->height(), screen.height());
}

TEST_F(MainFrameTest, AQuestionWrittenInLinesIsAsWideAsItsLongestLine) {
    const QString question = transfer_strings::kRetryQuestion;
    int longest = 0;
    int labelWidth = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            if (label->text() == question) {
                labelWidth = label->width();
                for (const QString& line : question.split('\n')) {
                    longest = std::max(longest, label->fontMetrics().horizontalAdvance(line));
                }
            }
        }
        box->reject();
    });
    MessageBoxPrompt().Ask(question, PromptIcon::Question, PromptButtons::RetryCancel);
    EXPECT_GT(longest, 0);
    EXPECT_GE(labelWidth, longest);
}

TEST_F(MainFrameTest, AGreyedMenuItemShowsItsPromptWhenHovered) {
    m_frame->ExecuteCommand(cmd::NewDatabase);  // single channel: Channel 2 is greyed
    QAction* channel2 = m_frame->Action(ViewCommandOf(EditorKind::ChanCfg, 2));
    ASSERT_FALSE(channel2->isEnabled());
    QMenu* view = nullptr;
    for (QAction* title : m_frame->menuBar()->actions()) {
        if (title->text() == "&View") {
            view = title->menu();
        }
    }
    ASSERT_NE(view, nullptr);
    view->popup(m_frame->mapToGlobal(QPoint(20, 20)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view));
    QTest::mouseMove(
        view,
        view->actionGeometry(m_frame->Action(ViewCommandOf(EditorKind::ChanCfg, 1))).center());
    EXPECT_EQ(m_frame->statusBar()->currentMessage(),
              "Activates the channel 1 configuration window");
    QTest::mouseMove(view, view->actionGeometry(channel2).center());
    EXPECT_EQ(m_frame->statusBar()->currentMessage(),
              "Activates the channel 2 configuration window");
    view->close();
}

namespace {

// The windows a window belongs to, nearest first, as the window system links
// them; stops at a loop, which it reports as the window it came back to.
QList<QWindow*> TransientChain(QWindow* window) {
    QList<QWindow*> chain;
    for (QWindow* up = window->transientParent(); up; up = up->transientParent()) {
        if (chain.contains(up) || up == window) {
            chain << up;
            ADD_FAILURE() << "the windows are each other's parent";
            break;
        }
        chain << up;
    }
    return chain;
}

}  // namespace

TEST_F(MainFrameTest, AMessageBoxRaisedWhileHelpIsActiveBelongsToTheMainWindowOrTheEditor) {
    TestViewFactories views;
    HelpWindow& help = m_frame->Help();
    for (const bool editorOpen : {false, true}) {
        SCOPED_TRACE(editorOpen ? "with an editor window" : "without");
        if (editorOpen) {
            m_frame->ExecuteCommand(cmd::NewDatabase);
            ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::AliasList));
        }
        help.ShowContents();
        QApplication::setActiveWindow(&help);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
        QWidget* owner = nullptr;
        QList<QWindow*> helpChain;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            owner = box->parentWidget();
            // F1 while the box runs: help follows the box, which must not follow help.
            m_frame->ShowHelpForActiveWindow();
            helpChain = TransientChain(help.windowHandle());
            TransientChain(box->windowHandle());
            box->reject();
        });
        MessageBoxPrompt().Ask("Close?", PromptIcon::Question, PromptButtons::YesNo);
        ASSERT_NE(owner, nullptr);
        EXPECT_EQ(owner->window(), m_frame.get());
        if (editorOpen) {
            EXPECT_EQ(owner, m_frame->Editors().ActiveView()->Frame());
        }
        ASSERT_FALSE(helpChain.isEmpty());
        EXPECT_EQ(helpChain.back(), m_frame->windowHandle());
    }
    help.close();
}

TEST_F(MainFrameTest, HelpNeverFollowsADialogItOwns) {
    HelpWindow& help = m_frame->Help();
    help.ShowContents();
    QDialog owned(&help);
    owned.setWindowModality(Qt::ApplicationModal);
    owned.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owned));
    help.ShowContents();
    EXPECT_EQ(help.windowHandle()->transientParent(), m_frame->windowHandle());
    TransientChain(owned.windowHandle());
    owned.hide();
    help.close();
}

TEST_F(MainFrameTest, EscapeClosesHelpAndF1BringsBackAMinimisedHelp) {
    HelpWindow& help = m_frame->Help();
    help.ShowContents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    QTest::keyClick(help.focusWidget() ? help.focusWidget() : &help, Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());

    help.ShowContents();
    help.showMinimized();
    ASSERT_TRUE(help.isMinimized());
    QApplication::setActiveWindow(m_frame.get());
    QTest::keyClick(m_frame.get(), Qt::Key_F1);
    EXPECT_TRUE(help.isVisible());
    EXPECT_FALSE(help.isMinimized());
    EXPECT_EQ(help.CurrentPage(), "qrc:/help/main-window.html");
    help.close();
}

TEST_F(MainFrameTest, HelpIsAnnouncedAsAWindowAndItsTextByThePageTitle) {
    HelpWindow& help = m_frame->Help();
    help.ShowContents();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&help);
    EXPECT_EQ(window->role(), QAccessible::Window);
    EXPECT_EQ(window->text(QAccessible::Name), "Torvo Help");
    auto* text = help.findChild<QTextBrowser*>();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(text)->text(QAccessible::Name),
              "Torvo Help Topics");
    m_frame->ShowHelpForActiveWindow();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(text)->text(QAccessible::Name),
              text->documentTitle());
    EXPECT_NE(text->documentTitle(), "Torvo Help Topics");
    help.close();
}
