// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration tree, the View menu and the window registry.

#include <gmock/gmock.h>

#include <QApplication>
#include <QDockWidget>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QTest>

#include "GuiTestSupport.h"
#include "app/CConfigTree.h"
#include "app/Commands.h"
#include "app/ConfigAreas.h"
#include "model/ManualPage.h"

namespace {

class ConfigTreeTest : public GuiTest {
protected:
    CConfigTree& Tree() { return m_frame->Tree(); }
    CConfigTree::State State(const QString& text) { return Tree().ItemState(text); }
    int OpenWindows() { return m_frame->Workspace().subWindowList().size(); }
    TestViewFactories m_factories;
};

}  // namespace

TEST_F(ConfigTreeTest, ItemsInOrderWithTheirCommands) {
    QStringList texts;
    QTreeWidgetItemIterator it(&Tree());
    for (; *it; ++it) {
        texts << (*it)->text(0);
    }
    EXPECT_EQ(texts,
              (QStringList{"", "Deskset Configuration", "Channel 1", "Channel 2", "Channel 3",
                           "Channel 4", "Buttons Configuration", "Paging", "Paging Formats",
                           "Speed Paging", "Custom Paging Tones", "PTT ID Aliases"}));
    EXPECT_EQ(CConfigTree::AreaForItem("Deskset Configuration")->kind, EditorKind::DesksetCfg);
    EXPECT_EQ(CConfigTree::AreaForItem("Channel 3"), AreaOf(EditorKind::ChanCfg, 3));
    EXPECT_EQ(CConfigTree::AreaForItem("Custom Paging Tones")->kind, EditorKind::CustomPageList);
    EXPECT_EQ(CConfigTree::AreaForItem("PTT ID Aliases")->kind, EditorKind::AliasList);
    EXPECT_EQ(CConfigTree::AreaForItem("Paging"), nullptr);
    EXPECT_TRUE(Tree().FindItem("Paging")->isExpanded());
    EXPECT_EQ(State("Paging"), CConfigTree::kNoState);
}

TEST_F(ConfigTreeTest, StatesFollowTheDesksetTypeAndThePagingFormats) {
    ASSERT_TRUE(m_app->OpenDatabaseFile(WriteDatabase("single.ddb", 1)));
    for (const char* channel : {"Channel 2", "Channel 3", "Channel 4"}) {
        EXPECT_EQ(State(channel), CConfigTree::kUnavailable) << channel;
    }
    EXPECT_EQ(State("Channel 1"), CConfigTree::kClosed);
    EXPECT_EQ(State("Speed Paging"), CConfigTree::kUnavailable);
    EXPECT_FALSE(m_frame->Action(ViewCommandOf(EditorKind::ChanCfg, 2))->isEnabled());
    EXPECT_FALSE(m_frame->Action(ViewCommandOf(EditorKind::SpeedPageList))->isEnabled());
    EXPECT_TRUE(m_frame->Action(ViewCommandOf(EditorKind::ChanCfg, 1))->isEnabled());

    m_prompt->answers = {PromptAnswer::Ok};
    ASSERT_TRUE(m_app->OpenDatabaseFile(WriteDatabase("multi.ddb", 4)));
    for (const char* channel : {"Channel 2", "Channel 3", "Channel 4"}) {
        EXPECT_EQ(State(channel), CConfigTree::kClosed) << channel;
    }
    EXPECT_TRUE(m_frame->Action(ViewCommandOf(EditorKind::ChanCfg, 4))->isEnabled());

    // An unknown type leaves the channel items as they were; a paging format frees speed paging.
    TheImage().SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType), 9);
    TheImage().SetText(layout::manual_page::kStart + layout::manual_page::kSize * 3,
                       layout::manual_page::kLabelWidth, "FMT");
    Tree().RefreshItemStates();
    EXPECT_EQ(State("Channel 2"), CConfigTree::kClosed);
    EXPECT_EQ(State("Speed Paging"), CConfigTree::kClosed);
    EXPECT_TRUE(m_frame->Action(ViewCommandOf(EditorKind::SpeedPageList))->isEnabled());
}

TEST_F(ConfigTreeTest, UnavailableItemsOpenNothing) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    Tree().ActivateItem(Tree().FindItem("Channel 2"));
    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::ChanCfg, 3));  // greyed View item
    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::SpeedPageList));
    ProcessEvents();
    EXPECT_EQ(OpenWindows(), 0);
    EXPECT_EQ(State("Channel 2"), CConfigTree::kUnavailable);
}

TEST_F(ConfigTreeTest, OneWindowPerAreaAndPerChannel) {
    ASSERT_TRUE(m_app->OpenDatabaseFile(WriteDatabase("four.ddb", 4)));
    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::DesksetCfg));
    ProcessEvents();
    ASSERT_EQ(OpenWindows(), 1);
    EXPECT_EQ(State("Deskset Configuration"), CConfigTree::kOpen);
    auto* deskset = static_cast<TestView*>(m_frame->Editors().ActiveView());
    EXPECT_EQ(deskset->Frame()->windowTitle(), "Deskset Configuration");

    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::ChanCfg, 1));
    Tree().ActivateItem(Tree().FindItem("Channel 3"));
    ProcessEvents();
    EXPECT_EQ(OpenWindows(), 3);
    EXPECT_EQ(m_frame->Editors().ActiveView()->ChannelIndex(), 2);
    EXPECT_EQ(m_app->Document()->ChannelToOpen(), 2);

    // Choosing an open area again activates its window.
    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::DesksetCfg));
    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::ChanCfg, 1));
    ProcessEvents();
    EXPECT_EQ(OpenWindows(), 3);
    EXPECT_EQ(m_frame->Editors().ActiveView()->ChannelIndex(), 0);
    EXPECT_EQ(deskset->initialUpdates, 1);
    EXPECT_TRUE(m_frame->Editors().IsEditorOpen(EditorKind::ChanCfg));
    EXPECT_FALSE(m_frame->Editors().IsEditorOpen(EditorKind::AliasList));

    // MarkModified refreshes every window.
    m_app->Document()->MarkModified();
    EXPECT_EQ(deskset->updates, 1);
}

TEST_F(ConfigTreeTest, ClosingAWindowReturnsItsItemToClosedAndFocusesTheTree) {
    ASSERT_TRUE(m_app->OpenDatabaseFile(WriteDatabase("four.ddb", 4)));
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::ChanCfg, 2));
    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::AliasList));
    ProcessEvents();
    ASSERT_EQ(State("PTT ID Aliases"), CConfigTree::kOpen);
    ASSERT_NE(QApplication::focusWidget(), &Tree());

    // Another window stays open; the tree has the focus all the same.
    m_frame->Editors().ActiveView()->CloseFrame();
    ProcessEvents();
    EXPECT_EQ(OpenWindows(), 1);
    EXPECT_EQ(State("PTT ID Aliases"), CConfigTree::kClosed);
    EXPECT_EQ(Tree().currentItem()->text(0), "PTT ID Aliases");
    EXPECT_EQ(QApplication::focusWidget(), &Tree());

    m_frame->Editors().ActiveView()->CloseFrame();
    ProcessEvents();
    EXPECT_EQ(OpenWindows(), 0);
    EXPECT_EQ(Tree().currentItem()->text(0), "Channel 2");
    EXPECT_EQ(QApplication::focusWidget(), &Tree());
    EXPECT_FALSE(m_app->Document()->HasViews());
}

TEST_F(ConfigTreeTest, RegistryClosesAndReopensDependentWindows) {
    ASSERT_TRUE(m_app->OpenDatabaseFile(WriteDatabase("four.ddb", 4)));
    EditorWindows& windows = m_frame->Editors();
    for (int channel = 1; channel <= 4; ++channel) {
        ASSERT_TRUE(windows.OpenEditor(EditorKind::ChanCfg, channel));
    }
    windows.OpenEditor(EditorKind::SpeedPageList);
    windows.OpenEditor(EditorKind::DesksetButtonsCfg);
    const QPointer<CEditorView> buttons = m_frame->Editors().ActiveView();
    EXPECT_EQ(OpenWindows(), 6);

    windows.CloseChannelEditorsAbove1();
    windows.CloseSpeedPagingEditor();
    EXPECT_EQ(OpenWindows(), 2);
    EXPECT_TRUE(windows.IsEditorOpen(EditorKind::ChanCfg));

    windows.ReopenButtonsEditor();
    EXPECT_EQ(OpenWindows(), 2);
    EXPECT_TRUE(buttons.isNull()) << "a new window, not the old one";
    EXPECT_EQ(m_frame->Editors().ActiveView()->Kind(), EditorKind::DesksetButtonsCfg);
}

TEST_F(ConfigTreeTest, KeysActOnTheRememberedItemAndClicksOutsideTheLabelDoNothing) {
    ASSERT_TRUE(m_app->OpenDatabaseFile(WriteDatabase("four.ddb", 4)));
    Tree().setCurrentItem(Tree().FindItem("Custom Paging Tones"));
    QTest::keyClick(&Tree(), Qt::Key_Tab);
    ProcessEvents();
    EXPECT_TRUE(m_frame->Editors().IsEditorOpen(EditorKind::CustomPageList));

    Tree().setCurrentItem(Tree().FindItem("Paging Formats"));
    QTest::keyClick(&Tree(), Qt::Key_Space);
    ProcessEvents();
    EXPECT_TRUE(m_frame->Editors().IsEditorOpen(EditorKind::ManualPageList));

    m_frame->resize(1200, 800);
    m_frame->resizeDocks({&m_frame->TreeDock()}, {500}, Qt::Horizontal);
    ProcessEvents();
    QTreeWidgetItem* buttons = Tree().FindItem("Buttons Configuration");
    const QRect row = Tree().visualItemRect(buttons);
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {},
                      QPoint(row.right() - 2, row.center().y()));
    ProcessEvents();
    EXPECT_FALSE(m_frame->Editors().IsEditorOpen(EditorKind::DesksetButtonsCfg));
    QTest::mouseClick(Tree().viewport(), Qt::LeftButton, {},
                      QPoint(row.left() + 8, row.center().y()));
    ProcessEvents();
    EXPECT_TRUE(m_frame->Editors().IsEditorOpen(EditorKind::DesksetButtonsCfg));
}

TEST_F(ConfigTreeTest, AreasWithoutAnEditorOpenNothingAndStayClosed) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    EditorWindows::UnregisterFactory(EditorKind::AliasList);
    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::AliasList));
    ProcessEvents();
    EXPECT_EQ(OpenWindows(), 0);
    EXPECT_EQ(State("PTT ID Aliases"), CConfigTree::kClosed);
}

TEST_F(ConfigTreeTest, ANarrowTreeScrollsToItsFullTexts) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    m_frame->resize(800, 600);
    m_frame->resizeDocks({&m_frame->TreeDock()}, {120}, Qt::Horizontal);
    ProcessEvents();
    ASSERT_LT(Tree().viewport()->width(), 160);
    EXPECT_GT(Tree().horizontalScrollBar()->maximum(), 0);
    for (QTreeWidgetItemIterator it(&Tree()); *it; ++it) {
        const QString text = (*it)->text(0);
        const int needed = Tree().iconSize().width() + Tree().fontMetrics().horizontalAdvance(text);
        EXPECT_GE(Tree().visualItemRect(*it).width(), needed) << text.toStdString();
    }
}
