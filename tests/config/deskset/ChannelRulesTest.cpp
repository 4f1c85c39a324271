// Character filters, typed numbers and the wizard's page sequence.

#include <gmock/gmock.h>

#include "app/ChannelRecord.h"
#include "config/common/CharFilter.h"
#include "config/common/FormFields.h"
#include "config/deskset/ChannelCodes.h"
#include "config/deskset/ChannelFilters.h"
#include "config/deskset/PageSequence.h"

using ::testing::ElementsAre;
namespace cc = channel_codes;

TEST(CharFilterTest, EditsCutAtTheFirstCharacterOutsideTheirSet) {
    EXPECT_EQ(FilterDesksetId("12G4", cc::kOptionStatAlert), "12");
    EXPECT_EQ(FilterDesksetId("1*#A", cc::kOptionDtmfSelectiveCall), "1*#A");
    EXPECT_EQ(FilterDesksetId("1E", cc::kOptionDtmfSelectiveCall), "1");
    EXPECT_EQ(FilterDesksetId("1*", cc::kOptionStatAlert), "1");
    EXPECT_EQ(FilterDesksetId("abcdef", cc::kOptionStatAlert), "ABCDEF");  // forced upper case
    EXPECT_EQ(FilterDesksetId("ab-c", cc::kOptionDtmfDecode), "AB-C");     // no set to keep
    EXPECT_EQ(FilterDesksetId("xyz", cc::kOptionDtmfDecode), "XYZ");       // the whole alphabet
    EXPECT_EQ(FilterDesksetId("\xE9"
                              "1",
                              cc::kOptionStatAlert),
              "");

    EXPECT_EQ(CutAtFirstOutside("1a0", charsets::kLevel), "1");
    EXPECT_EQ(CutAtFirstOutside("-30", charsets::kLevel), "-30");
    EXPECT_EQ(FilterRac("1G"), "1");
    EXPECT_EQ(FilterRac("ffff"), "FFFF");
    EXPECT_TRUE(AllWithin("60000", charsets::kDigits));
    EXPECT_FALSE(AllWithin("6 0", charsets::kDigits));
    EXPECT_TRUE(AllWithin("", charsets::kDigits));
}

TEST(NumberFieldTest, RangesAtAndBeyondTheirLimits) {
    const NumberField duration{0, NumberField::Storage::U16, 1, 0, 60000, "m"};
    EXPECT_TRUE(AcceptsNumber(duration, "0"));
    EXPECT_TRUE(AcceptsNumber(duration, "60000"));
    EXPECT_FALSE(AcceptsNumber(duration, "60001"));
    EXPECT_FALSE(AcceptsNumber(duration, ""));
    EXPECT_FALSE(AcceptsNumber(duration, "-1"));                    // no sign on unsigned fields
    EXPECT_FALSE(AcceptsNumber(duration, "99999999999999999999"));  // saturates, then refused

    const NumberField level{0, NumberField::Storage::S8, 1, -30, 10, "m"};
    EXPECT_TRUE(AcceptsNumber(level, "10"));
    EXPECT_TRUE(AcceptsNumber(level, "-30"));
    EXPECT_FALSE(AcceptsNumber(level, "11"));
    EXPECT_FALSE(AcceptsNumber(level, "-31"));
    EXPECT_FALSE(AcceptsNumber(level, "-"));
    EXPECT_FALSE(AcceptsNumber(level, "1-2"));

    EXPECT_EQ(ParseDecimal("007", false), 7);
    EXPECT_EQ(ParseDecimal("-0", true), 0);
    EXPECT_EQ(ParseDecimal("+5", true), std::nullopt);
}

TEST(NumberFieldTest, StoresWithItsWidthAndScale) {
    ConfigImage image;
    ChannelRecord record(image, 2);
    const NumberField frequency{0x12D, NumberField::Storage::U16, 10, 200, 3400, "m"};
    StoreNumber(record, frequency, "3400");
    EXPECT_EQ(image.U8(record.Start() + 0x12D), 0xD0);  // 34000 = 0x84D0, little-endian
    EXPECT_EQ(image.U8(record.Start() + 0x12E), 0x84);
    EXPECT_EQ(ShowNumber(record, frequency), "3400");

    const NumberField level{0x0D6, NumberField::Storage::S8, 1, -30, 10, "m"};
    StoreNumber(record, level, "-30");
    EXPECT_EQ(image.U8(record.Start() + 0x0D6), 0xE2);
    StoreNumber(record, level, "11");  // refused text writes nothing
    EXPECT_EQ(image.U8(record.Start() + 0x0D6), 0xE2);
    EXPECT_EQ(ShowNumber(record, level), "-30");
    EXPECT_EQ(image.U8(record.Start() + 0x0D7), 0);
}

TEST(NumberFieldTest, ListIndexesAndFlags) {
    ConfigImage image;
    ChannelRecord record(image, 0);
    StoreIndex(record, 0x0C0, -1);  // no selection keeps the byte
    EXPECT_EQ(record.U8(0x0C0), 0);
    StoreIndex(record, 0x0C0, 3);
    EXPECT_EQ(record.U8(0x0C0), 3);
    record.SetU8(0x0CB, 7);
    EXPECT_TRUE(LoadFlag(record, 0x0CB));
    StoreFlag(record, 0x0CB, true);
    EXPECT_EQ(record.U8(0x0CB), 1);
}

TEST(PageSequenceTest, RowsByKeyingAndSignalingOption) {
    using enum PageCode;
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingTone, cc::kOptionNone),
                ElementsAre(TonePlan1, TonePlan2, TalkPermitTone));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingTone, cc::kOptionStatAlert),
                ElementsAre(TonePlan1, TonePlan2, TalkPermitTone, StatAlert));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingTone, cc::kOptionDtmfDecode),
                ElementsAre(TonePlan1, TonePlan2, TalkPermitTone, DtmfDecode));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingTone, cc::kOptionDtmfSelectiveCall),
                ElementsAre(TonePlan1, TonePlan2, TalkPermitTone, DtmfSelectiveCall));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingDc, cc::kOptionNone),
                ElementsAre(DcPlan, TalkPermitTone));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingDc, cc::kOptionStatAlert),
                ElementsAre(DcPlan, TalkPermitTone, StatAlert));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingDc, cc::kOptionDtmfDecode),
                ElementsAre(DcPlan, TalkPermitTone, DtmfDecode));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingDc, cc::kOptionDtmfSelectiveCall),
                ElementsAre(DcPlan, TalkPermitTone, DtmfSelectiveCall));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingNone, cc::kOptionNone),
                ElementsAre(TalkPermitTone));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingNone, cc::kOptionStatAlert),
                ElementsAre(TalkPermitTone, StatAlert));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingNone, cc::kOptionDtmfDecode),
                ElementsAre(TalkPermitTone, DtmfDecode));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingNone, cc::kOptionDtmfSelectiveCall),
                ElementsAre(TalkPermitTone, DtmfSelectiveCall));

    // Unknown stored codes (no radio selected) add no pages of their own.
    EXPECT_THAT(PagesAfterChannelPage(-1, cc::kOptionDtmfDecode),
                ElementsAre(TalkPermitTone, DtmfDecode));
    EXPECT_THAT(PagesAfterChannelPage(cc::kKeyingDc, -1), ElementsAre(DcPlan, TalkPermitTone));
    EXPECT_THAT(PagesAfterChannelPage(7, 9), ElementsAre(TalkPermitTone));
}

TEST(PageSequenceTest, TitlesTopicsAndBackChecks) {
    using enum PageCode;
    EXPECT_EQ(PageTitleSuffix(TonePlan1), "Tone Signaling Plan (part 1)");
    EXPECT_EQ(PageTitleSuffix(TonePlan2), "Tone Signaling Plan (part 2)");
    EXPECT_EQ(PageTitleSuffix(DcPlan), "DC Signaling Plan");
    EXPECT_EQ(PageTitleSuffix(StatAlert), "Stat Alert Setup");
    EXPECT_EQ(PageTitleSuffix(DtmfDecode), "DTMF Decode Setup");
    EXPECT_EQ(PageTitleSuffix(DtmfSelectiveCall), "DTMF Selective Call Setup");
    EXPECT_EQ(PageTitleSuffix(TalkPermitTone), "Talk Permit Tone Setup");
    EXPECT_EQ(PageHelpTopic(Channel), 126);
    EXPECT_EQ(PageHelpTopic(DcPlan), 129);
    EXPECT_EQ(PageHelpTopic(TonePlan1), 75);
    EXPECT_EQ(PageHelpTopic(TonePlan2), 114);
    EXPECT_EQ(PageHelpTopic(TalkPermitTone), 102);
    EXPECT_EQ(PageHelpTopic(DtmfDecode), 188);
    EXPECT_EQ(PageHelpTopic(DtmfSelectiveCall), 186);
    EXPECT_EQ(PageHelpTopic(StatAlert), 187);
    EXPECT_EQ(PageHelpTopic(End), 126);
    for (PageCode code : {TonePlan1, TalkPermitTone, StatAlert, DtmfDecode, DtmfSelectiveCall}) {
        EXPECT_TRUE(PageValidatesOnBack(code));
    }
    for (PageCode code : {Channel, TonePlan2, DcPlan}) {
        EXPECT_FALSE(PageValidatesOnBack(code));
    }
}
