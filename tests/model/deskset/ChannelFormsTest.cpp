// SPDX-License-Identifier: GPL-3.0-or-later
// Each wizard page's values: what a record loads as, the checks in their
// order, and what writing stores, byte for byte.

#include <gmock/gmock.h>

#include "model/ImageDefaults.h"
#include "model/deskset/ChannelCodes.h"
#include "model/deskset/ChannelLists.h"
#include "model/deskset/ChannelPageForm.h"
#include "model/deskset/DcPlanForm.h"
#include "model/deskset/DtmfForm.h"
#include "model/deskset/StatAlertForm.h"
#include "model/deskset/TalkPermitToneForm.h"
#include "model/deskset/TonePlanForms.h"

using ::testing::Each;
using ::testing::ElementsAre;
namespace c = layout::channel;
namespace cc = channel_codes;

namespace {

class ChannelFormsTest : public ::testing::Test {
protected:
    void SetUp() override { SetImageDefaults(m_image); }

    // The record's bytes, to check that a write touched only what it should.
    std::vector<std::uint8_t> Bytes(std::size_t from, std::size_t to) const {
        const auto bytes = m_image.Bytes();
        return {bytes.begin() + m_record.Start() + from, bytes.begin() + m_record.Start() + to};
    }

    ConfigImage m_image;
    ChannelRecord m_record{m_image, 1};
};

}  // namespace

TEST_F(ChannelFormsTest, ChannelPageOfANewDatabase) {
    const ChannelPageForm form = LoadChannelPage(m_record);
    EXPECT_EQ(form.keying, cc::kKeyingTone);
    EXPECT_EQ(form.option, cc::kOptionNone);
    EXPECT_EQ(LevelList().At(form.txLevel), "0");
    EXPECT_EQ(LevelList().At(form.rxAgcLevel), "-24");
    EXPECT_EQ(EntriesOf(ChannelList::SignalingRelay).At(form.List(ChannelList::SignalingRelay)),
              "None");
    EXPECT_EQ(EntriesOf(ChannelList::CrossMute).At(form.List(ChannelList::CrossMute)), "RCU On");
    EXPECT_EQ(EntriesOf(ChannelList::ParallelStatus).At(form.List(ChannelList::ParallelStatus)),
              "Parallel Status");
    EXPECT_EQ(EntriesOf(ChannelList::Termination).At(form.List(ChannelList::Termination)), "600");
    EXPECT_EQ(EntriesOf(ChannelList::Interface).At(form.List(ChannelList::Interface)), "4 Wires");
    for (ChannelList io :
         {ChannelList::PttRelay, ChannelList::PttSense, ChannelList::EncryptRelay,
          ChannelList::EncryptSense, ChannelList::MonitorRelay, ChannelList::ELead}) {
        EXPECT_EQ(EntriesOf(io).At(form.List(io)), "None");
    }
    EXPECT_FALSE(form.monitorLatching);
    EXPECT_EQ(form.hangoverDelay, "2000");
    EXPECT_EQ(form.label, "Freq 1");
    EXPECT_EQ(form.desksetId, "");
    EXPECT_TRUE(ValidateChannelPage(form).Ok());
}

TEST_F(ChannelFormsTest, ChannelPageChecksInOrder) {
    ChannelPageForm form = LoadChannelPage(m_record);
    form.option = cc::kOptionStatAlert;
    form.keying = cc::kKeyingNone;
    form.label = "";
    form.hangoverDelay = "60001";
    auto result = ValidateChannelPage(form);
    EXPECT_EQ(result.message, "Deskset ID field cannot be empty.");
    EXPECT_EQ(result.field, ChannelPageField::DesksetId);

    form.desksetId = "12";
    result = ValidateChannelPage(form);
    EXPECT_EQ(result.message, "Channel/Frequency field cannot be empty.");
    EXPECT_EQ(result.field, ChannelPageField::Label);

    form.label = "L";
    result = ValidateChannelPage(form);
    EXPECT_EQ(result.message, "Hangover delay must be between 0 and 60000 ms.");
    EXPECT_EQ(result.field, ChannelPageField::HangoverDelay);
    form.hangoverDelay = "";
    EXPECT_FALSE(ValidateChannelPage(form).Ok());
    form.hangoverDelay = "60000";
    EXPECT_TRUE(ValidateChannelPage(form).Ok());

    // The label and the ID only count where they are used.
    form.keying = cc::kKeyingTone;
    form.label = "";
    form.option = cc::kOptionDtmfDecode;
    form.desksetId = "";
    EXPECT_TRUE(ValidateChannelPage(form).Ok());
}

TEST_F(ChannelFormsTest, ChannelPageWritesItsFields) {
    ChannelPageForm form = LoadChannelPage(m_record);
    form.keying = cc::kKeyingNone;
    form.option = cc::kOptionDtmfSelectiveCall;
    form.desksetId = "1*#A";
    form.txLevel = LevelList().IndexOf("- 5");
    form.rxAgcLevel = LevelList().IndexOf("11");
    form.List(ChannelList::Interface) = 3;
    form.List(ChannelList::ELead) = 4;
    form.List(ChannelList::SignalingRelay) = 2;
    form.monitorLatching = true;
    form.hangoverDelay = "60000";
    form.label = "ABCDEFGHIJKL";
    form.detection = true;
    WriteChannelPage(form, m_record);

    EXPECT_EQ(m_record.U8(c::kKeying), 2);
    EXPECT_EQ(m_record.U8(c::kSignalingOption), 3);
    EXPECT_EQ(m_record.U8(c::kTxLevel), 0xFB);
    EXPECT_EQ(m_record.U8(c::kRxAgcLevel), 11);
    EXPECT_THAT(Bytes(c::kDesksetId.offset, c::kDesksetId.offset + 8),
                ElementsAre('1', '*', '#', 'A', 0, 0, 0, 0));
    EXPECT_EQ(m_record.U8(c::kInterface), 3);
    EXPECT_EQ(m_record.U8(c::kELead), 4);
    EXPECT_EQ(m_record.U8(c::kSignalingRelay), 2);
    EXPECT_EQ(m_record.U8(c::kMonitorLatching), 1);
    EXPECT_EQ(m_record.U8(c::kHangoverDelay), 0x60);  // 60000 = 0xEA60
    EXPECT_EQ(m_record.U8(c::kHangoverDelay.offset + 1), 0xEA);
    // A full label has no terminator; label 2 still starts right after it.
    EXPECT_THAT(Bytes(0, 12),
                ElementsAre('A', 'B', 'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J', 'K', 'L'));
    EXPECT_EQ(m_record.Label(0), "ABCDEFGHIJKL");
    EXPECT_EQ(m_record.Label(1), "Freq 2");
    EXPECT_EQ(m_record.U8(c::kDetectionFlags), 1);

    // Loading again shows the same values.
    const ChannelPageForm again = LoadChannelPage(m_record);
    EXPECT_EQ(LevelList().At(again.txLevel), "- 5");
    EXPECT_EQ(again.label, "ABCDEFGHIJKL");
    EXPECT_EQ(again.desksetId, "1*#A");
}

TEST_F(ChannelFormsTest, ChannelPageKeepsTheLabelUnlessKeyingIsNoneAndEmptiesAnUnusedId) {
    m_record.SetText(c::kDesksetId, "ABCDEF12");
    m_record.SetU8(c::kSignalingOption, cc::kOptionStatAlert);
    ChannelPageForm form = LoadChannelPage(m_record);
    EXPECT_EQ(form.desksetId, "ABCDEF12");
    form.option = cc::kOptionDtmfDecode;
    ApplyRadioChoice(form);
    EXPECT_EQ(form.desksetId, "");
    form.label = "Changed";
    form.detection = true;
    WriteChannelPage(form, m_record);
    EXPECT_THAT(Bytes(c::kDesksetId.offset, c::kDesksetId.offset + 8), Each(0));
    EXPECT_EQ(m_record.Label(0), "Freq 1");
    EXPECT_EQ(m_record.U8(c::kDetectionFlags), 0);

    // Stat alert to selective call keeps the ID, cut to the DTMF characters.
    form.option = cc::kOptionDtmfSelectiveCall;
    form.desksetId = "12EF";
    ApplyRadioChoice(form);
    EXPECT_EQ(form.desksetId, "12");
}

TEST_F(ChannelFormsTest, ChannelPageSurvivesAnyStoredByte) {
    m_record.SetU8(c::kKeying, 7);
    m_record.SetU8(c::kSignalingOption, 9);
    m_record.SetU8(c::kInterface, 200);
    m_record.SetS8(c::kTxLevel, 12);
    m_record.SetU8(c::kCrossMute, 3);
    ChannelPageForm form = LoadChannelPage(m_record);
    EXPECT_EQ(form.keying, -1);
    EXPECT_EQ(form.option, -1);
    EXPECT_EQ(form.List(ChannelList::Interface), -1);
    EXPECT_EQ(form.List(ChannelList::CrossMute), -1);
    EXPECT_EQ(form.txLevel, -1);
    EXPECT_FALSE(ShowsLabel(form));
    // Nothing selected keeps the stored bytes.
    WriteChannelPage(form, m_record);
    EXPECT_EQ(m_record.U8(c::kKeying), 7);
    EXPECT_EQ(m_record.U8(c::kSignalingOption), 9);
    EXPECT_EQ(m_record.U8(c::kInterface), 200);
    EXPECT_EQ(m_record.S8(c::kTxLevel), 12);
    EXPECT_EQ(m_record.U8(c::kCrossMute), 3);
}

TEST_F(ChannelFormsTest, DcPlanShowsCurrentsAndLeavesFrequencies5To16) {
    DcPlanForm form = LoadDcPlan(m_record);
    std::vector<std::string> shown, labels;
    for (const FrequencyRow& row : form.rows) {
        shown.emplace_back(DcCurrentList().At(row.selector));
        labels.push_back(row.label);
    }
    EXPECT_THAT(shown, ElementsAre("5.5", "12.5", "-5.5", "-12.5"));
    EXPECT_EQ(DcCurrentList().At(form.monitor), "-2.5");
    EXPECT_THAT(labels, ElementsAre("Freq 1", "Freq 2", "Freq 3", "Freq 4"));

    m_record.SetLabel(4, "Five");
    m_record.SetFunctionTone(4, 5500);
    m_record.SetDetectionFlag(15, true);
    const auto beyondDc = Bytes(12 * 4, 12 * 16);
    const auto tonesBeyondDc = Bytes(c::kFunctionTones.offset + 8, c::kMonitorTone.offset);
    const auto flagsBeyondDc = Bytes(c::kDetectionFlags.offset + 4, c::kDetectionFlags.offset + 16);

    form.rows[0].selector = DcCurrentList().IndexOf("-0.5");
    form.rows[1].selector = DcCurrentList().IndexOf("15.5");
    form.rows[2].selector = -1;
    form.monitor = DcCurrentList().IndexOf("0.0");
    form.rows[3].label = "Fourth";
    form.rows[2].detection = true;
    WriteDcPlan(form, m_record);
    EXPECT_THAT(Bytes(c::kDcCurrents.offset, c::kDcMonitorCurrent.offset + 1),
                ElementsAre(0xFF, 31, 0, 231, 0));
    EXPECT_EQ(m_record.Label(3), "Fourth");
    EXPECT_THAT(Bytes(c::kDetectionFlags.offset, c::kDetectionFlags.offset + 4),
                ElementsAre(0, 0, 1, 0));
    EXPECT_EQ(Bytes(12 * 4, 12 * 16), beyondDc);
    EXPECT_EQ(Bytes(c::kFunctionTones.offset + 8, c::kMonitorTone.offset), tonesBeyondDc);
    EXPECT_EQ(Bytes(c::kDetectionFlags.offset + 4, c::kDetectionFlags.offset + 16), flagsBeyondDc);
}

TEST_F(ChannelFormsTest, TonePlanOfANewDatabase) {
    TonePlan1Form one = LoadTonePlan1(m_record);
    EXPECT_EQ(GuardToneList().At(one.Tone(TonePlan1Tone::Guard)), "2175");
    EXPECT_EQ(ToneList().At(one.Tone(TonePlan1Tone::Monitor)), "2050");
    for (TonePlan1Tone t : {TonePlan1Tone::EncryptionCoded, TonePlan1Tone::EncryptionClear,
                            TonePlan1Tone::RepeaterEnable, TonePlan1Tone::RepeaterDisable}) {
        EXPECT_EQ(ToneList().At(one.Tone(t)), "None");
    }
    EXPECT_THAT(one.numbers, ElementsAre("125", "10", "-20", "40", "0"));

    const TonePlan2Form two = LoadTonePlan2(m_record);
    EXPECT_EQ(two.rows[0].label, "Freq 1");
    EXPECT_EQ(two.rows[4].label, "");
    std::vector<std::string> tones;
    for (const FrequencyRow& row : two.rows) {
        tones.emplace_back(ToneList().At(row.selector));
        EXPECT_FALSE(row.detection);
    }
    EXPECT_THAT(std::vector<std::string>(tones.begin(), tones.begin() + 5),
                ElementsAre("1950", "1850", "1750", "1650", "None"));
    EXPECT_THAT(two.wildcards, Each(0));
}

TEST_F(ChannelFormsTest, TonePlan1ChecksInOrderAtTheLimits) {
    TonePlan1Form form = LoadTonePlan1(m_record);
    using enum TonePlan1Number;
    form.Number(HlgtDuration) = "60001";
    form.Number(HlgtLevel) = "11";
    form.Number(LlgtLevel) = "-31";
    form.Number(FunctionToneDuration) = "";
    form.Number(FunctionToneLevel) = "-";
    const std::vector<std::pair<TonePlan1Number, std::string>> expected{
        {HlgtDuration, "HLGT duration must be between 0 and 60000 ms."},
        {HlgtLevel, "HLGT level must be between 10 and -30 dB."},
        {LlgtLevel, "LLGT level must be between 10 and -30 dB."},
        {FunctionToneDuration, "Function tones duration must be between 0 and 60000 ms."},
        {FunctionToneLevel, "Function tones level must be between 10 and -30 dB."},
    };
    const std::array<std::string, 5> fixes{"60000", "10", "-30", "0", "-30"};
    for (std::size_t k = 0; k < expected.size(); ++k) {
        const auto result = ValidateTonePlan1(form);
        EXPECT_EQ(result.field, expected[k].first);
        EXPECT_EQ(result.message, expected[k].second);
        form.numbers[k] = fixes[k];
    }
    EXPECT_TRUE(ValidateTonePlan1(form).Ok());

    WriteTonePlan1(form, m_record);
    EXPECT_THAT(Bytes(c::kHlgtDuration.offset, c::kLlgtLevel.offset + 1),
                ElementsAre(0x60, 0xEA, 0, 0, 10, 0xE2, 0xE2));
}

TEST_F(ChannelFormsTest, TonePlanWritesTonesInTenthsOfHertz) {
    m_record.SetU16(c::kGuardToneFrequency, 22000);  // 2200 Hz is in no list
    TonePlan1Form one = LoadTonePlan1(m_record);
    EXPECT_EQ(one.Tone(TonePlan1Tone::Guard), -1);
    one.Tone(TonePlan1Tone::EncryptionCoded) = ToneList().IndexOf("550");
    one.Tone(TonePlan1Tone::Monitor) = 0;
    WriteTonePlan1(one, m_record);
    EXPECT_EQ(m_record.U16(c::kGuardToneFrequency), 0);
    EXPECT_EQ(m_record.U16(c::kEncryptionCodedTone), 5500);
    EXPECT_EQ(m_record.U16(c::kMonitorTone), 0);

    TonePlan2Form two = LoadTonePlan2(m_record);
    two.rows[15] = {"Sixteen", ToneList().IndexOf("2050"), true};
    two.wildcards = {ToneList().IndexOf("650"), ToneList().IndexOf("750"),
                     ToneList().IndexOf("850"), ToneList().IndexOf("950")};
    WriteTonePlan2(two, m_record);
    EXPECT_EQ(m_record.Label(15), "Sixteen");
    EXPECT_THAT(Bytes(c::kFunctionTones.offset + 30, c::kFunctionTones.offset + 32),
                ElementsAre(0x14, 0x50));
    EXPECT_EQ(m_record.U8(c::kDetectionFlags.offset + 15), 1);
    EXPECT_EQ(m_record.U16(c::kWildcard1OnTone), 6500);
    EXPECT_EQ(m_record.U16(c::kWildcard1OffTone), 7500);
    EXPECT_EQ(m_record.U16(c::kWildcard2OnTone), 8500);
    EXPECT_EQ(m_record.U16(c::kWildcard2OffTone), 9500);
}

TEST_F(ChannelFormsTest, TalkPermitToneLimitsAndBytes) {
    TalkPermitToneForm form = LoadTalkPermitTone(m_record);
    EXPECT_THAT(form.numbers, ElementsAre("3500", "900", "3", "20", "20", "20"));
    using enum TalkPermitField;
    const std::vector<std::tuple<TalkPermitField, std::string, std::string, std::string>> cases{
        {TimeOut, "60001", "60000", "Time out must be between 0 and 60000 ms."},
        {Frequency, "199", "200", "Frequency must be between 200 and 3400 Hz."},
        {Frequency, "3401", "3400", "Frequency must be between 200 and 3400 Hz."},
        {BeepCount, "6", "5", "Number of beeps must be between 0 and 5."},
        {BeepDuration, "", "0", "Beep duration must be between 0 and 60000 ms."},
        {PauseDuration, "60001", "1", "Pause duration must be between 0 and 60000 ms."},
        {PostTime, "x", "65", "Talk permit post time must be between 0 and 60000 ms."},
    };
    for (const auto& [field, refused, accepted, message] : cases) {
        form.Number(field) = refused;
        const auto result = ValidateTalkPermitTone(form);
        EXPECT_EQ(result.field, field) << refused;
        EXPECT_EQ(result.message, message);
        form.Number(field) = accepted;
        EXPECT_TRUE(ValidateTalkPermitTone(form).Ok()) << accepted;
    }
    WriteTalkPermitTone(form, m_record);
    EXPECT_THAT(Bytes(c::kTalkPermitTimeOut.offset, c::kTalkPermitPostTime.offset + 2),
                ElementsAre(0x60, 0xEA, 0xD0, 0x84, 0, 0, 1, 0, 5, 65, 0));
}

TEST_F(ChannelFormsTest, DtmfStartsFromDefaultsUnlessTheRecordHoldsDtmf) {
    m_record.SetU8(c::kSignalingOption, cc::kOptionStatAlert);
    m_record.SetU8(c::dtmf::kMinDigits, 5);
    DtmfForm form = LoadDtmf(m_record);
    EXPECT_EQ(DigitCountList().At(form.minDigits), "3");
    EXPECT_EQ(DigitCountList().At(form.maxDigits), "8");
    EXPECT_THAT(form.numbers, ElementsAre("60", "40"));

    m_record.SetU8(c::kSignalingOption, cc::kOptionDtmfSelectiveCall);
    m_record.SetU8(c::dtmf::kMaxDigits, 9);  // no such entry
    m_record.SetU16(c::dtmf::kDigitDuration, 100);
    form = LoadDtmf(m_record);
    EXPECT_EQ(DigitCountList().At(form.minDigits), "5");
    EXPECT_EQ(form.maxDigits, -1);
    EXPECT_EQ(form.Number(DtmfField::DigitDuration), "100");

    form.Number(DtmfField::DigitDuration) = "60001";
    form.Number(DtmfField::InterdigitTiming) = "";
    EXPECT_EQ(ValidateDtmf(form).message, "Digit duration must be between 0 and 60000 ms.");
    form.Number(DtmfField::DigitDuration) = "60000";
    EXPECT_EQ(ValidateDtmf(form).message, "Interdigit timing must be between 0 and 60000 ms.");
    EXPECT_EQ(ValidateDtmf(form).field, DtmfField::InterdigitTiming);
    form.Number(DtmfField::InterdigitTiming) = "7";

    WriteDtmf(form, m_record);  // no maximum selected: the stored byte stays
    EXPECT_THAT(Bytes(c::dtmf::kMinDigits.offset, c::dtmf::kInterdigitTiming.offset + 2),
                ElementsAre(5, 9, 0x60, 0xEA, 7, 0));
}

TEST_F(ChannelFormsTest, DtmfMinimumAndMaximumFollowEachOther) {
    DtmfForm form = LoadDtmf(m_record);
    form.maxDigits = 3;        // 4 digits
    ChooseMinDigits(form, 5);  // 6 digits
    EXPECT_EQ(form.maxDigits, 5);
    ChooseMinDigits(form, 0);
    EXPECT_EQ(form.maxDigits, 5);
    form.minDigits = 4;        // 5 digits
    ChooseMaxDigits(form, 1);  // 2 digits
    EXPECT_EQ(form.minDigits, 1);
    ChooseMaxDigits(form, 7);
    EXPECT_EQ(form.minDigits, 1);
}

TEST_F(ChannelFormsTest, StatAlertDefaultsWhenTheRecordHoldsAnotherLayout) {
    m_record.SetU8(c::stat_alert::kRacMode, 2);
    const StatAlertForm form = LoadStatAlert(m_record);
    EXPECT_EQ(form.mode, 0);
    EXPECT_EQ(form.pretimeKind, 0);
    EXPECT_EQ(form.racMode, 2);  // kept from the record
    EXPECT_THAT(form.numbers, ElementsAre("200", "0", "0", "0", "0"));
    EXPECT_EQ(form.defaultRac, "1");
    EXPECT_EQ(RetryConstantList().At(form.retryConstant), "2");
    EXPECT_FALSE(form.busyTimer);
    EXPECT_TRUE(form.emergencyAcknowledge);

    // Writing the defaults fills the whole option data.
    WriteStatAlert(form, m_record);
    EXPECT_THAT(Bytes(c::kSignalingData, c::kSignalingData + c::kSignalingDataSize),
                ElementsAre(0, 200, 0, 0, 0, 0, 2, 1, 0, 0, 0, 2, 0, 0, 0, 0, 1));
}

TEST_F(ChannelFormsTest, StatAlertChecksInOrderAndWritesItsLayout) {
    m_record.SetU8(c::kSignalingOption, cc::kOptionStatAlert);
    StatAlertForm form = LoadStatAlert(m_record);
    using enum StatAlertNumber;
    form.Number(LeadingPretime) = "60001";
    form.Number(TrailingPretime) = "60001";
    form.defaultRac = "";
    form.Number(RacPretime) = "60001";
    form.Number(LimitedPatience) = "";
    form.Number(DosCoast) = "60001";
    const auto expect = [&form](StatAlertField field, const std::string& message) {
        const auto result = ValidateStatAlert(form);
        EXPECT_EQ(result.field, field);
        EXPECT_EQ(result.message, message);
    };
    expect(StatAlertField::LimitedPatience, "Please enter a positive integer.");
    form.Number(LimitedPatience) = "61";
    expect(StatAlertField::LeadingPretime, "Leading pretime must be between 0 and 60000 ms.");
    form.Number(LeadingPretime) = "60000";
    expect(StatAlertField::TrailingPretime, "Trailing pretime must be between 0 and 60000 ms.");
    form.Number(TrailingPretime) = "1";
    expect(StatAlertField::DefaultRac,
           "Default RAC field cannot be empty.\nValid characters are : 0 to 9 and A to F");
    form.defaultRac = "FFFF";
    expect(StatAlertField::RacPretime, "RAC pretime must be between 0 and 60000 ms.");
    form.Number(RacPretime) = "2";
    expect(StatAlertField::LimitedPatience, "Limited patience must be between 0 and 60 sec.");
    form.Number(LimitedPatience) = "60";
    expect(StatAlertField::DosCoast, "DOS coast must be between 0 and 60000 ms.");
    form.Number(DosCoast) = "3";
    EXPECT_TRUE(ValidateStatAlert(form).Ok());

    form.mode = 2;
    form.pretimeKind = 1;
    form.racMode = 1;
    form.retryConstant = RetryConstantList().IndexOf("6");
    form.busyTimer = true;
    form.emergencyAcknowledge = false;
    WriteStatAlert(form, m_record);
    EXPECT_THAT(Bytes(c::kSignalingData, c::kSignalingData + c::kSignalingDataSize),
                ElementsAre(2, 0x60, 0xEA, 1, 0, 1, 1, 0xFF, 0xFF, 2, 0, 6, 60, 1, 3, 0, 0));
    const StatAlertForm again = LoadStatAlert(m_record);
    EXPECT_EQ(again.defaultRac, "FFFF");
    EXPECT_EQ(RetryConstantList().At(again.retryConstant), "6");
}

TEST_F(ChannelFormsTest, StatAlertSurvivesAnyStoredByte) {
    m_record.SetU8(c::kSignalingOption, cc::kOptionStatAlert);
    m_record.SetU8(c::stat_alert::kMode, 3);
    m_record.SetU8(c::stat_alert::kPretimeKind, 255);
    m_record.SetU8(c::stat_alert::kRacMode, 3);
    m_record.SetU8(c::stat_alert::kRetryConstant, 18);
    m_record.SetU8(c::stat_alert::kLimitedPatience, 200);
    const StatAlertForm form = LoadStatAlert(m_record);
    EXPECT_EQ(form.mode, -1);
    EXPECT_EQ(form.pretimeKind, -1);
    EXPECT_EQ(form.racMode, -1);
    EXPECT_EQ(form.retryConstant, -1);
    EXPECT_EQ(form.Number(StatAlertNumber::LimitedPatience), "200");
    EXPECT_EQ(ValidateStatAlert(form).message, "Limited patience must be between 0 and 60 sec.");
}
