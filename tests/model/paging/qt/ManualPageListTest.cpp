// SPDX-License-Identifier: GPL-3.0-or-later
// The paging formats window, its chooser and the format editor, driven as a
// user drives them.

#include <gmock/gmock.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStyleOptionFrame>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "app/CConfigTree.h"
#include "app/CTorvoDoc.h"
#include "app/Commands.h"
#include "app/ConfigAreas.h"
#include "app/EditorWindows.h"
#include "model/ButtonTable.h"
#include "model/ManualPage.h"
#include "model/editing/ListTables.h"
#include "model/editing/RecordTable.h"
#include "model/editing/qt/Latin1.h"
#include "model/editing/qt/ListWindowFixture.h"
#include "model/paging/ManualPageForm.h"
#include "model/paging/PagingFormats.h"
#include "model/paging/qt/ManualPageListFV.h"
#include "model/paging/qt/MpageRequestProtDlg.h"
#include "model/paging/qt/PagingFormatDlg.h"

using ::testing::ElementsAre;

namespace {

namespace mp = layout::manual_page;

class ManualPageListTest : public ListWindowFixture<ManualPageListFV, EditorKind::ManualPageList> {
protected:
    void TearDown() override {
        ListWindowFixture::TearDown();
        EditorWindows::UnregisterFactory(EditorKind::SpeedPageList);
    }
    // Chooses entry text, then gives the format a label and presses OK.
    static void AddFormat(ManualPageListFV* list, const QString& entry, const QString& label) {
        InNextDialog<MpageRequestProtDlg>([=](MpageRequestProtDlg& chooser) {
            chooser.Formats()->setCurrentText(entry);
            InNextDialog<PagingFormatDlg>([=](PagingFormatDlg& dialog) {
                dialog.LabelEdit()->setText(label);
                dialog.OkButton()->click();
            });
            chooser.accept();
        });
        list->AddButton()->click();
    }
    void Define(std::size_t record, const std::string& label, BaseFormat code) {
        ManualPage page(TheImage(), record);
        page.SetLabel(label);
        page.SetBaseFormat(static_cast<std::uint8_t>(code));
    }
};

}  // namespace

TEST_F(ManualPageListTest, PlaceholderThenAddDisabledAtSixteen) {
    ManualPageListFV* list = Open();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Frame()->windowTitle(), "Paging Formats");
    EXPECT_EQ(list->HelpTopic(), 74);
    EXPECT_THAT(Column(list, 0), ElementsAre("<No paging format defined>"));
    EXPECT_TRUE(list->AddButton()->isEnabled());
    EXPECT_FALSE(list->EditButton()->isEnabled());
    EXPECT_FALSE(list->DeleteButton()->isEnabled());

    for (std::size_t i = 0; i < mp::kCount; ++i) {
        Define(i, "F" + std::to_string(i), BaseFormat::Dtmf);
    }
    Define(15, "PLEC", BaseFormat::PlectronTwoTone);
    m_app->Document()->MarkModified();
    EXPECT_EQ(list->List()->topLevelItemCount(), 16);
    EXPECT_EQ(Column(list, 1).front(), "DTMF Page Format");
    EXPECT_EQ(Column(list, 1).back(), "Plectron Two Tone");
    EXPECT_FALSE(list->AddButton()->isEnabled());

    // Plectron Two Tone has no editor; it is deleted like any other.
    list->SelectRow(15);
    list->Edit();
    ProcessEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    m_prompt->answers = {PromptAnswer::Yes};
    list->Delete();
    EXPECT_TRUE(ManualPage(TheImage(), 15).IsFree());
    EXPECT_TRUE(list->AddButton()->isEnabled());
}

TEST_F(ManualPageListTest, ChooserThenEditorFillTheFreedSlot) {
    for (std::size_t i = 0; i < 6; ++i) {
        Define(i, "F" + std::to_string(i), BaseFormat::VoiceAlert);
    }
    ManualPageListFV* list = Open();
    list->SelectRow(3);
    m_prompt->answers = {PromptAnswer::Yes};
    list->Delete();
    EXPECT_THAT(m_prompt->texts, ElementsAre(ListWindow::kDeleteQuestion));
    EXPECT_TRUE(ManualPage(TheImage(), 3).IsFree());

    InNextDialog<MpageRequestProtDlg>([](MpageRequestProtDlg& chooser) {
        EXPECT_EQ(chooser.windowTitle(), "Paging Format Protocols");
        EXPECT_EQ(chooser.Formats()->count(), 21);
        EXPECT_EQ(chooser.Formats()->currentText(), "Call Alert");
        chooser.Formats()->setCurrentText("Motorola 1 + 1");
        InNextDialog<PagingFormatDlg>([](PagingFormatDlg& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "Motorola 1 + 1 Paging Format");
            EXPECT_EQ(dialog.BaseFormatText()->text(), "Motorola 1+1");
            EXPECT_EQ(dialog.HelpTopic(), 131);
            EXPECT_THAT(
                TabOrder(dialog.LabelEdit(), 8),
                ElementsAre("&Label", "&Code plan", "&Group call delay (ms)", "&Inhibit delay (ms)",
                            "Tone &1 duration (ms)", "Intertone &delay (ms)",
                            "Tone &2 duration (ms)", "OK", "Cancel"));
            dialog.LabelEdit()->setText("NEW");
            dialog.OkButton()->click();
        });
        chooser.accept();
    });
    list->Add();
    EXPECT_THAT(Column(list, 0), ElementsAre("F0", "F1", "F2", "NEW", "F4", "F5"));
    EXPECT_EQ(list->SelectedRow(), 3);
    const ManualPage page(TheImage(), 3);
    EXPECT_EQ(page.BaseFormat(), 10);
    EXPECT_EQ(page.U8(mp::kCodePlan), 0);
    EXPECT_EQ(page.U16(mp::kDurationsAfterByte.At(0)), 1000);
    EXPECT_EQ(page.U16(mp::kDurationsAfterByte.At(4)), 8000);
}

TEST_F(ManualPageListTest, SpeedPageWarningThenButtonWarningThenQuestion) {
    Define(0, "USED", BaseFormat::Dtmf);
    const RecordTable speedPages(TheImage(), list_tables::kSpeedPages);
    const std::size_t speedPage = speedPages.RecordStart(0);
    TheImage().SetText(speedPage, layout::speed_page::kLabel.width, "SP");
    TheImage().SetU8(speedPage + layout::speed_page::kPagingFormat.offset, 0);
    ButtonTable(TheImage()).Set(2, ButtonKind::ManualPage, 1);
    ManualPageListFV* list = Open();

    list->Delete();
    TheImage().SetU8(speedPage, 0);
    list->Delete();
    ButtonTable(TheImage()).Clear(2);
    m_prompt->answers = {PromptAnswer::No};
    list->Delete();
    EXPECT_THAT(m_prompt->texts,
                ElementsAre(FromLatin1(kUsedBySpeedPageMessage), FromLatin1(kUsedByButtonMessage),
                            ListWindow::kDeleteQuestion));
    EXPECT_EQ(m_prompt->icons[0], PromptIcon::Exclamation);
    EXPECT_EQ(m_prompt->icons[1], PromptIcon::Exclamation);
    EXPECT_FALSE(ManualPage(TheImage(), 0).IsFree());
}

TEST_F(ManualPageListTest, LastDeleteClosesSpeedPagingAndGreysItsItem) {
    EditorWindows::RegisterFactory(EditorKind::SpeedPageList,
                                   [](const EditorContext& c) { return new TestView(c); });
    ManualPageListFV* list = Open();
    AddFormat(list, "Voice Alert", "ONE");
    EXPECT_NE(m_frame->Tree().ItemState("Speed Paging"), CConfigTree::kUnavailable);
    AddFormat(list, "Radio Check", "TWO");
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::SpeedPageList));

    m_prompt->answers = {PromptAnswer::Yes};
    list->Delete();
    ProcessEvents();
    EXPECT_TRUE(m_frame->Editors().IsEditorOpen(EditorKind::SpeedPageList));
    m_prompt->answers = {PromptAnswer::Yes};
    list->Delete();
    ProcessEvents();
    EXPECT_FALSE(m_frame->Editors().IsEditorOpen(EditorKind::SpeedPageList));
    EXPECT_EQ(m_frame->Tree().ItemState("Speed Paging"), CConfigTree::kUnavailable);
}

TEST_F(ManualPageListTest, EditorCutsRefusesAndFocusesTheField) {
    Define(0, "TAKEN", BaseFormat::Dtmf);
    ManualPageListFV* list = Open();
    InNextDialog<MpageRequestProtDlg>([](MpageRequestProtDlg& chooser) {
        chooser.Formats()->setCurrentText("DTMF Paging");
        InNextDialog<PagingFormatDlg>([](PagingFormatDlg& dialog) {
            auto* tone = static_cast<QLineEdit*>(dialog.ParameterWidget(0));
            auto* inhibit = static_cast<QLineEdit*>(dialog.ParameterWidget(2));
            EXPECT_EQ(tone->text(), "60");
            EXPECT_EQ(dialog.focusWidget(), dialog.LabelEdit());

            // Above 60000 is cut at once, with the range message.
            inhibit->setText("70000");
            QCoreApplication::processEvents();
            EXPECT_EQ(inhibit->text(), "60000");
            EXPECT_EQ(dialog.focusWidget(), inhibit);
            EXPECT_EQ(inhibit->selectedText(), "60000");

            // OK refuses the first failing field, in order.
            tone->setText("");
            dialog.OkButton()->click();
            QCoreApplication::processEvents();
            EXPECT_EQ(dialog.focusWidget(), tone);
            // A typed point is refused; a pasted fraction is kept and truncated.
            QTest::keyClicks(tone, "1.5");
            EXPECT_EQ(tone->text(), "15");
            tone->setText("12.9");
            dialog.OkButton()->click();
            QCoreApplication::processEvents();
            EXPECT_EQ(dialog.focusWidget(), dialog.LabelEdit());
            dialog.LabelEdit()->setText("TAKEN");
            dialog.OkButton()->click();
            QCoreApplication::processEvents();
            EXPECT_EQ(dialog.focusWidget(), dialog.LabelEdit());
            EXPECT_EQ(dialog.LabelEdit()->selectedText(), "TAKEN");
            EXPECT_TRUE(dialog.isVisible());

            dialog.LabelEdit()->setText("FRESH");
            dialog.OkButton()->click();
            EXPECT_FALSE(dialog.isVisible());
        });
        chooser.accept();
    });
    list->Add();
    EXPECT_THAT(m_prompt->texts,
                ElementsAre(FromLatin1(kDurationRangeMessage), FromLatin1(kNotANumberMessage),
                            FromLatin1(kEmptyLabelMessage), FromLatin1(kDuplicateLabelMessage)));
    const ManualPage page(TheImage(), 1);
    EXPECT_EQ(page.Label(), "FRESH");
    EXPECT_EQ(page.U16(mp::kDurations.At(0)), 12);
    EXPECT_EQ(page.U16(mp::kDurations.At(2)), 60000);
}

TEST_F(ManualPageListTest, EveryPagingTopicHasItsHelpPage) {
    std::vector<int> topics{AreaOf(EditorKind::ManualPageList)->helpTopic,
                            MpageRequestProtDlg::kHelpTopic};
    for (const FormatEditor& editor : FormatEditors()) {
        topics.push_back(editor.helpTopic);
    }
    for (const int topic : topics) {
        EXPECT_TRUE(QFile::exists(QString(":/help/%1.html").arg(topic))) << topic;
    }
}

namespace {

// A label narrower than its text as drawn, whatever the label measured: the
// same text drawn with room to spare has ink beyond the label's width.
bool TextWiderThan(const QLabel* label) {
    QLabel roomy(label->text());
    QWidget buddy;  // its mnemonic drawn as the label draws it
    roomy.setBuddy(&buddy);
    roomy.setFont(label->font());
    roomy.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    roomy.resize(label->width() + 40, label->height());
    const QImage image = roomy.grab().toImage();
    const QRgb background = image.pixel(image.width() - 1, 0);
    for (int x = label->width(); x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            if (image.pixel(x, y) != background) {
                return true;
            }
        }
    }
    return false;
}

// What is cut off in a shown dialog: a label's text, or a text wider than its field.
QStringList CutOff(const QWidget* dialog) {
    QStringList cut;
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->isVisibleTo(dialog) && TextWiderThan(label)) {
            cut << QString("label \"%1\"").arg(label->text());
        }
    }
    for (const QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        const QRect field =
            edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
        const int room = field.width() - 4;  // the edit's own side margins
        const QString shown = edit->text().isEmpty() ? edit->placeholderText() : edit->text();
        if (edit->fontMetrics().horizontalAdvance(shown) > room) {
            cut << QString("text \"%1\" in %2").arg(shown).arg(room);
        }
    }
    return cut;
}

}  // namespace

TEST_F(ManualPageListTest, EveryFormatEditorWrapsItsTabAndShowsItsTextsInFull) {
    for (const FormatEditor& editor : FormatEditors()) {
        SCOPED_TRACE(editor.title);
        PagingFormatDlg dialog(editor, std::nullopt, m_frame.get());
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        // Label, the parameters, OK and Cancel, then the label again.
        const int stops = static_cast<int>(editor.parameters.size()) + 3;
        const QStringList order = TabOrder(dialog.LabelEdit(), stops);
        EXPECT_EQ(order.back(), "&Label") << order.join(", ").toStdString();
        QTest::keyClick(dialog.LabelEdit(), Qt::Key_Backtab);
        EXPECT_EQ(QApplication::focusWidget(), dialog.CancelButton());
        EXPECT_THAT(CutOff(&dialog), ElementsAre()) << CutOff(&dialog).join(", ").toStdString();
        dialog.hide();
    }
}
