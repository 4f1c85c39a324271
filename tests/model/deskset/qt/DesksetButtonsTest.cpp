// SPDX-License-Identifier: GPL-3.0-or-later
// The Buttons Configuration window and a key's dialog, driven as a user
// drives them.

#include <gmock/gmock.h>

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyleOptionComboBox>
#include <QTest>

#include "app/CConfigTree.h"
#include "app/Commands.h"
#include "app/ConfigAreas.h"
#include "app/EditorWindows.h"
#include "app/GuiTestSupport.h"
#include "model/ButtonTable.h"
#include "model/ManualPage.h"
#include "model/deskset/qt/ButtonConfigDlg.h"
#include "model/deskset/qt/DesksetButtonsCfgFV.h"
#include "model/deskset/qt/DesksetCfgFV.h"
#include "model/deskset/qt/DesksetPicture.h"
#include "model/editing/qt/Latin1.h"

using ::testing::ElementsAre;

namespace {

// The entry shown fits the list's field, nothing cut off.
bool ShowsInFull(const QComboBox* list) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    option.currentText = list->currentText();
    const QRect field = list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                      QStyle::SC_ComboBoxEditField, list);
    return list->fontMetrics().horizontalAdvance(list->currentText()) <= field.width();
}

class DesksetButtonsTest : public GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        RegisterEditors();
    }
    DesksetButtonsCfgFV* Open() {
        EXPECT_TRUE(m_frame->Editors().OpenEditor(EditorKind::DesksetButtonsCfg));
        return qobject_cast<DesksetButtonsCfgFV*>(m_frame->Editors().ActiveView());
    }
    static QStringList Labels(DesksetButtonsCfgFV* view) {
        QStringList labels;
        for (std::size_t key = 0; key < ButtonTable::kCount; ++key) {
            labels << view->Picture()->ShortLabel(key);
        }
        return labels;
    }
};

}  // namespace

TEST_F(DesksetButtonsTest, KeysAreNamedReachedByTabAndPressedWithSpace) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    ManualPage(TheImage(), 0).SetLabel("FIRE");
    m_frame->Tree().RefreshItemStates();
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    DesksetButtonsCfgFV* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Frame()->windowTitle(), "Buttons Configuration");
    EXPECT_EQ(view->HelpTopic(), 45);
    EXPECT_EQ(Labels(view), QStringList(18, "ND"));
    EXPECT_FALSE(view->Picture()->FourChannel());
    EXPECT_EQ(m_frame->Tree().ItemState("Speed Paging"), CConfigTree::kUnavailable);

    QStringList order = TabOrder(view->Picture()->Key(0), 21);
    EXPECT_EQ(order.front(), "Key 1");
    EXPECT_EQ(order[17], "Key 18");
    EXPECT_EQ(order.mid(18), (QStringList{"OK", "&Clear All", "&Undo Last Change", "Cancel"}));

    InNextDialog<ButtonConfigDlg>([](ButtonConfigDlg& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Button Configuration");
        EXPECT_EQ(dialog.KindList()->currentText(), "Not Defined");
        EXPECT_FALSE(dialog.ValueList()->isVisibleTo(&dialog));
        EXPECT_THAT(TabOrder(dialog.KindList(), 2), ElementsAre("Button &type :", "OK", "Cancel"));
        dialog.KindList()->setCurrentText("Manual Page");
        EXPECT_TRUE(dialog.ValueList()->isVisibleTo(&dialog));
        EXPECT_EQ(dialog.ValueList()->currentText(), "FIRE");
        dialog.OkButton()->click();
    });
    view->Picture()->Key(4)->setFocus();
    QTest::keyClick(view->Picture()->Key(4), Qt::Key_Space);
    EXPECT_EQ(view->Picture()->ShortLabel(4), "MPg");
    EXPECT_EQ(view->Picture()->Key(4)->toolTip(), "Manual Page: FIRE");

    // Nothing reaches the image before OK; OK writes and closes.
    EXPECT_EQ(ButtonTable(TheImage()).KindCode(4), 0);
    view->Ok();
    ProcessEvents();
    EXPECT_EQ(ButtonTable(TheImage()).KindCode(4), 4);
    EXPECT_EQ(ButtonTable(TheImage()).Value(4), 1);
    EXPECT_TRUE(m_app->Document()->IsModified());
    EXPECT_FALSE(m_frame->Editors().IsEditorOpen(EditorKind::DesksetButtonsCfg));
    EXPECT_EQ(m_frame->Tree().ItemState("Speed Paging"), CConfigTree::kClosed);
}

TEST_F(DesksetButtonsTest, OpensOnKey1AndEnterPressesTheKeyWithTheFocus) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    DesksetButtonsCfgFV* view = Open();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(QApplication::focusWidget(), view->Picture()->Key(0));

    const struct {
        std::size_t key;
        Qt::Key enter;
        Qt::KeyboardModifiers modifiers;
        const char* kind;
        const char* shortLabel;
    } presses[] = {{3, Qt::Key_Return, Qt::NoModifier, "Clear", "Clr"},
                   {5, Qt::Key_Enter, Qt::KeypadModifier, "Repeat", "Rep"}};
    for (const auto& press : presses) {
        InNextDialog<ButtonConfigDlg>([&press](ButtonConfigDlg& dialog) {
            dialog.KindList()->setCurrentText(press.kind);
            dialog.OkButton()->click();
        });
        QPushButton* key = view->Picture()->Key(press.key);
        key->setFocus();
        QTest::keyClick(key, press.enter, press.modifiers);
        EXPECT_EQ(view->Picture()->ShortLabel(press.key), press.shortLabel);
    }
}

TEST_F(DesksetButtonsTest, NoFreeValueIsRefusedAndClearAllUndoes) {
    ASSERT_TRUE(m_app->OpenDatabaseFile(WriteDatabase("four.ddb", 4)));
    ButtonTable keys(TheImage());
    for (std::uint8_t channel = 1; channel <= 4; ++channel) {
        keys.Set(channel, ButtonKind::Mute, channel);
    }
    DesksetButtonsCfgFV* view = Open();
    EXPECT_TRUE(view->Picture()->FourChannel());

    InNextDialog<ButtonConfigDlg>([](ButtonConfigDlg& dialog) {
        dialog.KindList()->setCurrentText("Mute");
        EXPECT_EQ(dialog.ValueList()->currentText(), "No function label available.");
        dialog.OkButton()->click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.reject();
    });
    view->EditKey(0);
    EXPECT_THAT(m_prompt->texts, ElementsAre(FromLatin1(kNoFunctionLabel)));

    // From a kind with short values, the line is shown in full all the same.
    InNextDialog<ButtonConfigDlg>([](ButtonConfigDlg& dialog) {
        EXPECT_EQ(dialog.KindList()->currentText(), "Mute");
        dialog.KindList()->setCurrentText("Manual Page");
        QCoreApplication::processEvents();
        EXPECT_EQ(dialog.ValueList()->currentText(), "No function label available.");
        EXPECT_TRUE(ShowsInFull(dialog.ValueList()));
        dialog.reject();
    });
    view->EditKey(1);
    EXPECT_EQ(m_prompt->icons.back(), PromptIcon::Exclamation);

    m_prompt->answers = {PromptAnswer::Yes};
    view->ClearAllButton()->click();
    EXPECT_EQ(view->Picture()->ShortLabel(1), "ND");
    view->UndoButton()->click();
    EXPECT_EQ(view->Picture()->ShortLabel(1), "Mute");
    EXPECT_EQ(view->Picture()->Key(4)->toolTip(), "Mute: 4");

    // Cancel leaves the image as it was.
    const ConfigImage before = TheImage();
    m_prompt->answers = {PromptAnswer::Yes};
    view->ClearAll();
    view->Cancel();
    ProcessEvents();
    EXPECT_EQ(TheImage(), before);
}

TEST_F(DesksetButtonsTest, DesksetTypeChangeReopensOnTheOtherPicture) {
    ASSERT_TRUE(m_app->OpenDatabaseFile(WriteDatabase("four.ddb", 4)));
    ASSERT_TRUE(Open()->Picture()->FourChannel());
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::DesksetCfg));
    auto* settings = qobject_cast<DesksetCfgFV*>(m_frame->Editors().ActiveView());
    settings->DesksetType()->setCurrentIndex(0);
    m_prompt->answers = {PromptAnswer::Yes};
    settings->Ok();
    ProcessEvents();
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::DesksetButtonsCfg));
    auto* view = qobject_cast<DesksetButtonsCfgFV*>(m_frame->Editors().ActiveView());
    EXPECT_FALSE(view->Picture()->FourChannel());
    EXPECT_TRUE(QFile::exists(QString(":/help/%1.html").arg(ButtonConfigDlg::kHelpTopic)));
    EXPECT_TRUE(QFile::exists(":/help/45.html"));
}
