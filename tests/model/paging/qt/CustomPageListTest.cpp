// SPDX-License-Identifier: GPL-3.0-or-later
// The custom paging tones window and its editor, driven as a user drives them.

#include <gmock/gmock.h>

#include <QApplication>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "app/CTorvoDoc.h"
#include "app/Commands.h"
#include "app/EditorWindows.h"
#include "model/CustomPagingTone.h"
#include "model/editing/qt/Latin1.h"
#include "model/editing/qt/ListWindowFixture.h"
#include "model/paging/CustomToneForm.h"
#include "model/paging/DurationText.h"
#include "model/paging/qt/CustomPageListFV.h"
#include "model/paging/qt/EditCustomPageFV.h"

using ::testing::ElementsAre;

namespace {

using F = CustomToneField;

class CustomPageListTest : public ListWindowFixture<CustomPageListFV, EditorKind::CustomPageList> {
protected:
    static void InDialog(std::function<void(EditCustomPageFV&)> action) {
        InNextDialog<EditCustomPageFV>(std::move(action));
    }
    static void Type(EditCustomPageFV& dialog, F field, const QString& text) {
        QLineEdit* edit = dialog.Edit(field);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QCoreApplication::processEvents();
    }
    static void Define(std::size_t record, const std::string& text) {
        CustomPagingTone tone(TheImage(), record);
        tone.SetNumberText(text);
        tone.SetFirstTone(15000);
        tone.SetSecondTone(20000);
    }
    static QStringList Rows(const CustomPageListFV* list) { return Column(list, 0); }
    QStringList Messages() const { return m_prompt->texts; }
};

}  // namespace

TEST_F(CustomPageListTest, NewDatabaseShowsThePlaceholderThenAddsToneZero) {
    CustomPageListFV* list = Open();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Frame()->windowTitle(), "Custom Paging Tones");
    EXPECT_EQ(list->HelpTopic(), 76);
    EXPECT_TRUE(list->List()->isHeaderHidden());
    EXPECT_THAT(Rows(list), ElementsAre("<No custom pages defined>"));
    // Shown in full, not elided: the column is no narrower than its contents ask.
    QTreeWidget* rows = list->List();
    const int shown = rows->columnWidth(0);
    EXPECT_LE(shown, rows->viewport()->width());
    rows->resizeColumnToContents(0);
    EXPECT_LE(rows->columnWidth(0), shown);
    rows->setColumnWidth(0, shown);
    EXPECT_FALSE(list->EditButton()->isEnabled());
    EXPECT_FALSE(list->DeleteButton()->isEnabled());

    InDialog([](EditCustomPageFV& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit Custom Page");
        EXPECT_EQ(dialog.HelpTopic(), 105);
        EXPECT_TRUE(QFile::exists(":/help/105.html"));
        EXPECT_THAT(dialog.Read().texts,
                    ElementsAre("0", "3000", "200.0", "1000", "0", "200.0", "3000"));
        EXPECT_THAT(TabOrder(dialog.Edit(F::Number), 8),
                    ElementsAre("&Custom paging tone", "&Inhibit delay (ms)", "Fi&rst tone (Hz)",
                                "First &tone duration (ms)", "Intertone &delay (ms)",
                                "&Second tone (Hz)", "S&econd tone duration (ms)", "OK", "Cancel"));
        QTest::keyClick(&dialog, Qt::Key_R, Qt::AltModifier);
        EXPECT_EQ(dialog.focusWidget(), dialog.Edit(F::FirstTone));
        dialog.OkButton()->click();
    });
    list->AddButton()->click();
    EXPECT_THAT(Rows(list), ElementsAre("0"));
    EXPECT_EQ(list->SelectedRecord(), 0u);
    EXPECT_TRUE(Messages().isEmpty());
    const CustomPagingTone tone(TheImage(), 0);
    EXPECT_EQ(tone.NumberText(), "0");
    EXPECT_EQ(tone.FirstTone(), 2000);
    EXPECT_EQ(tone.InhibitDelay(), 3000);
    EXPECT_TRUE(m_app->Document()->IsModified());
}

TEST_F(CustomPageListTest, ToneTypingAndRefusalsOnOk) {
    CustomPageListFV* list = Open();
    InDialog([this](EditCustomPageFV& dialog) {
        // The range message comes at the fourth digit and leaves 3400.0.
        Type(dialog, F::FirstTone, "3500");
        EXPECT_THAT(Messages(), ElementsAre(FromLatin1(kToneRangeMessage)));
        EXPECT_EQ(dialog.Edit(F::FirstTone)->text(), "3400.0");
        EXPECT_EQ(dialog.Edit(F::FirstTone)->selectedText(), "3400.0");

        Type(dialog, F::SecondTone, "199.97");
        EXPECT_EQ(dialog.Edit(F::SecondTone)->text(), "199.9");
        dialog.OkButton()->click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.Edit(F::SecondTone)->text(), "200.0");
        EXPECT_EQ(dialog.focusWidget(), dialog.Edit(F::SecondTone));

        // Leaving an emptied inhibit delay for another field checks it; Cancel does not.
        dialog.Edit(F::InhibitDelay)->setFocus();
        dialog.Edit(F::InhibitDelay)->clear();
        QTest::keyClick(dialog.Edit(F::InhibitDelay), Qt::Key_Tab);
        QCoreApplication::processEvents();  // the check, after the focus change
        QCoreApplication::processEvents();  // the focus back, after its message
        EXPECT_EQ(Messages().back(), FromLatin1(kNotANumberMessage));
        EXPECT_EQ(dialog.focusWidget(), dialog.Edit(F::InhibitDelay));
        const qsizetype shown = Messages().size();
        QTest::mousePress(dialog.CancelButton(), Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_EQ(Messages().size(), shown);
        QTest::mouseRelease(dialog.CancelButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    });
    list->Add();
    EXPECT_THAT(Messages(),
                ElementsAre(FromLatin1(kToneRangeMessage), FromLatin1(kToneRangeMessage),
                            FromLatin1(kNotANumberMessage)));
    EXPECT_TRUE(CustomPagingTone(TheImage(), 0).IsFree());
}

TEST_F(CustomPageListTest, EditRenumbersAndDeleteFreesTheRow) {
    Define(3, "3");
    Define(5, "5");
    Define(8, "8");
    CustomPageListFV* list = Open();
    EXPECT_THAT(Rows(list), ElementsAre("3", "5", "8"));
    list->SelectRow(1);
    InDialog([](EditCustomPageFV& dialog) {
        EXPECT_EQ(dialog.Edit(F::FirstTone)->text(), "1500.0");
        dialog.Edit(F::Number)->setText("8");
        dialog.OkButton()->click();
        EXPECT_EQ(dialog.Edit(F::Number)->text(), "5");
        dialog.Edit(F::Number)->setText("9");
        dialog.OkButton()->click();
    });
    list->Edit();
    EXPECT_THAT(Messages(), ElementsAre(FromLatin1(kToneNumberTakenMessage)));
    EXPECT_THAT(Rows(list), ElementsAre("3", "8", "9"));
    EXPECT_EQ(list->SelectedRow(), 2);
    EXPECT_TRUE(CustomPagingTone(TheImage(), 5).IsFree());
    EXPECT_EQ(CustomPagingTone(TheImage(), 9).FirstTone(), 15000);

    list->SelectRow(0);
    m_prompt->answers = {PromptAnswer::Yes};
    list->Delete();
    EXPECT_THAT(Rows(list), ElementsAre("8", "9"));
    EXPECT_EQ(list->SelectedRow(), 0);
    EXPECT_TRUE(CustomPagingTone(TheImage(), 3).IsFree());
    EXPECT_EQ(CustomPagingTone(TheImage(), 3).FirstTone(), 15000) << "only the first byte goes";
}

TEST_F(CustomPageListTest, RowsWhoseTextIsNotTheirNumberActOnTheirRecord) {
    Define(5, "7");
    Define(6, "ab");
    CustomPageListFV* list = Open();
    EXPECT_THAT(Rows(list), ElementsAre("7", "ab"));
    InDialog([](EditCustomPageFV& dialog) {
        EXPECT_EQ(dialog.Edit(F::Number)->text(), "5");
        dialog.OkButton()->click();
    });
    list->Edit();
    EXPECT_EQ(CustomPagingTone(TheImage(), 5).NumberText(), "5");
    EXPECT_TRUE(CustomPagingTone(TheImage(), 7).IsFree());

    list->SelectRow(1);
    m_prompt->answers = {PromptAnswer::Yes};
    list->Delete();
    EXPECT_THAT(Rows(list), ElementsAre("5"));
    EXPECT_TRUE(CustomPagingTone(TheImage(), 6).IsFree());
}
