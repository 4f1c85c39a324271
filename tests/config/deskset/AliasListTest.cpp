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

#include "app/CTorvoDoc.h"
#include "app/Commands.h"
#include "app/GuiTestSupport.h"
#include "app/PttIdAlias.h"
#include "config/RegisterEditors.h"
#include "config/common/qt/Latin1.h"
#include "config/deskset/AliasListFV.h"
#include "config/deskset/EditAliasFV.h"

using ::testing::Each;
using ::testing::ElementsAre;

namespace {

class AliasListTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        RegisterEditors();
        m_frame->ExecuteCommand(cmd::NewDatabase);
    }
    void TearDown() override {
        ProcessEvents();
        GuiTest::TearDown();
    }
    AliasListFV* Open() {
        EXPECT_TRUE(m_frame->Editors().OpenEditor(EditorKind::AliasList));
        return dynamic_cast<AliasListFV*>(m_frame->Editors().ActiveView());
    }
    // What the user does in the editor once it has opened; it must end the dialog.
    static void InDialog(std::function<void(EditAliasFV&)> action) {
        QTimer::singleShot(0, [action] {
            auto* dialog = dynamic_cast<EditAliasFV*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            action(*dialog);
        });
    }
    static void Type(EditAliasFV& dialog, const QString& label, const QString& id,
                     AliasProtocol protocol = AliasProtocol::Mdc1200) {
        dialog.LabelEdit()->setText(label);
        dialog.ProtocolButton(protocol)->setChecked(true);
        dialog.PttIdEdit()->setText(id);
    }
    static void AddAlias(AliasListFV* list, const QString& label, const QString& id) {
        InDialog([=](EditAliasFV& dialog) {
            Type(dialog, label, id);
            dialog.OkButton()->click();
        });
        list->AddButton()->click();
    }
    static QStringList Column(AliasListFV* list, int column) {
        QStringList texts;
        for (int row = 0; row < list->List()->topLevelItemCount(); ++row) {
            texts << list->List()->topLevelItem(row)->text(column);
        }
        return texts;
    }
    static PttIdAlias Alias(std::size_t record) { return PttIdAlias(TheImage(), record); }
    static void Define(std::size_t record, const std::string& label, const std::string& id,
                       std::uint8_t protocol) {
        PttIdAlias alias = Alias(record);
        alias.SetLabel(label);
        alias.SetPttId(id);
        alias.SetProtocol(protocol);
    }
};

}  // namespace

TEST_F(AliasListTest, AddEditAndDeleteKeepTheTableSortedAndCompact) {
    AliasListFV* list = Open();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Frame()->windowTitle(), "PTT ID Aliases");
    EXPECT_EQ(list->HelpTopic(), 108);
    EXPECT_THAT(Column(list, 0), ElementsAre("<No paging format defined>"));
    EXPECT_FALSE(list->EditButton()->isEnabled());

    AddAlias(list, "zeta", "1001");
    AddAlias(list, "Alpha", "1002");
    AddAlias(list, "beta", "1003");
    EXPECT_THAT(Column(list, 0), ElementsAre("Alpha", "beta", "zeta"));
    EXPECT_THAT(Column(list, 1), ElementsAre("1002", "1003", "1001"));
    EXPECT_EQ(list->SelectedRow(), 1);

    // A rename moves the alias; its row stays selected where it went.
    list->SelectRow(0);
    InDialog([](EditAliasFV& dialog) {
        EXPECT_EQ(dialog.LabelEdit()->text(), "Alpha");
        EXPECT_EQ(dialog.PttIdEdit()->text(), "1002");
        EXPECT_TRUE(dialog.ProtocolButton(AliasProtocol::Mdc1200)->isChecked());
        dialog.LabelEdit()->setText("zz");
        dialog.OkButton()->click();
    });
    list->EditButton()->click();
    EXPECT_THAT(Column(list, 0), ElementsAre("beta", "zeta", "zz"));
    EXPECT_EQ(list->SelectedRow(), 2);
    EXPECT_EQ(Alias(2).PttId(), "1002");

    // Deleting the first alias moves the others up and frees the last record.
    m_app->Document()->SetModified(false);
    list->SelectRow(0);
    m_prompt->answers = {PromptAnswer::Yes};
    list->DeleteButton()->click();
    EXPECT_THAT(Column(list, 0), ElementsAre("zeta", "zz"));
    EXPECT_EQ(Alias(0).PttId(), "1001");
    EXPECT_EQ(Alias(1).Label(), "zz");
    EXPECT_TRUE(Alias(2).IsFree());
    EXPECT_TRUE(m_app->Document()->IsModified());
    EXPECT_THAT(m_prompt->texts, ElementsAre(ListWindow::kDeleteQuestion));
}

TEST_F(AliasListTest, EditorControlsTheirNamesAndKeys) {
    AliasListFV* list = Open();
    InDialog([](EditAliasFV& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit PTT ID Aliases");
        EXPECT_EQ(dialog.HelpTopic(), 109);
        EXPECT_TRUE(dialog.ProtocolButton(AliasProtocol::Mdc1200)->isChecked());
        EXPECT_EQ(dialog.ProtocolButton(AliasProtocol::Dtmf)->text(), "&DTMF unit");
        EXPECT_EQ(dialog.focusWidget(), dialog.LabelEdit());
        dialog.activateWindow();
        QCoreApplication::processEvents();
        EXPECT_THAT(TabOrder(dialog.LabelEdit(), 4),
                    ElementsAre("&Label", "&MDC1200 unit", "&PTT ID", "OK", "Cancel"));

        // The mnemonics reach every control; Tab enters the group at its choice.
        QTest::keyClick(&dialog, Qt::Key_D, Qt::AltModifier);
        EXPECT_EQ(dialog.focusWidget(), dialog.ProtocolButton(AliasProtocol::Dtmf));
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Space);
        EXPECT_TRUE(dialog.ProtocolButton(AliasProtocol::Dtmf)->isChecked());
        QTest::keyClick(&dialog, Qt::Key_P, Qt::AltModifier);
        EXPECT_EQ(dialog.focusWidget(), dialog.PttIdEdit());
        QTest::keyClick(&dialog, Qt::Key_L, Qt::AltModifier);
        EXPECT_EQ(dialog.focusWidget(), dialog.LabelEdit());
        EXPECT_THAT(TabOrder(dialog.LabelEdit(), 2),
                    ElementsAre("&Label", "&DTMF unit", "&PTT ID"));

        // Letters are upper-cased as they are typed; the length is capped.
        QTest::keyClicks(dialog.PttIdEdit(), "12ab*#cdef");
        EXPECT_EQ(dialog.PttIdEdit()->text(), "12AB*#CD");
        QTest::keyClicks(dialog.LabelEdit(), "a label of 14");
        EXPECT_EQ(dialog.LabelEdit()->text(), "a label of 1");
        dialog.reject();
    });
    list->Add();
    EXPECT_TRUE(m_prompt->texts.isEmpty());
    EXPECT_TRUE(QFile::exists(":/help/108.html"));
    EXPECT_TRUE(QFile::exists(":/help/109.html"));
}

TEST_F(AliasListTest, RefusalsComeInPlainBoxesAndFocusTheField) {
    Define(0, "Base", "1234", layout::alias::kProtocolMdc1200);
    AliasListFV* list = Open();
    const ConfigImage before = TheImage();
    const auto pressOk = [](EditAliasFV& dialog, QLineEdit* refused) {
        dialog.OkButton()->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.focusWidget(), refused);
        EXPECT_EQ(refused->selectedText(), refused->text());
    };
    InDialog([&](EditAliasFV& dialog) {
        Type(dialog, "New", "");
        pressOk(dialog, dialog.PttIdEdit());
        Type(dialog, "New", "12G4");
        pressOk(dialog, dialog.PttIdEdit());
        Type(dialog, "New", "12E", AliasProtocol::Dtmf);
        pressOk(dialog, dialog.PttIdEdit());
        Type(dialog, "New", "1234", AliasProtocol::Dtmf);
        pressOk(dialog, dialog.PttIdEdit());
        Type(dialog, "Base", "5678");
        pressOk(dialog, dialog.LabelEdit());
        EXPECT_EQ(TheImage(), before);
        Type(dialog, "New", "12*#", AliasProtocol::Dtmf);
        dialog.OkButton()->click();
        EXPECT_FALSE(dialog.isVisible());
    });
    list->Add();
    EXPECT_THAT(m_prompt->texts,
                ElementsAre(FromLatin1(kAliasEmptyFieldMessage), FromLatin1(kMdcPttIdMessage),
                            FromLatin1(kDtmfPttIdMessage), FromLatin1(kDuplicatePttIdMessage),
                            FromLatin1(kDuplicateAliasLabelMessage)));
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
    EXPECT_THAT(Column(list, 0), ElementsAre("dup", "dup", "a"));
    EXPECT_THAT(Column(list, 1), ElementsAre("1", "2", "3"));

    // The second "dup" is edited, not the first; it must take a label of its own.
    list->SelectRow(1);
    InDialog([](EditAliasFV& dialog) {
        EXPECT_EQ(dialog.PttIdEdit()->text(), "2");
        EXPECT_TRUE(dialog.ProtocolButton(AliasProtocol::Dtmf)->isChecked());
        dialog.OkButton()->click();
        QCoreApplication::processEvents();
        dialog.LabelEdit()->setText("b");
        dialog.OkButton()->click();
    });
    list->Edit();
    EXPECT_THAT(m_prompt->texts, ElementsAre(FromLatin1(kDuplicateAliasLabelMessage)));
    EXPECT_THAT(Column(list, 0), ElementsAre("b", "dup", "a"));
    EXPECT_EQ(Alias(0).Protocol(), layout::alias::kProtocolDtmf);
    EXPECT_EQ(Alias(1).Protocol(), 2);  // untouched until edited
    EXPECT_EQ(list->SelectedRow(), 0);

    // Deleting the alias beyond the gap frees it and moves nothing else.
    const ConfigImage before = TheImage();
    list->SelectRow(2);
    m_prompt->answers = {PromptAnswer::Yes};
    list->Delete();
    EXPECT_THAT(Column(list, 0), ElementsAre("b", "dup"));
    EXPECT_TRUE(Alias(3).IsFree());
    ConfigImage expected = before;
    expected.SetU8(Alias(3).Start(), 0);
    EXPECT_EQ(TheImage(), expected);
}
