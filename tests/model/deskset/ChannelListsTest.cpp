// SPDX-License-Identifier: GPL-3.0-or-later
// The channel wizard's list entries and the conversions between stored bytes and shown texts.

#include <gmock/gmock.h>

#include "model/deskset/ChannelConversions.h"
#include "model/deskset/ChannelLists.h"

using ::testing::ElementsAre;

TEST(ChannelListsTest, LevelListRisesFromMinus30To11WithABlankForMinus9ToMinus1) {
    const auto& entries = LevelList().Entries();
    ASSERT_EQ(entries.size(), 42u);
    EXPECT_EQ(entries.front(), "-30");
    EXPECT_EQ(entries[20], "-10");
    EXPECT_EQ(entries[21], "- 9");
    EXPECT_EQ(entries[29], "- 1");
    EXPECT_EQ(entries[30], "0");
    EXPECT_EQ(entries.back(), "11");

    EXPECT_EQ(LevelIndex(-5), LevelList().IndexOf("- 5"));
    EXPECT_EQ(LevelOfEntry(LevelList().IndexOf("- 5")), std::int8_t{-5});
    EXPECT_EQ(LevelOfEntry(LevelList().IndexOf("-24")), std::int8_t{-24});
    EXPECT_EQ(LevelIndex(-24), 6);
    // Stored levels the list does not hold select nothing; nothing selected has no level.
    EXPECT_EQ(LevelIndex(12), -1);
    EXPECT_EQ(LevelIndex(-31), -1);
    EXPECT_EQ(LevelIndex(-128), -1);
    EXPECT_EQ(LevelOfEntry(-1), std::nullopt);
    EXPECT_EQ(LevelOfEntry(42), std::nullopt);
}

TEST(ChannelListsTest, LevelTextsReadBack) {
    EXPECT_EQ(LevelFromText("- 9"), -9);
    EXPECT_EQ(LevelFromText("-9"), -9);
    EXPECT_EQ(LevelFromText("11"), 11);
    EXPECT_EQ(LevelFromText("0"), 0);
    EXPECT_EQ(LevelFromText(""), std::nullopt);
    EXPECT_EQ(LevelFromText("-"), std::nullopt);
    EXPECT_EQ(LevelFromText("- -5"), std::nullopt);
    EXPECT_EQ(LevelFromText("5x"), std::nullopt);
}

TEST(ChannelListsTest, DcCurrentsInHalfMilliamperes) {
    const auto& entries = DcCurrentList().Entries();
    ASSERT_EQ(entries.size(), 63u);
    EXPECT_EQ(entries.front(), "-15.5");
    EXPECT_EQ(entries[1], "-15.0");
    EXPECT_EQ(entries[30], "-0.5");
    EXPECT_EQ(entries[31], "0.0");
    EXPECT_EQ(entries[32], "0.5");
    EXPECT_EQ(entries.back(), "15.5");

    EXPECT_EQ(DcCurrentText(-5), "-2.5");
    EXPECT_EQ(DcCurrentText(25), "12.5");
    EXPECT_EQ(DcCurrentText(-1), "-0.5");
    EXPECT_EQ(DcCurrentText(-128), "-64.0");
    EXPECT_EQ(DcCurrentText(127), "63.5");

    EXPECT_EQ(static_cast<std::uint8_t>(DcCurrentOfEntry(DcCurrentList().IndexOf("-0.5"))), 0xFF);
    EXPECT_EQ(DcCurrentOfEntry(DcCurrentList().IndexOf("15.5")), 31);
    EXPECT_EQ(DcCurrentOfEntry(DcCurrentList().IndexOf("-15.5")), -31);
    EXPECT_EQ(DcCurrentOfEntry(-1), 0);      // no selection
    EXPECT_EQ(DcCurrentFromText("0.7"), 1);  // cut toward zero
    EXPECT_EQ(DcCurrentFromText("-0.7"), -1);
    EXPECT_EQ(DcCurrentFromText("999"), 127);
    EXPECT_EQ(DcCurrentFromText("x"), 0);

    EXPECT_EQ(DcCurrentIndex(11), DcCurrentList().IndexOf("5.5"));
    EXPECT_EQ(DcCurrentIndex(32), -1);
    EXPECT_EQ(DcCurrentIndex(-32), -1);
}

TEST(ChannelListsTest, ToneFrequenciesInTenthsOfHertz) {
    EXPECT_THAT(ToneList().Entries(),
                ElementsAre("None", "550", "650", "750", "850", "950", "1050", "1150", "1250",
                            "1350", "1450", "1550", "1650", "1750", "1850", "1950", "2050"));
    EXPECT_THAT(GuardToneList().Entries(), ElementsAre("2100", "2175", "2300", "2325"));

    EXPECT_EQ(ToneText(0), "None");
    EXPECT_EQ(ToneText(9), "None");  // f / 10 is 0
    EXPECT_EQ(ToneText(19500), "1950");
    EXPECT_EQ(ToneText(19509), "1950");
    EXPECT_EQ(GuardToneText(0), "0");
    EXPECT_EQ(ToneIndex(0), 0);
    EXPECT_EQ(ToneIndex(20500), 16);
    EXPECT_EQ(ToneIndex(21750), -1);
    EXPECT_EQ(GuardToneIndex(21750), 1);
    EXPECT_EQ(GuardToneIndex(22000), -1);  // 2200 Hz is no guard tone
    EXPECT_EQ(GuardToneIndex(0), -1);

    EXPECT_EQ(ToneOfEntry(GuardToneList(), 3), 23250);
    EXPECT_EQ(ToneOfEntry(ToneList(), 0), 0);
    EXPECT_EQ(ToneOfEntry(ToneList(), 1), 5500);
    EXPECT_EQ(ToneOfEntry(GuardToneList(), -1), 0);
    EXPECT_EQ(ToneFromText("6554"), 0);  // does not fit 16 bits
    EXPECT_EQ(ToneFromText("6553"), 65530);
}

TEST(ChannelListsTest, DefaultRacInHexadecimal) {
    EXPECT_EQ(RacText(1), "1");
    EXPECT_EQ(RacText(0xFFFF), "FFFF");
    EXPECT_EQ(RacText(0x0A0B), "A0B");
    EXPECT_EQ(RacFromText("FFFF"), 0xFFFF);
    EXPECT_EQ(RacFromText("a0b"), 0x0A0B);
    EXPECT_EQ(RacFromText("0"), 0);
    EXPECT_EQ(RacFromText(""), std::nullopt);
    EXPECT_EQ(RacFromText("10000"), std::nullopt);
    EXPECT_EQ(RacFromText("1G"), std::nullopt);
}

TEST(ChannelListsTest, CodeListsAndIndexes) {
    EXPECT_THAT(InterfaceList().Entries(),
                ElementsAre("2 Wires", "4 Wires", "4 Wires (duplex)", "4 Wires Full Duplex"));
    EXPECT_THAT(TerminationList().Entries(), ElementsAre("600", "10 000"));
    EXPECT_THAT(ParallelStatusList().Entries(),
                ElementsAre("Parallel Off", "Parallel Lobl", "Parallel Status"));
    EXPECT_THAT(CrossMuteList().Entries(), ElementsAre("RCU Off", "RCU On", "RCU Cross Mute"));
    EXPECT_THAT(AssignmentList().Entries(), ElementsAre("None", "1", "2", "3", "4"));
    EXPECT_THAT(DigitCountList().Entries(), ElementsAre("1", "2", "3", "4", "5", "6", "7", "8"));
    ASSERT_EQ(RetryConstantList().Size(), 16);
    EXPECT_EQ(RetryConstantList().At(0), "2");
    EXPECT_EQ(RetryConstantList().At(15), "17");

    EXPECT_EQ(InterfaceList().IndexOfCode(3), 3);
    EXPECT_EQ(InterfaceList().IndexOfCode(4), -1);
    EXPECT_EQ(InterfaceList().IndexOfCode(-1), -1);
    EXPECT_EQ(InterfaceList().At(-1), "");
    EXPECT_EQ(InterfaceList().At(4), "");
}
