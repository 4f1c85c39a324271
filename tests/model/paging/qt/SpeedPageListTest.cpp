// SPDX-License-Identifier: GPL-3.0-or-later
// The Speed Paging window and its editor, driven as a user drives them.

#include <gmock/gmock.h>

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "app/CConfigTree.h"
#include "app/ConfigAreas.h"
#include "app/EditorWindows.h"
#include "model/ButtonTable.h"
#include "model/ManualPage.h"
#include "model/SpeedPage.h"
#include "model/editing/qt/Latin1.h"
#include "model/editing/qt/ListWindowFixture.h"
#include "model/paging/PagingFormats.h"
#include "model/paging/qt/EditSpeedPageFV.h"
#include "model/paging/qt/SpeedPageListFV.h"

using ::testing::ElementsAre;

namespace {

class SpeedPageListTest : public ListWindowFixture<SpeedPageListFV, EditorKind::SpeedPageList> {
protected:
    void DefineFormat(std::size_t record, const std::string& label, BaseFormat code) {
        ManualPage page(TheImage(), record);
        page.SetLabel(label);
        page.SetBaseFormat(static_cast<std::uint8_t>(code));
    }
    CConfigTree::State ButtonsItem() const {
        return m_frame->Tree().ItemState(area_texts::kButtons);
    }
};

}  // namespace

TEST_F(SpeedPageListTest, OpenKeepsButtonsUnavailableUntilClosed) {
    DefineFormat(0, "FIRE", BaseFormat::Motorola5Tone);
    m_frame->Tree().RefreshItemStates();
    SpeedPageListFV* list = Open();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Frame()->windowTitle(), "Speed Paging");
    EXPECT_EQ(list->HelpTopic(), 107);
    EXPECT_THAT(Column(list, 0), ElementsAre("<No paging format defined>"));
    EXPECT_FALSE(list->EditButton()->isEnabled());
    EXPECT_EQ(ButtonsItem(), CConfigTree::kUnavailable);

    QTest::keyClick(list, Qt::Key_Escape);
    ProcessEvents();
    EXPECT_FALSE(m_frame->Editors().IsEditorOpen(EditorKind::SpeedPageList));
    EXPECT_EQ(ButtonsItem(), CConfigTree::kClosed);
}

TEST_F(SpeedPageListTest, AddEditAndDeleteThroughTheEditor) {
    // Formats in slots 1 and 3: the second entry is the slot 3 format.
    DefineFormat(1, "HEX", BaseFormat::VoiceAlert);
    DefineFormat(3, "FIRE", BaseFormat::Motorola5Tone);
    SpeedPageListFV* list = Open();

    InNextDialog<EditSpeedPageFV>([](EditSpeedPageFV& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit Speed Page");
        EXPECT_EQ(dialog.HelpTopic(), 106);
        EXPECT_EQ(dialog.FormatList()->count(), 2);
        EXPECT_EQ(dialog.FormatList()->currentText(), "HEX (Voice Alert)");
        EXPECT_THAT(TabOrder(dialog.LabelEdit(), 4),
                    ElementsAre("&Label", "&Paging format", "&Digit sequence / Custom page label",
                                "OK", "Cancel"));
        dialog.LabelEdit()->setText("ZULU");
        QTest::keyClicks(dialog.DigitsEdit(), "1f3a");
        EXPECT_EQ(dialog.DigitsEdit()->text(), "1F3A");
        dialog.OkButton()->click();
    });
    list->Add();
    InNextDialog<EditSpeedPageFV>([](EditSpeedPageFV& dialog) {
        dialog.LabelEdit()->setText("ALPHA");
        dialog.FormatList()->setCurrentIndex(1);
        dialog.DigitsEdit()->setText("1234");
        dialog.OkButton()->click();
        // Refused: the focus goes to the sequence, its text selected.
        QCoreApplication::processEvents();
        EXPECT_EQ(dialog.focusWidget(), dialog.DigitsEdit());
        EXPECT_EQ(dialog.DigitsEdit()->selectedText(), "1234");
        dialog.DigitsEdit()->setText("12345");
        dialog.OkButton()->click();
    });
    list->Add();
    EXPECT_THAT(m_prompt->texts, ElementsAre(FromLatin1(DigitRuleOf(13).message)));
    EXPECT_THAT(Column(list, 0), ElementsAre("ALPHA", "ZULU"));
    EXPECT_THAT(Column(list, 1), ElementsAre("FIRE (Motorola 5 Tone)", "HEX (Voice Alert)"));
    EXPECT_EQ(list->SelectedRow(), 0);
    EXPECT_EQ(SpeedPage(TheImage(), 0).PagingFormat(), 3);

    // Renamed, ALPHA moves below ZULU; its key and the selection follow.
    ButtonTable keys(TheImage());
    keys.Set(0, ButtonKind::SpeedPage, 1);
    InNextDialog<EditSpeedPageFV>([](EditSpeedPageFV& dialog) {
        EXPECT_EQ(dialog.LabelEdit()->text(), "ALPHA");
        EXPECT_EQ(dialog.FormatList()->currentIndex(), 1);
        dialog.LabelEdit()->setText("ZZ");
        dialog.OkButton()->click();
    });
    list->Edit();
    EXPECT_THAT(Column(list, 0), ElementsAre("ZULU", "ZZ"));
    EXPECT_EQ(list->SelectedRow(), 1);
    EXPECT_EQ(keys.Value(0), 2);

    // A key holds ZZ: refused. ZULU goes and ZZ's key follows it up.
    m_prompt->texts.clear();
    list->Delete();
    list->SelectRow(0);
    m_prompt->answers = {PromptAnswer::Yes};
    list->Delete();
    EXPECT_THAT(m_prompt->texts, ElementsAre(FromLatin1(kSpeedPageUsedByButtonMessage),
                                             ListWindow::kDeleteQuestion));
    EXPECT_THAT(Column(list, 0), ElementsAre("ZZ"));
    EXPECT_EQ(keys.Value(0), 1);
    EXPECT_TRUE(SpeedPage(TheImage(), 1).IsFree());
}

TEST_F(SpeedPageListTest, HelpPagesExist) {
    for (const int topic :
         {AreaOf(EditorKind::SpeedPageList)->helpTopic, EditSpeedPageFV::kHelpTopic}) {
        EXPECT_TRUE(QFile::exists(QString(":/help/%1.html").arg(topic))) << topic;
    }
}
