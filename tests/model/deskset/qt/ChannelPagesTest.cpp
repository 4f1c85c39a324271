// SPDX-License-Identifier: GPL-3.0-or-later
// The pages of the channel wizard as a technician uses them: what a new
// database shows, the filters and limits of the edits, and what Finish writes.

#include <gmock/gmock.h>

#include <QAccessible>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>

#include "model/deskset/ChannelCodes.h"
#include "model/deskset/qt/CChanTalkPermitTone.h"
#include "model/deskset/qt/ChanConfigPage.h"
#include "model/deskset/qt/ChannelWizardFixture.h"
#include "model/deskset/qt/DTMFDecodePage.h"
#include "model/deskset/qt/SignalingPlanDCPage.h"
#include "model/deskset/qt/SignalingPlanT1Page.h"
#include "model/deskset/qt/SignalingPlanT2Page.h"
#include "model/deskset/qt/StatAlertPage.h"
#include "model/editing/qt/RangeSpinEdit.h"

using ::testing::Each;
using ::testing::ElementsAre;
using enum PageCode;
namespace c = layout::channel;
namespace cc = channel_codes;

namespace {

class ChannelPagesTest : public ChannelWizardTest {
protected:
    ChanConfigPage* ChannelPage() { return Current<ChanConfigPage>(); }
    void SelectOption(int option) { ChannelPage()->OptionGroup()->button(option)->click(); }
    void SelectKeying(int keying) { ChannelPage()->KeyingGroup()->button(keying)->click(); }
    QStringList Refusals() const { return m_prompt->texts; }
};

}  // namespace

TEST_F(ChannelPagesTest, ChannelPageOfANewDatabase) {
    Open(1);
    ChanConfigPage* page = ChannelPage();
    EXPECT_EQ(page->KeyingGroup()->checkedId(), cc::kKeyingTone);
    EXPECT_EQ(page->OptionGroup()->checkedId(), cc::kOptionNone);
    EXPECT_EQ(page->TxLevelList()->currentText(), "0");
    EXPECT_EQ(page->RxAgcLevelList()->currentText(), "-24");
    EXPECT_EQ(page->TxLevelList()->count(), 42);
    EXPECT_EQ(page->TxLevelList()->itemText(21), "- 9");
    EXPECT_EQ(page->List(ChannelList::SignalingRelay)->currentText(), "None");
    EXPECT_EQ(page->List(ChannelList::CrossMute)->currentText(), "RCU On");
    EXPECT_EQ(page->List(ChannelList::ParallelStatus)->currentText(), "Parallel Status");
    EXPECT_EQ(page->List(ChannelList::Termination)->currentText(), "600");
    EXPECT_EQ(page->List(ChannelList::Interface)->currentText(), "4 Wires");
    for (ChannelList io :
         {ChannelList::PttRelay, ChannelList::PttSense, ChannelList::EncryptRelay,
          ChannelList::EncryptSense, ChannelList::MonitorRelay, ChannelList::ELead}) {
        EXPECT_EQ(page->List(io)->currentText(), "None");
    }
    EXPECT_FALSE(page->MonitorLatchingCheck()->isChecked());
    EXPECT_EQ(page->HangoverDelayEdit()->text(), "2000");
    EXPECT_FALSE(page->DesksetIdEdit()->isEnabled());
    EXPECT_FALSE(page->LabelEdit()->isVisible());
    EXPECT_FALSE(page->DetectionCheck()->isVisible());
}

TEST_F(ChannelPagesTest, DesksetIdFollowsTheSignalingOption) {
    Open(1);
    QLineEdit* id = ChannelPage()->DesksetIdEdit();
    SelectOption(cc::kOptionStatAlert);
    EXPECT_TRUE(id->isEnabled());
    Type(id, "12G4");
    EXPECT_EQ(id->text(), "12");
    Type(id, "ab");
    EXPECT_EQ(id->text(), "AB");
    Type(id, "123456789");
    EXPECT_EQ(id->text(), "12345678");

    SelectOption(cc::kOptionDtmfSelectiveCall);
    Type(id, "1*#A");
    EXPECT_EQ(id->text(), "1*#A");
    Type(id, "1E");
    EXPECT_EQ(id->text(), "1");

    // Stat alert to DTMF decode: the ID is emptied and disabled; Finish writes 8 zero bytes.
    Record(1).SetText(c::kDesksetId, "OLDID123");
    SelectOption(cc::kOptionStatAlert);
    Type(id, "FF");
    SelectOption(cc::kOptionDtmfDecode);
    EXPECT_EQ(id->text(), "");
    EXPECT_FALSE(id->isEnabled());
    GoTo(DtmfDecode);
    Finish();
    const std::vector<std::uint8_t> bytes = RecordBytes(1);
    EXPECT_THAT(
        std::vector<std::uint8_t>(bytes.begin() + c::kDesksetId.offset,
                                  bytes.begin() + c::kDesksetId.offset + c::kDesksetIdWidth),
        Each(0));
}

TEST_F(ChannelPagesTest, EmptyDesksetIdIsRefused) {
    Open(1);
    SelectOption(cc::kOptionStatAlert);
    Next();
    EXPECT_EQ(CurrentCode(), Channel);
    EXPECT_THAT(Refusals(), ElementsAre("Deskset ID field cannot be empty."));
}

TEST_F(ChannelPagesTest, KeyingNoneEditsTheChannelLabel) {
    Open(1);
    SelectKeying(cc::kKeyingNone);
    ChanConfigPage* page = ChannelPage();
    EXPECT_TRUE(page->LabelEdit()->isVisible());
    EXPECT_TRUE(page->DetectionCheck()->isVisible());
    EXPECT_EQ(page->LabelEdit()->text(), "Freq 1");
    Type(page->LabelEdit(), "");
    Next();
    EXPECT_THAT(Refusals(), ElementsAre("Channel/Frequency field cannot be empty."));

    Type(page->LabelEdit(), "ABCDEFGHIJKLMN");
    EXPECT_EQ(page->LabelEdit()->text(), "ABCDEFGHIJKL");
    page->DetectionCheck()->setChecked(true);
    GoTo(TalkPermitTone);
    Finish();
    const std::vector<std::uint8_t> bytes = RecordBytes(1);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 12), "ABCDEFGHIJKL");
    EXPECT_EQ(Record(1).Label(1), "Freq 2");
    EXPECT_EQ(bytes[c::kDetectionFlags.offset], 1);
    EXPECT_EQ(bytes[c::kKeying.offset], cc::kKeyingNone);

    Open(1);
    EXPECT_EQ(ChannelPage()->LabelEdit()->text(), "ABCDEFGHIJKL");
}

TEST_F(ChannelPagesTest, LabelsTakeSingleByteCharactersOnly) {
    Open(1);
    SelectKeying(cc::kKeyingNone);
    QLineEdit* label = ChannelPage()->LabelEdit();
    Type(label, QString::fromUtf8("\u03A9mega"));  // no Latin-1 form
    EXPECT_EQ(label->text(), "Freq 1");
    Type(label, QString::fromUtf8("Caf\u00E9"));
    EXPECT_EQ(label->text(), QString::fromUtf8("Caf\u00E9"));
    GoTo(TalkPermitTone);
    Finish();
    EXPECT_EQ(Record(1).U8(3), 0xE9);
}

TEST_F(ChannelPagesTest, HangoverDelayLimits) {
    Open(1);
    QLineEdit* hangover = ChannelPage()->HangoverDelayEdit();
    Type(hangover, "12a");
    EXPECT_EQ(hangover->text(), "2000");  // digits only
    Type(hangover, "123456");
    EXPECT_EQ(hangover->text(), "12345");
    for (const char* refused : {"60001", ""}) {
        Type(hangover, refused);
        Next();
        EXPECT_EQ(CurrentCode(), Channel) << refused;
    }
    EXPECT_THAT(Refusals(), ElementsAre("Hangover delay must be between 0 and 60000 ms.",
                                        "Hangover delay must be between 0 and 60000 ms."));
    Type(hangover, "60000");
    Next();
    EXPECT_EQ(CurrentCode(), TonePlan1);
}

TEST_F(ChannelPagesTest, TxLevelWithTheBlankIsASignedByte) {
    Open(1);
    Choose(ChannelPage()->TxLevelList(), "- 5");
    Choose(ChannelPage()->List(ChannelList::Interface), "4 Wires Full Duplex");
    ChannelPage()->MonitorLatchingCheck()->setChecked(true);
    GoTo(TalkPermitTone);
    Finish();
    EXPECT_EQ(Record(1).U8(c::kTxLevel), 0xFB);
    EXPECT_EQ(Record(1).U8(c::kInterface), 3);
    EXPECT_EQ(Record(1).U8(c::kMonitorLatching), 1);
    Open(1);
    EXPECT_EQ(ChannelPage()->TxLevelList()->currentText(), "- 5");
}

TEST_F(ChannelPagesTest, TonePlanPart1) {
    Open(1);
    GoTo(TonePlan1);
    auto* page = Current<SignalingPlanT1Page>();
    using enum TonePlan1Tone;
    using enum TonePlan1Number;
    EXPECT_EQ(page->ToneList(Guard)->currentText(), "2175");
    EXPECT_EQ(page->ToneList(Monitor)->currentText(), "2050");
    for (TonePlan1Tone tone : {EncryptionCoded, EncryptionClear, RepeaterEnable, RepeaterDisable}) {
        EXPECT_EQ(page->ToneList(tone)->currentText(), "None");
    }
    EXPECT_EQ(page->NumberEdit(HlgtDuration)->text(), "125");
    EXPECT_EQ(page->NumberEdit(HlgtLevel)->text(), "10");
    EXPECT_EQ(page->NumberEdit(LlgtLevel)->text(), "-20");
    EXPECT_EQ(page->NumberEdit(FunctionToneDuration)->text(), "40");
    EXPECT_EQ(page->NumberEdit(FunctionToneLevel)->text(), "0");

    Type(page->NumberEdit(HlgtLevel), "1a0");
    EXPECT_EQ(page->NumberEdit(HlgtLevel)->text(), "1");
    Type(page->NumberEdit(HlgtLevel), "11");
    Next();
    EXPECT_EQ(CurrentCode(), TonePlan1);
    Type(page->NumberEdit(HlgtLevel), "-31");
    Back();  // refused on Back too
    EXPECT_EQ(CurrentCode(), TonePlan1);
    EXPECT_THAT(Refusals(), ElementsAre("HLGT level must be between 10 and -30 dB.",
                                        "HLGT level must be between 10 and -30 dB."));
    Type(page->NumberEdit(HlgtLevel), "10");
    Type(page->NumberEdit(LlgtLevel), "-30");
    Choose(page->ToneList(RepeaterDisable), "550");
    Next();
    EXPECT_EQ(CurrentCode(), TonePlan2);
    GoTo(TalkPermitTone);
    Finish();
    EXPECT_EQ(Record(1).S8(c::kLlgtLevel), -30);
    EXPECT_EQ(Record(1).U16(c::kRepeaterDisableTone), 5500);
}

TEST_F(ChannelPagesTest, AnUnknownGuardToneSelectsNothingAndIsWrittenAsZero) {
    Record(1).SetU16(c::kGuardToneFrequency, 22000);
    Open(1);
    GoTo(TonePlan1);
    EXPECT_EQ(Current<SignalingPlanT1Page>()->ToneList(TonePlan1Tone::Guard)->currentIndex(), -1);
    GoTo(TalkPermitTone);
    Finish();
    EXPECT_EQ(Record(1).U16(c::kGuardToneFrequency), 0);
}

TEST_F(ChannelPagesTest, TonePlanPart2) {
    Open(1);
    GoTo(TonePlan2);
    auto* page = Current<SignalingPlanT2Page>();
    const char* tones[] = {"1950", "1850", "1750", "1650"};
    for (std::size_t f = 0; f < 16; ++f) {
        EXPECT_EQ(page->LabelEdit(f)->text(), f < 4 ? QString("Freq %1").arg(f + 1) : "");
        EXPECT_EQ(page->ToneList(f)->currentText(), f < 4 ? tones[f] : "None");
        EXPECT_FALSE(page->DetectionCheck(f)->isChecked());
    }
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(page->WildcardList(k)->currentText(), "None");
    }
    Type(page->LabelEdit(15), "Sixteen");
    Choose(page->ToneList(15), "2050");
    page->DetectionCheck(15)->setChecked(true);
    Choose(page->WildcardList(1), "650");  // wildcard 1 off
    Choose(page->WildcardList(2), "750");  // wildcard 2 on
    GoTo(TalkPermitTone);
    Finish();
    const ChannelRecord record = Record(1);
    EXPECT_EQ(record.Label(15), "Sixteen");
    EXPECT_EQ(record.FunctionTone(15), 20500);
    EXPECT_TRUE(record.DetectionFlag(15));
    EXPECT_EQ(record.U16(c::kWildcard1OffTone), 6500);
    EXPECT_EQ(record.U16(c::kWildcard2OnTone), 7500);
    EXPECT_EQ(record.U16(c::kWildcard1OnTone), 0);
}

TEST_F(ChannelPagesTest, DcPlanWritesFrequencies1To4Only) {
    ChannelRecord record = Record(1);
    record.SetLabel(4, "Five");
    record.SetFunctionTone(10, 6500);
    record.SetDetectionFlag(12, true);
    Open(1);
    SelectKeying(cc::kKeyingDc);
    Next();
    ASSERT_EQ(CurrentCode(), DcPlan);
    EXPECT_EQ(Buttons(), "BN");
    auto* page = Current<SignalingPlanDCPage>();
    EXPECT_EQ(page->CurrentList(0)->currentText(), "5.5");
    EXPECT_EQ(page->CurrentList(1)->currentText(), "12.5");
    EXPECT_EQ(page->CurrentList(2)->currentText(), "-5.5");
    EXPECT_EQ(page->CurrentList(3)->currentText(), "-12.5");
    EXPECT_EQ(page->MonitorList()->currentText(), "-2.5");
    EXPECT_EQ(page->CurrentList(0)->count(), 63);

    Choose(page->CurrentList(0), "-0.5");
    Choose(page->CurrentList(1), "15.5");
    Type(page->LabelEdit(3), "Fourth");
    page->DetectionCheck(2)->setChecked(true);
    const std::vector<std::uint8_t> before = RecordBytes(1);
    GoTo(TalkPermitTone);
    Finish();
    const std::vector<std::uint8_t> after = RecordBytes(1);
    EXPECT_EQ(after[c::kDcCurrents.offset], 0xFF);
    EXPECT_EQ(after[c::kDcCurrents.offset + 1], 31);
    EXPECT_EQ(after[c::kDetectionFlags.offset + 2], 1);
    EXPECT_EQ(Record(1).Label(3), "Fourth");
    // Labels, tones and flags of frequencies 5 to 16 are as they were.
    EXPECT_TRUE(std::equal(before.begin() + 48, before.begin() + 192, after.begin() + 48));
    EXPECT_TRUE(std::equal(before.begin() + c::kFunctionTones.offset,
                           before.begin() + c::kMonitorTone.offset,
                           after.begin() + c::kFunctionTones.offset));
    EXPECT_TRUE(std::equal(before.begin() + c::kDetectionFlags.offset + 4,
                           before.begin() + c::kDetectionFlags.offset + 16,
                           after.begin() + c::kDetectionFlags.offset + 4));
}

TEST_F(ChannelPagesTest, FrequencyRowsAreNamedByRowAndColumn) {
    const auto spoken = [](QWidget* control) {
        return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name);
    };
    Open(1);
    SelectKeying(cc::kKeyingDc);
    Next();
    auto* currents = Current<SignalingPlanDCPage>();
    for (const std::size_t f : {0, 3}) {
        const QString row = QString("F %1").arg(f + 1);
        EXPECT_EQ(spoken(currents->CurrentList(f)), row + " Current (mA)");
        EXPECT_EQ(spoken(currents->DetectionCheck(f)), row + " Talk permit tone detection");
    }
    EXPECT_EQ(spoken(currents->MonitorList()), "Monitor (mA)");

    Back();
    SelectKeying(cc::kKeyingTone);
    GoTo(TonePlan2);
    auto* tones = Current<SignalingPlanT2Page>();
    for (const std::size_t f : {0, 7, 8, 15}) {
        const QString row = QString("F %1").arg(f + 1);
        EXPECT_EQ(spoken(tones->LabelEdit(f)), row);
        EXPECT_EQ(spoken(tones->ToneList(f)), row + " Freq (Hz)");
        EXPECT_EQ(spoken(tones->DetectionCheck(f)), row + " Talk permit tone detection");
    }
}

TEST_F(ChannelPagesTest, TalkPermitToneLimits) {
    Open(1);
    GoTo(TalkPermitTone);
    auto* page = Current<CChanTalkPermitTone>();
    using enum TalkPermitField;
    const std::vector<std::pair<TalkPermitField, QString>> shown{
        {TimeOut, "3500"},    {Frequency, "900"},    {BeepCount, "3"},
        {BeepDuration, "20"}, {PauseDuration, "20"}, {PostTime, "20"}};
    for (const auto& [field, text] : shown) {
        EXPECT_EQ(page->NumberEdit(field)->text(), text);
    }
    for (const char* refused : {"199", "3401"}) {
        Type(page->NumberEdit(Frequency), refused);
        Finish();
        EXPECT_EQ(View(1) != nullptr, true) << refused;
    }
    Type(page->NumberEdit(Frequency), "3400");
    Type(page->NumberEdit(BeepCount), "6");
    Back();
    EXPECT_EQ(CurrentCode(), TalkPermitTone);
    EXPECT_THAT(Refusals(), ElementsAre("Frequency must be between 200 and 3400 Hz.",
                                        "Frequency must be between 200 and 3400 Hz.",
                                        "Number of beeps must be between 0 and 5."));
    Type(page->NumberEdit(BeepCount), "5");
    Type(page->NumberEdit(Frequency), "200");
    Finish();
    EXPECT_EQ(View(1), nullptr);
    EXPECT_EQ(Record(1).U16(c::kTalkPermitFrequency), 2000);
    EXPECT_EQ(Record(1).U8(c::kTalkPermitBeepCount), 5);
}

TEST_F(ChannelPagesTest, DtmfPageStartsFromDefaultsOverStatAlertData) {
    ChannelRecord record = Record(1);
    record.SetU8(c::kSignalingOption, cc::kOptionStatAlert);
    record.SetText(c::kDesksetId, "1A");
    record.SetU8(c::stat_alert::kMode, 2);
    record.SetU16(c::stat_alert::kLeadingPretime, 999);
    const std::vector<std::uint8_t> before = RecordBytes(1);

    Open(1);
    SelectOption(cc::kOptionDtmfDecode);
    GoTo(DtmfDecode);
    EXPECT_EQ(View(1)->HelpTopic(), 188);
    auto* page = Current<DTMFDecodePage>();
    EXPECT_EQ(page->MinDigitsList()->currentText(), "3");
    EXPECT_EQ(page->MaxDigitsList()->currentText(), "8");
    EXPECT_EQ(page->NumberEdit(DtmfField::DigitDuration)->text(), "60");
    EXPECT_EQ(page->NumberEdit(DtmfField::InterdigitTiming)->text(), "40");

    Choose(page->MaxDigitsList(), "4");
    Choose(page->MinDigitsList(), "6");
    EXPECT_EQ(page->MaxDigitsList()->currentText(), "6");
    Choose(page->MinDigitsList(), "5");
    Choose(page->MaxDigitsList(), "2");
    EXPECT_EQ(page->MinDigitsList()->currentText(), "2");
    Cancel();
    EXPECT_EQ(RecordBytes(1), before);
}

TEST_F(ChannelPagesTest, DtmfSelectiveCallWritesTheDtmfLayout) {
    Open(1);
    SelectOption(cc::kOptionDtmfSelectiveCall);
    Type(ChannelPage()->DesksetIdEdit(), "12*#");
    GoTo(DtmfSelectiveCall);
    EXPECT_EQ(View(1)->Frame()->windowTitle(),
              "Channel 1 Configuration - DTMF Selective Call Setup");
    EXPECT_EQ(View(1)->HelpTopic(), 186);
    auto* page = Current<DTMFDecodePage>();
    Choose(page->MinDigitsList(), "1");
    Type(page->NumberEdit(DtmfField::DigitDuration), "60001");
    Finish();
    Type(page->NumberEdit(DtmfField::DigitDuration), "60000");
    Type(page->NumberEdit(DtmfField::InterdigitTiming), "");
    Back();
    EXPECT_THAT(Refusals(), ElementsAre("Digit duration must be between 0 and 60000 ms.",
                                        "Interdigit timing must be between 0 and 60000 ms."));
    Type(page->NumberEdit(DtmfField::InterdigitTiming), "7");
    Finish();
    const std::vector<std::uint8_t> bytes = RecordBytes(1);
    EXPECT_THAT(std::vector<std::uint8_t>(bytes.begin() + c::dtmf::kMinDigits.offset,
                                          bytes.begin() + c::dtmf::kInterdigitTiming.offset + 2),
                ElementsAre(1, 8, 0x60, 0xEA, 7, 0));
    EXPECT_EQ(bytes[c::kSignalingOption.offset], cc::kOptionDtmfSelectiveCall);
    EXPECT_EQ(Record(1).Text(c::kDesksetId), "12*#");
}

TEST_F(ChannelPagesTest, StatAlertPage) {
    Open(1);
    SelectOption(cc::kOptionStatAlert);
    Type(ChannelPage()->DesksetIdEdit(), "A1");
    GoTo(TalkPermitTone);
    EXPECT_EQ(Buttons(), "BN");
    Next();
    ASSERT_EQ(CurrentCode(), StatAlert);
    EXPECT_EQ(Buttons(), "BF");
    auto* page = Current<StatAlertPage>();
    using enum StatAlertNumber;
    EXPECT_EQ(page->ModeGroup()->checkedId(), 0);
    EXPECT_EQ(page->PretimeKindGroup()->checkedId(), 0);
    EXPECT_EQ(page->RacModeGroup()->checkedId(), 0);
    EXPECT_EQ(page->NumberEdit(LeadingPretime)->text(), "200");
    EXPECT_EQ(page->NumberEdit(TrailingPretime)->text(), "0");
    EXPECT_EQ(page->NumberEdit(RacPretime)->text(), "0");
    EXPECT_EQ(page->NumberEdit(DosCoast)->text(), "0");
    EXPECT_EQ(page->DefaultRacEdit()->text(), "1");
    EXPECT_EQ(page->RetryConstantList()->currentText(), "2");
    EXPECT_EQ(page->LimitedPatienceSpin()->text(), "0");
    EXPECT_FALSE(page->BusyTimerCheck()->isChecked());
    EXPECT_TRUE(page->EmergencyAcknowledgeCheck()->isChecked());

    Type(page->DefaultRacEdit(), "1G");
    EXPECT_EQ(page->DefaultRacEdit()->text(), "1");
    Type(page->DefaultRacEdit(), "");
    Finish();
    EXPECT_THAT(Refusals(), ElementsAre("Default RAC field cannot be empty.\n"
                                        "Valid characters are : 0 to 9 and A to F"));
    Type(page->DefaultRacEdit(), "ffff");
    EXPECT_EQ(page->DefaultRacEdit()->text(), "FFFF");

    RangeSpinEdit* patience = page->LimitedPatienceSpin();
    patience->SetText("61");
    Back();
    EXPECT_EQ(Refusals().last(), "Limited patience must be between 0 and 60 sec.");
    patience->SetText("");
    Finish();
    EXPECT_EQ(Refusals().last(), "Please enter a positive integer.");
    patience->SetText("59");
    patience->stepBy(5);
    EXPECT_EQ(patience->text(), "60");
    patience->stepBy(-100);
    EXPECT_EQ(patience->text(), "0");
    patience->stepBy(12);

    Choose(page->RetryConstantList(), "6");
    page->ModeGroup()->button(1)->click();
    page->RacModeGroup()->button(2)->click();
    page->BusyTimerCheck()->setChecked(true);
    Finish();
    ASSERT_EQ(View(1), nullptr);
    const std::vector<std::uint8_t> bytes = RecordBytes(1);
    EXPECT_THAT(
        std::vector<std::uint8_t>(bytes.begin() + c::kSignalingData,
                                  bytes.begin() + c::kSignalingData + c::kSignalingDataSize),
        ElementsAre(1, 200, 0, 0, 0, 0, 2, 0xFF, 0xFF, 0, 0, 6, 12, 1, 0, 0, 1));

    Open(1);
    GoTo(StatAlert);
    EXPECT_EQ(Current<StatAlertPage>()->DefaultRacEdit()->text(), "FFFF");
    EXPECT_EQ(Current<StatAlertPage>()->RetryConstantList()->currentText(), "6");
}

TEST_F(ChannelPagesTest, TabFollowsTheStatAlertPageAndEntersRadioGroupsAtTheirChoice) {
    Open(1);
    m_frame->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_frame.get()));
    SelectOption(cc::kOptionStatAlert);
    Type(ChannelPage()->DesksetIdEdit(), "A1");
    GoTo(StatAlert);
    auto* page = Current<StatAlertPage>();
    // Choices as a loaded record sets them, not by a click that moves the focus.
    page->ModeGroup()->button(1)->setChecked(true);
    page->PretimeKindGroup()->button(1)->setChecked(true);
    page->RacModeGroup()->button(2)->setChecked(true);
    EXPECT_THAT(
        TabOrder(Button(QWizard::CancelButton), 15),
        ElementsAre("Cancel", "&Trailing", "Bit s&ync", "L&eading pretime (ms)",
                    "Trailin&g pretime (ms)", "&Auto", "&Default RAC", "&RAC pretime (ms)",
                    "Retry c&onstant", "Limited &patience (sec)", "DOS &coast (ms)", "B&usy timer",
                    "Emergency ac&knowledge", "< &Back", "&Finish", "Cancel"));
}

TEST_F(ChannelPagesTest, DtmfDigitListsAreAsWideAsTheirDigits) {
    Open(1);
    SelectOption(cc::kOptionDtmfDecode);
    GoTo(DtmfDecode);
    auto* page = Current<DTMFDecodePage>();
    for (const QComboBox* list : {page->MinDigitsList(), page->MaxDigitsList()}) {
        EXPECT_EQ(list->width(), list->sizeHint().width());
        EXPECT_LE(list->width(), 2 * page->NumberEdit(DtmfField::DigitDuration)->width());
    }
}

TEST_F(ChannelPagesTest, NumberFieldsAreAsWideAsTheirNumbers) {
    Open(1);
    SelectOption(cc::kOptionStatAlert);
    Type(ChannelPage()->DesksetIdEdit(), "A1");
    const auto fits = [](const QWidget* field, const QString& longest) {
        const int text = field->fontMetrics().horizontalAdvance(longest);
        EXPECT_GE(field->width(), text + 4) << longest.toStdString();
        EXPECT_LE(field->width(), text + 60) << longest.toStdString();
    };
    fits(ChannelPage()->HangoverDelayEdit(), "60000");
    GoTo(TonePlan1);
    fits(Current<SignalingPlanT1Page>()->NumberEdit(TonePlan1Number::HlgtDuration), "65535");
    fits(Current<SignalingPlanT1Page>()->NumberEdit(TonePlan1Number::HlgtLevel), "-20");
    GoTo(TalkPermitTone);
    for (std::size_t k = 0; k < kTalkPermitFieldCount; ++k) {
        fits(Current<CChanTalkPermitTone>()->NumberEdit(static_cast<TalkPermitField>(k)), "65535");
    }
    GoTo(StatAlert);
    fits(Current<StatAlertPage>()->NumberEdit(StatAlertNumber::DosCoast), "65535");
    // A spin edit: its number and the arrows.
    const QWidget* patience = Current<StatAlertPage>()->LimitedPatienceSpin();
    EXPECT_GE(patience->width(), patience->fontMetrics().horizontalAdvance("60") + 16);
    EXPECT_LE(patience->width(), 100);
}
