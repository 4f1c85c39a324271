// SPDX-License-Identifier: GPL-3.0-or-later
// The deskset settings window: form, checks and the deskset type change.

#include <gmock/gmock.h>

#include <QCheckBox>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include "app/CConfigTree.h"
#include "app/Commands.h"
#include "app/ConfigAreas.h"
#include "app/EditorWindows.h"
#include "app/GuiTestSupport.h"
#include "model/ButtonTable.h"
#include "model/ChannelRecord.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "model/deskset/qt/DesksetCfgFV.h"
#include "model/editing/qt/AcceleratedSpinEdit.h"

using ::testing::ElementsAre;

namespace {

class DesksetCfgFVTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        RegisterEditors();
        // A stand-in buttons window, to follow its closing and reopening.
        EditorWindows::RegisterFactory(EditorKind::DesksetButtonsCfg,
                                       [](const EditorContext& c) { return new TestView(c); });
    }
    void TearDown() override {
        GuiTest::TearDown();
        EditorWindows::UnregisterFactory(EditorKind::DesksetButtonsCfg);
    }
    DesksetCfgFV* Open() {
        EXPECT_TRUE(m_frame->Editors().OpenEditor(EditorKind::DesksetCfg));
        return qobject_cast<DesksetCfgFV*>(m_frame->Editors().ActiveView());
    }
    void OpenFourChannelDatabase() {
        ASSERT_TRUE(m_app->OpenDatabaseFile(WriteDatabase("four.ddb", 4)));
    }
    bool IsOpen(EditorKind kind) { return m_frame->Editors().IsEditorOpen(kind); }
};

}  // namespace

TEST_F(DesksetCfgFVTest, NewDatabaseShowsItsDefaults) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    DesksetCfgFV* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Frame()->windowTitle(), "Deskset Configuration");
    EXPECT_EQ(view->HelpTopic(), 125);
    EXPECT_EQ(view->DesksetType()->currentText(), "Advanced Single Channel");
    EXPECT_EQ(view->MuteTimer()->currentText(), "30");
    EXPECT_EQ(view->MuteLevel()->currentText(), "Full Mute");
    EXPECT_FALSE(view->MuteTimer()->isEnabled());
    EXPECT_FALSE(view->MuteLevel()->isEnabled());
    EXPECT_FALSE(view->UnselectSpeaker()->isEnabled());
    EXPECT_EQ(view->NumberEdit(DesksetField::PagingVoiceAnnotation)->text(), "2");

    view->DesksetType()->setCurrentIndex(1);
    EXPECT_TRUE(view->MuteTimer()->isEnabled());
    EXPECT_TRUE(view->UnselectSpeaker()->isEnabled());
}

TEST_F(DesksetCfgFVTest, OkChecksWritesAndCloses) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    DesksetCfgFV* view = Open();
    view->NumberEdit(DesksetField::TransmitDelay)->SetText("501");
    view->Ok();
    ProcessEvents();
    EXPECT_THAT(m_prompt->texts, ElementsAre("Transmit delay must be between 0 and 500 ms."));
    EXPECT_TRUE(IsOpen(EditorKind::DesksetCfg));
    EXPECT_FALSE(m_app->Document()->IsModified());
    EXPECT_EQ(view->window()->focusWidget(), view->NumberEdit(DesksetField::TransmitDelay));

    // The edits take digits only: typed letters leave nothing, which is no number.
    AcceleratedSpinEdit* keyUp = view->NumberEdit(DesksetField::PageKeyUpDelay);
    view->NumberEdit(DesksetField::TransmitDelay)->SetText("500");
    keyUp->SetText("");
    QTest::keyClicks(keyUp, "a-b");
    EXPECT_EQ(keyUp->text(), "");
    view->Ok();
    EXPECT_EQ(m_prompt->texts.last(), "Please enter a positive integer.");
}

TEST_F(DesksetCfgFVTest, AcceptedValuesReachTheImage) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    DesksetCfgFV* view = Open();
    view->NumberEdit(DesksetField::TransmitDelay)->SetText("500");
    view->NumberEdit(DesksetField::PageKeyUpDelay)->SetText("60");
    view->Ok();
    ProcessEvents();
    EXPECT_FALSE(IsOpen(EditorKind::DesksetCfg));
    EXPECT_EQ(TheImage().U8(0x018), 0xF4);
    EXPECT_EQ(TheImage().U8(0x019), 0x01);
    EXPECT_EQ(TheImage().U8(layout::deskset::Absolute(layout::deskset::kPageKeyUpDelay)), 60);
    EXPECT_TRUE(m_app->Document()->IsModified());
}

TEST_F(DesksetCfgFVTest, CancelWritesNothingAndAHighMuteTimerIsWrittenBackAsZero) {
    ConfigImage image;
    SetImageDefaults(image);
    image.SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType), 4);
    image.SetU8(layout::deskset::Absolute(layout::deskset::kMuteTimer), 61);
    const QString path = TempPath("timer.ddb");
    ASSERT_TRUE(WriteDatabaseFile(path.toStdString(), image).Ok());
    ASSERT_TRUE(m_app->OpenDatabaseFile(path));

    DesksetCfgFV* view = Open();
    EXPECT_EQ(view->MuteTimer()->currentIndex(), -1);
    view->NumberEdit(DesksetField::TransmitDelay)->SetText("7");
    view->Cancel();
    ProcessEvents();
    EXPECT_EQ(TheImage(), image);

    Open()->Ok();
    ProcessEvents();
    EXPECT_EQ(TheImage().U8(layout::deskset::Absolute(layout::deskset::kMuteTimer)), 0);
}

TEST_F(DesksetCfgFVTest, FourToSingleAnsweredNoChangesNothingButTheModifiedFlag) {
    OpenFourChannelDatabase();
    TheImage().SetU8(0x0100 + 448 + 5, 'Z');
    const ConfigImage before = TheImage();
    DesksetCfgFV* view = Open();
    view->DesksetType()->setCurrentIndex(0);
    m_prompt->answers = {PromptAnswer::No};
    view->Ok();
    ProcessEvents();
    EXPECT_THAT(m_prompt->texts,
                ElementsAre("Are you sure you want to erase the data for channels 2, 3, and 4 ?"));
    EXPECT_EQ(TheImage(), before);
    EXPECT_TRUE(IsOpen(EditorKind::DesksetCfg));
    EXPECT_TRUE(m_app->Document()->IsModified());
}

TEST_F(DesksetCfgFVTest, FourToSingleAnsweredYesResetsChannelsKeysAndWindows) {
    OpenFourChannelDatabase();
    ChannelRecord(TheImage(), 2).SetLabel(0, "Edited");
    ButtonTable buttons(TheImage());
    buttons.Set(0, ButtonKind::Mute, 1);
    buttons.Set(1, ButtonKind::Mute, 3);
    buttons.Set(2, ButtonKind::Patch, 255);
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::ChanCfg, 3));
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::ChanCfg, 1));
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::DesksetButtonsCfg));

    DesksetCfgFV* view = Open();
    view->DesksetType()->setCurrentIndex(0);
    m_prompt->answers = {PromptAnswer::Yes};
    view->Ok();
    ProcessEvents();

    EXPECT_EQ(TheImage().U8(layout::deskset::Absolute(layout::deskset::kDesksetType)), 1);
    EXPECT_EQ(ChannelRecord(TheImage(), 2).Label(0), "Freq 1");
    EXPECT_EQ(buttons.KindCode(0), 9);
    EXPECT_EQ(buttons.KindCode(1), 0);
    EXPECT_EQ(buttons.Value(1), 255);
    EXPECT_EQ(buttons.KindCode(2), 0);
    EXPECT_FALSE(IsOpen(EditorKind::DesksetCfg));
    ASSERT_TRUE(IsOpen(EditorKind::DesksetButtonsCfg));
    EXPECT_EQ(m_frame->Workspace().subWindowList().size(), 2)
        << "channel 1 and the new buttons window";
    for (const char* channel : {"Channel 2", "Channel 3", "Channel 4"}) {
        EXPECT_EQ(m_frame->Tree().ItemState(channel), CConfigTree::kUnavailable) << channel;
    }
}

TEST_F(DesksetCfgFVTest, OkWithoutATypeChangeKeepsTheOpenMarkersOfChannelWindows) {
    OpenFourChannelDatabase();
    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::ChanCfg, 3));
    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::DesksetCfg));
    ProcessEvents();
    ASSERT_EQ(m_frame->Tree().ItemState("Channel 3"), CConfigTree::kOpen);
    auto* view = qobject_cast<DesksetCfgFV*>(m_frame->Editors().ActiveView());
    ASSERT_NE(view, nullptr);
    view->Ok();
    ProcessEvents();
    EXPECT_FALSE(IsOpen(EditorKind::DesksetCfg));
    EXPECT_EQ(m_frame->Tree().ItemState("Channel 3"), CConfigTree::kOpen);
    EXPECT_EQ(m_frame->Tree().ItemState("Channel 2"), CConfigTree::kClosed);
    EXPECT_EQ(m_frame->Tree().ItemState("Deskset Configuration"), CConfigTree::kClosed);

    // Refreshing the items from the image does not drop the marker either.
    m_frame->Tree().RefreshItemStates();
    EXPECT_EQ(m_frame->Tree().ItemState("Channel 3"), CConfigTree::kOpen);
}

TEST_F(DesksetCfgFVTest, SingleToFourEnablesChannelsAndReopensTheButtonsWindow) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    const ConfigImage before = TheImage();
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::DesksetButtonsCfg));
    DesksetCfgFV* view = Open();
    view->DesksetType()->setCurrentIndex(1);
    view->Ok();
    ProcessEvents();
    EXPECT_TRUE(m_prompt->texts.isEmpty());
    EXPECT_EQ(TheImage().U8(layout::deskset::Absolute(layout::deskset::kDesksetType)), 4);
    for (std::size_t offset = layout::channel::kStart; offset < layout::manual_page::kStart;
         ++offset) {
        ASSERT_EQ(TheImage().U8(offset), before.U8(offset)) << "channel records stay as they were";
    }
    EXPECT_TRUE(IsOpen(EditorKind::DesksetButtonsCfg));
    EXPECT_EQ(m_frame->Tree().ItemState("Channel 3"), CConfigTree::kClosed);
    EXPECT_TRUE(m_frame->Action(ViewCommandOf(EditorKind::ChanCfg, 3))->isEnabled());
}

TEST_F(DesksetCfgFVTest, HeldArrowsStepFasterAndStayInRange) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    AcceleratedSpinEdit* delay = Open()->NumberEdit(DesksetField::TransmitDelay);
    long long held = 0;
    delay->SetHeldClock([&held] { return held; });
    delay->SetText("0");
    delay->stepBy(1);
    EXPECT_EQ(delay->text(), "1");
    held = 1000;
    delay->stepBy(1);
    EXPECT_EQ(delay->text(), "6");
    held = 2500;
    delay->stepBy(1);
    EXPECT_EQ(delay->text(), "16");
    delay->SetText("495");
    delay->stepBy(1);
    EXPECT_EQ(delay->text(), "500");
}

TEST_F(DesksetCfgFVTest, TabFollowsTheFormColumnByColumn) {
    OpenFourChannelDatabase();
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    DesksetCfgFV* view = Open();
    EXPECT_THAT(
        TabOrder(view->DesksetType(), 20),
        ElementsAre("Type of &deskset", "&Mute timer (sec)", "Paging voi&ce annotation (sec)",
                    "Mute &level", "&Transmit delay (ms)", "Printer ba&ud rate",
                    "12 / 24 hou&r mode", "&Page key up delay (sec)", "Paging feedbac&k",
                    "Use unselect &speaker", "&External mic present", "D&isplay time", "Mic A&GC",
                    "H&andset present", "Relay latching &1", "Relay latching &2",
                    "Relay latching &3", "Relay latching &4", "OK", "Cancel", "Type of &deskset"));
}
