// SPDX-License-Identifier: GPL-3.0-or-later
// The PTT ID aliases window and its editor, driven as a user drives them.

#include <gmock/gmock.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "app/Commands.h"
#include "app/EditorWindows.h"
#include "model/PttIdAlias.h"
#include "model/deskset/qt/AliasListFV.h"
#include "model/deskset/qt/EditAliasFV.h"
#include "model/editing/qt/Latin1.h"
#include "model/editing/qt/ListWindowFixture.h"

using ::testing::Each;
using ::testing::ElementsAre;

namespace {

using enum AliasProtocol;

class AliasListTest : public ListWindowFixture<AliasListFV, EditorKind::AliasList> {
protected:
    static void InDialog(std::function<void(EditAliasFV&)> action) {
        InNextDialog<EditAliasFV>(std::move(action));
    }
    // Fills the editor in and presses OK.
    static void Enter(EditAliasFV& dialog, const QString& label, const QString& id,
                      AliasProtocol protocol = Mdc1200) {
        dialog.LabelEdit()->setText(label);
        dialog.ProtocolButton(protocol)->setChecked(true);
        dialog.PttIdEdit()->setText(id);
        dialog.OkButton()->click();
        QCoreApplication::processEvents();
    }
    static PttIdAlias Alias(std::size_t record) { return PttIdAlias(TheImage(), record); }
    static void Define(std::size_t record, const char* label, const char* id, int protocol) {
        Alias(record).SetLabel(label);
        Alias(record).SetPttId(id);
        Alias(record).SetProtocol(static_cast<std::uint8_t>(protocol));
    }
};

}  // namespace

TEST_F(AliasListTest, AddEditAndDeleteKeepTheTableSortedAndCompact) {
    AliasListFV* list = Open();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Frame()->windowTitle(), "PTT ID Aliases");
    EXPECT_EQ(list->HelpTopic(), 108);
    const std::pair<const char*, const char*> aliases[] = {
        {"zeta", "1"}, {"Alpha", "2"}, {"beta", "3"}};
    for (const auto& [label, id] : aliases) {
        InDialog([label = label, id = id](EditAliasFV& dialog) { Enter(dialog, label, id, Dtmf); });
        list->Add();
    }
    EXPECT_THAT(Column(list, 0), ElementsAre("Alpha", "beta", "zeta"));
    EXPECT_THAT(Column(list, 1), ElementsAre("2", "3", "1"));

    // A rename moves the alias; its row stays selected where it went.
    list->SelectRow(0);
    InDialog([](EditAliasFV& dialog) { Enter(dialog, "zz", "2", Dtmf); });
    list->Edit();
    EXPECT_THAT(Column(list, 0), ElementsAre("beta", "zeta", "zz"));
    EXPECT_EQ(list->SelectedRow(), 2);

    // Deleting the first alias moves the others up and frees the last record.
    list->SelectRow(0);
    m_prompt->answers = {PromptAnswer::Yes};
    list->Delete();
    EXPECT_THAT(Column(list, 0), ElementsAre("zeta", "zz"));
    EXPECT_TRUE(Alias(2).IsFree());
}

TEST_F(AliasListTest, EditorControlsTheirNamesAndKeys) {
    AliasListFV* list = Open();
    InDialog([](EditAliasFV& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit PTT ID Aliases");
        EXPECT_EQ(dialog.HelpTopic(), 109);
        EXPECT_TRUE(dialog.ProtocolButton(Mdc1200)->isChecked());
        dialog.activateWindow();
        QCoreApplication::processEvents();
        EXPECT_THAT(TabOrder(dialog.LabelEdit(), 4),
                    ElementsAre("&Label", "&MDC1200 unit", "&PTT ID", "OK", "Cancel"));

        // The mnemonics reach every control; Tab enters the group at its choice.
        QTest::keyClick(&dialog, Qt::Key_D, Qt::AltModifier);
        EXPECT_EQ(dialog.focusWidget(), dialog.ProtocolButton(Dtmf));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Space);
        QTest::keyClick(&dialog, Qt::Key_P, Qt::AltModifier);
        EXPECT_EQ(dialog.focusWidget(), dialog.PttIdEdit());
        QTest::keyClick(&dialog, Qt::Key_L, Qt::AltModifier);
        EXPECT_EQ(dialog.focusWidget(), dialog.LabelEdit());
        EXPECT_THAT(TabOrder(dialog.LabelEdit(), 2),
                    ElementsAre("&Label", "&DTMF unit", "&PTT ID"));

        // Letters are upper-cased as they are typed; the length is capped.
        QTest::keyClicks(dialog.PttIdEdit(), "12ab*#cdef");
        EXPECT_EQ(dialog.PttIdEdit()->text(), "12AB*#CD");
        dialog.reject();
    });
    list->Add();
    EXPECT_TRUE(QFile::exists(":/help/109.html"));
}

TEST_F(AliasListTest, RefusalsComeInPlainBoxesAndFocusTheField) {
    Define(0, "Base", "1234", 0);
    AliasListFV* list = Open();
    InDialog([](EditAliasFV& dialog) {
        Enter(dialog, "New", "12G4");
        EXPECT_EQ(dialog.focusWidget(), dialog.PttIdEdit());
        EXPECT_EQ(dialog.PttIdEdit()->selectedText(), "12G4");
        Enter(dialog, "Base", "5678");
        EXPECT_EQ(dialog.focusWidget(), dialog.LabelEdit());
        EXPECT_EQ(dialog.LabelEdit()->selectedText(), "Base");
        EXPECT_TRUE(Alias(1).IsFree() && dialog.isVisible());  // nothing written yet
        Enter(dialog, "New", "12*#", Dtmf);
    });
    list->Add();
    EXPECT_THAT(m_prompt->texts,
                ElementsAre(FromLatin1(kMdcPttIdMessage), FromLatin1(kDuplicateLabelMessage)));
    EXPECT_THAT(m_prompt->icons, Each(PromptIcon::None));
    EXPECT_THAT(Column(list, 0), ElementsAre("Base", "New"));
    EXPECT_EQ(Alias(1).Protocol(), layout::alias::kProtocolDtmf);
}

// A table from a file or a deskset need not keep the editors' rules: the list
// shows it as it is, and Edit and Delete act on the very record of the row.
TEST_F(AliasListTest, TablesThatBreakTheRulesStayWorkable) {
    Define(0, "dup", "1", 2);
    Define(1, "dup", "2", 7);
    Define(3, "a", "3", 0);  // after a free record, and out of order
    AliasListFV* list = Open();
    EXPECT_THAT(Column(list, 1), ElementsAre("1", "2", "3"));

    // The second "dup" is edited, not the first; it must take a label of its own.
    list->SelectRow(1);
    InDialog([](EditAliasFV& dialog) {
        EXPECT_TRUE(dialog.ProtocolButton(Dtmf)->isChecked());
        Enter(dialog, "dup", "2", Dtmf);
        Enter(dialog, "b", "2", Dtmf);
    });
    list->Edit();
    EXPECT_THAT(m_prompt->texts, ElementsAre(FromLatin1(kDuplicateLabelMessage)));
    EXPECT_THAT(Column(list, 0), ElementsAre("b", "dup", "a"));
    EXPECT_EQ(Alias(0).Protocol(), layout::alias::kProtocolDtmf);
    EXPECT_EQ(Alias(1).Protocol(), 2);  // untouched until edited

    // Deleting the alias beyond the gap frees it and moves nothing else.
    ConfigImage expected = TheImage();
    expected.SetU8(Alias(3).Start(), 0);
    list->SelectRow(2);
    m_prompt->answers = {PromptAnswer::Yes};
    list->Delete();
    EXPECT_EQ(TheImage(), expected);
}
