// SPDX-License-Identifier: GPL-3.0-or-later
// The channel window and its wizard: opening, page sequences and buttons,
// Finish and Cancel, discarded pages, unusual stored bytes, keys and help.

#include <gmock/gmock.h>

#include <QButtonGroup>
#include <QTest>

#include "app/CConfigTree.h"
#include "app/ConfigAreas.h"
#include "app/HelpWindow.h"
#include "model/deskset/ChannelCodes.h"
#include "model/deskset/qt/ChanConfigPage.h"
#include "model/deskset/qt/ChannelWizardFixture.h"
#include "model/deskset/qt/SignalingPlanT1Page.h"
#include "model/deskset/qt/StatAlertPage.h"

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using enum PageCode;
namespace c = layout::channel;
namespace cc = channel_codes;

TEST_F(ChannelWizardTest, NewDatabaseWalksThroughTheTonePages) {
    m_frame->ExecuteCommand(ViewCommandOf(EditorKind::ChanCfg, 1));
    ProcessEvents();
    ChanCfgFV* view = View(1);
    ASSERT_NE(view, nullptr);
    QMdiSubWindow* frame = view->Frame();
    EXPECT_EQ(frame->windowTitle(), "Channel 1 Configuration");
    EXPECT_EQ(frame->pos(), QPoint(0, 0));
    EXPECT_EQ(m_frame->Tree().ItemState("Channel 1"), CConfigTree::kOpen);
    EXPECT_THAT(Sequence(), ElementsAre(Channel, TonePlan1, TonePlan2, TalkPermitTone));
    EXPECT_EQ(Buttons(), "N");
    EXPECT_FALSE(Button(QWizard::HelpButton)->isVisible());
    EXPECT_TRUE(Button(QWizard::CancelButton)->isVisible());
    EXPECT_EQ(view->HelpTopic(), 126);

    const QSize size = frame->size();
    const std::vector<std::tuple<QString, QString, int>> steps{
        {"Channel 1 Configuration - Tone Signaling Plan (part 1)", "BN", 75},
        {"Channel 1 Configuration - Tone Signaling Plan (part 2)", "BN", 114},
        {"Channel 1 Configuration - Talk Permit Tone Setup", "BF", 102},
    };
    for (const auto& [title, buttons, topic] : steps) {
        Next();
        EXPECT_EQ(frame->windowTitle(), title);
        EXPECT_EQ(Buttons(), buttons) << title.toStdString();
        EXPECT_EQ(view->HelpTopic(), topic);
    }
    EXPECT_EQ(frame->size(), size);  // every page fits the same window
    EXPECT_GE(view->width(), Wizard().sizeHint().width());
    EXPECT_GE(view->height(), Wizard().sizeHint().height());

    // F1 opens the page's help.
    m_frame->Workspace().setActiveSubWindow(frame);
    m_frame->ShowHelpForActiveWindow();
    EXPECT_EQ(m_frame->Help().CurrentPage(), "qrc:/help/102.html");

    Back();
    Back();
    Back();
    EXPECT_EQ(frame->windowTitle(), "Channel 1 Configuration");
    EXPECT_EQ(Buttons(), "N");
}

TEST_F(ChannelWizardTest, SequenceAndButtonsForEveryKeyingAndOption) {
    Open(1);
    auto* channel = Current<ChanConfigPage>();
    const std::vector<std::vector<PageCode>> rows{
        {TonePlan1, TonePlan2, TalkPermitTone},
        {TonePlan1, TonePlan2, TalkPermitTone, StatAlert},
        {TonePlan1, TonePlan2, TalkPermitTone, DtmfDecode},
        {TonePlan1, TonePlan2, TalkPermitTone, DtmfSelectiveCall},
        {DcPlan, TalkPermitTone},
        {DcPlan, TalkPermitTone, StatAlert},
        {DcPlan, TalkPermitTone, DtmfDecode},
        {DcPlan, TalkPermitTone, DtmfSelectiveCall},
        {TalkPermitTone},
        {TalkPermitTone, StatAlert},
        {TalkPermitTone, DtmfDecode},
        {TalkPermitTone, DtmfSelectiveCall},
    };
    for (int keying = 0; keying < cc::kKeyingCount; ++keying) {
        for (int option = 0; option < cc::kOptionCount; ++option) {
            SCOPED_TRACE(testing::Message() << "keying " << keying << " option " << option);
            channel->KeyingGroup()->button(keying)->click();
            channel->OptionGroup()->button(option)->click();
            Type(channel->DesksetIdEdit(), "1");
            Type(channel->LabelEdit(), "L");
            std::vector<PageCode> expected{Channel};
            const auto& row = rows[static_cast<std::size_t>(keying * cc::kOptionCount + option)];
            expected.insert(expected.end(), row.begin(), row.end());
            EXPECT_THAT(Sequence(), ElementsAreArray(expected));

            for (std::size_t k = 1; k < expected.size(); ++k) {
                Next();
                ASSERT_EQ(CurrentCode(), expected[k]);
                const bool last = k + 1 == expected.size();
                EXPECT_EQ(Buttons(), last ? "BF" : "BN");
                const QString suffix = QString::fromLatin1(PageTitleSuffix(expected[k]));
                EXPECT_EQ(View(1)->Frame()->windowTitle(), "Channel 1 Configuration - " + suffix);
            }
            while (CurrentCode() != Channel) {
                Back();
            }
        }
    }
}

TEST_F(ChannelWizardTest, FinishWritesEveryPageAndClosesTheWindow) {
    Open(1);
    auto* channel = Current<ChanConfigPage>();
    channel->OptionGroup()->button(cc::kOptionStatAlert)->click();
    Type(channel->DesksetIdEdit(), "abc");
    Choose(channel->TxLevelList(), "- 5");
    GoTo(TonePlan1);
    Choose(Current<SignalingPlanT1Page>()->ToneList(TonePlan1Tone::Monitor), "None");
    GoTo(StatAlert);
    Type(Current<StatAlertPage>()->DefaultRacEdit(), "ffff");
    m_app->Document()->SetModified(false);
    Finish();

    EXPECT_EQ(View(1), nullptr);
    EXPECT_TRUE(m_app->Document()->IsModified());
    EXPECT_EQ(m_frame->Tree().ItemState("Channel 1"), CConfigTree::kClosed);
    const ChannelRecord record = Record(1);
    EXPECT_EQ(record.U8(c::kSignalingOption), cc::kOptionStatAlert);
    EXPECT_EQ(record.Text(c::kDesksetId), "ABC");
    EXPECT_EQ(record.U8(c::kTxLevel), 0xFB);
    EXPECT_EQ(record.U16(c::kMonitorTone), 0);
    EXPECT_EQ(record.U16(c::stat_alert::kDefaultRac), 0xFFFF);
    EXPECT_EQ(record.U16(c::stat_alert::kLeadingPretime), 200);  // the page's defaults
    EXPECT_EQ(record.U8(c::stat_alert::kEmergencyAcknowledge), 1);
    EXPECT_TRUE(m_prompt->texts.isEmpty());
}

TEST_F(ChannelWizardTest, CancelOnAnyPageLeavesTheRecord) {
    const std::vector<std::uint8_t> before = RecordBytes(1);
    for (PageCode last : {Channel, TonePlan1, TonePlan2, TalkPermitTone}) {
        Open(1);
        Choose(Current<ChanConfigPage>()->RxAgcLevelList(), "11");
        Type(Current<ChanConfigPage>()->HangoverDelayEdit(), "5");
        GoTo(last);
        Cancel();
        EXPECT_EQ(View(1), nullptr);
        EXPECT_EQ(RecordBytes(1), before);
    }
    EXPECT_FALSE(m_app->Document()->IsModified());
}

TEST_F(ChannelWizardTest, ARadioClickDiscardsTheEditsOfTheLaterPages) {
    Open(1);
    GoTo(TonePlan1);
    auto* plan = Current<SignalingPlanT1Page>();
    Type(plan->NumberEdit(TonePlan1Number::HlgtDuration), "999");
    Back();
    // Even the radio button already selected rebuilds the pages.
    Current<ChanConfigPage>()->KeyingGroup()->button(cc::kKeyingTone)->click();
    Next();
    EXPECT_EQ(Current<SignalingPlanT1Page>()->NumberEdit(TonePlan1Number::HlgtDuration)->text(),
              "125");

    // Switching the option away and back gives the option page afresh.
    Back();
    auto* channel = Current<ChanConfigPage>();
    channel->OptionGroup()->button(cc::kOptionStatAlert)->click();
    Type(channel->DesksetIdEdit(), "1");
    GoTo(StatAlert);
    Type(Current<StatAlertPage>()->NumberEdit(StatAlertNumber::DosCoast), "77");
    while (CurrentCode() != Channel) {
        Back();
    }
    channel->OptionGroup()->button(cc::kOptionDtmfDecode)->click();
    channel->OptionGroup()->button(cc::kOptionStatAlert)->click();
    Type(channel->DesksetIdEdit(), "1");
    GoTo(StatAlert);
    EXPECT_EQ(Current<StatAlertPage>()->NumberEdit(StatAlertNumber::DosCoast)->text(), "0");
}

TEST_F(ChannelWizardTest, UnusualStoredBytesOpenWithoutSelection) {
    ChannelRecord record = Record(1);
    record.SetU8(c::kKeying, 7);
    record.SetU8(c::kSignalingOption, 9);
    record.SetU8(c::kInterface, 200);
    record.SetU8(c::kPttRelay, 5);
    record.SetS8(c::kRxAgcLevel, 100);
    record.SetText(c::kLabels.offset, 24, "NoTerminator+Next");  // label 1 runs into label 2
    const std::vector<std::uint8_t> before = RecordBytes(1);

    Open(1);
    auto* channel = Current<ChanConfigPage>();
    EXPECT_EQ(channel->KeyingGroup()->checkedId(), -1);
    EXPECT_EQ(channel->OptionGroup()->checkedId(), -1);
    EXPECT_EQ(channel->List(ChannelList::Interface)->currentIndex(), -1);
    EXPECT_EQ(channel->List(ChannelList::PttRelay)->currentIndex(), -1);
    EXPECT_EQ(channel->RxAgcLevelList()->currentIndex(), -1);
    EXPECT_FALSE(channel->LabelEdit()->isVisible());
    EXPECT_FALSE(channel->DesksetIdEdit()->isEnabled());
    EXPECT_THAT(Sequence(), ElementsAre(Channel, TalkPermitTone));
    Next();
    EXPECT_EQ(Buttons(), "BF");
    Finish();
    // Nothing selected writes nothing over the stored bytes.
    EXPECT_EQ(RecordBytes(1), before);
    EXPECT_EQ(Record(1).Label(0), "NoTerminator");
}

TEST_F(ChannelWizardTest, DcKeyingOnChannel1Only) {
    TheImage().SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType),
                     layout::deskset::kTypeFourChannel);
    Record(2).SetU8(c::kKeying, cc::kKeyingDc);
    Open(1);
    Open(2);
    Open(3);
    EXPECT_TRUE(Current<ChanConfigPage>(1)->KeyingGroup()->button(cc::kKeyingDc)->isEnabled());
    auto* second = Current<ChanConfigPage>(2);
    EXPECT_FALSE(second->KeyingGroup()->button(cc::kKeyingDc)->isEnabled());
    EXPECT_EQ(second->KeyingGroup()->checkedId(), cc::kKeyingDc);  // still shown
    EXPECT_THAT(Sequence(2), ElementsAre(Channel, DcPlan, TalkPermitTone));
    EXPECT_FALSE(Current<ChanConfigPage>(3)->KeyingGroup()->button(cc::kKeyingDc)->isEnabled());
    EXPECT_EQ(View(3)->Frame()->windowTitle(), "Channel 3 Configuration");

    // Opening channel 1 again brings the same window to the front.
    ChanCfgFV* first = View(1);
    EXPECT_EQ(Open(1), first);
    EXPECT_EQ(m_frame->Workspace().subWindowList().size(), 3);
}

TEST_F(ChannelWizardTest, CtrlTabActivatesTheNextEditorWindow) {
    Open(1);
    Open(2);
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    QMdiArea& workspace = m_frame->Workspace();
    workspace.setActiveSubWindow(View(1)->Frame());
    QLineEdit* hangover = Current<ChanConfigPage>(1)->HangoverDelayEdit();
    hangover->setFocus();
    ProcessEvents();
    QTest::keyClick(hangover, Qt::Key_Tab, Qt::ControlModifier);
    ProcessEvents();
    EXPECT_EQ(workspace.activeSubWindow(), View(2)->Frame());
    QLineEdit* second = Current<ChanConfigPage>(2)->HangoverDelayEdit();
    second->setFocus();
    ProcessEvents();
    // With Shift as well: still the next window, here the first again.
    QTest::keyClick(second, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    ProcessEvents();
    EXPECT_EQ(workspace.activeSubWindow(), View(1)->Frame());
}

TEST_F(ChannelWizardTest, ARefusedCheckFocusesItsFieldWithTheTextSelected) {
    Open(1);
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    auto* channel = Current<ChanConfigPage>();
    Type(channel->HangoverDelayEdit(), "60001");
    channel->TxLevelList()->setFocus();
    Next();
    EXPECT_EQ(CurrentCode(), Channel);
    EXPECT_THAT(m_prompt->texts, ElementsAre("Hangover delay must be between 0 and 60000 ms."));
    EXPECT_EQ(m_prompt->icons.back(), PromptIcon::Exclamation);
    EXPECT_EQ(QApplication::focusWidget(), channel->HangoverDelayEdit());
    EXPECT_EQ(channel->HangoverDelayEdit()->selectedText(), "60001");
}

TEST_F(ChannelWizardTest, AnInvalidChannelIndexIsAnInternalError) {
    // No area is channel 0, so the registry opens nothing for it; a window made
    // for it anyway stays empty and says so when it goes.
    EXPECT_FALSE(m_frame->Editors().OpenEditor(EditorKind::ChanCfg, 0));
    ConfigArea noChannel = *AreaOf(EditorKind::ChanCfg, 1);
    noChannel.channel = 0;
    noChannel.treeText.clear();
    auto* view = new ChanCfgFV(
        EditorContext{*m_app->Document(), m_frame->Editors(), m_frame->Tree(), noChannel});
    EXPECT_EQ(view->Wizard(), nullptr);
    m_frame->Tree().MarkItemOpen("Channel 1");
    view->DestroyFrame();
    EXPECT_THAT(m_prompt->texts,
                ElementsAre("ERROR calling ChanCfgFV::OnDestroy() with invalid channel number."));
    EXPECT_EQ(m_prompt->icons.back(), PromptIcon::Stop);
    EXPECT_EQ(m_frame->Tree().ItemState("Channel 1"), CConfigTree::kOpen);
}

TEST_F(ChannelWizardTest, MnemonicsOfTheWindowWinOverTheMenuBar) {
    Open(1);
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    const auto press = [](Qt::Key key) {
        QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
        QCoreApplication::processEvents();
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "a menu opened";
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popup->close();
        }
    };

    // Alt+O: "N&one" on the channel page, not the Options menu.
    auto* channel = Current<ChanConfigPage>();
    channel->TxLevelList()->setFocus();
    press(Qt::Key_O);
    EXPECT_EQ(channel->KeyingGroup()->checkedId(), cc::kKeyingNone);

    // Alt+O on the stat alert page focuses "Retry c&onstant".
    channel->KeyingGroup()->button(cc::kKeyingTone)->click();
    channel->OptionGroup()->button(cc::kOptionStatAlert)->click();
    Type(channel->DesksetIdEdit(), "A1");
    GoTo(StatAlert);
    auto* statAlert = Current<StatAlertPage>();
    statAlert->DefaultRacEdit()->setFocus();
    press(Qt::Key_O);
    EXPECT_EQ(QApplication::focusWidget(), statAlert->RetryConstantList());

    // Alt+F on the last page: "&Finish", not the File menu.
    press(Qt::Key_F);
    ProcessEvents();
    EXPECT_EQ(View(1), nullptr) << "Finish closed the window";
    EXPECT_EQ(Record(1).U8(c::kSignalingOption), cc::kOptionStatAlert);

    // Without an editor window the menu bar has its keys.
    m_frame->Tree().setFocus();
    QTest::keyClick(&m_frame->Tree(), Qt::Key_F, Qt::AltModifier);
    QCoreApplication::processEvents();
    EXPECT_NE(QApplication::activePopupWidget(), nullptr);
    if (QWidget* popup = QApplication::activePopupWidget()) {
        popup->close();
    }
}
