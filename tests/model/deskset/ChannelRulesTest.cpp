// SPDX-License-Identifier: GPL-3.0-or-later
// The channel edits' character filters and the wizard's page sequence.

#include <gmock/gmock.h>

#include "model/ChannelRecord.h"
#include "model/deskset/ChannelCodes.h"
#include "model/deskset/ChannelFilters.h"
#include "model/deskset/PageSequence.h"

using ::testing::ElementsAre;
namespace cc = channel_codes;

TEST(CharFilterTest, DesksetIdAndRacFollowTheirSets) {
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

    EXPECT_EQ(FilterRac("1G"), "1");
    EXPECT_EQ(FilterRac("ffff"), "FFFF");
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
