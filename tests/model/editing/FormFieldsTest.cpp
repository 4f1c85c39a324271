// SPDX-License-Identifier: GPL-3.0-or-later
// The kit's rules: character sets, fields by their declarations, typed
// numbers, list indexes and flags.

#include <gmock/gmock.h>

#include "model/ChannelRecord.h"
#include "model/deskset/ChannelFields.h"
#include "model/editing/CharFilter.h"
#include "model/editing/FormFields.h"

namespace c = layout::channel;

TEST(CharFilterTest, EditsCutAtTheFirstCharacterOutsideTheirSet) {
    EXPECT_EQ(CutAtFirstOutside("1a0", charsets::kLevel), "1");
    EXPECT_EQ(CutAtFirstOutside("-30", charsets::kLevel), "-30");
    EXPECT_TRUE(AllWithin("60000", charsets::kDigits));
    EXPECT_FALSE(AllWithin("6 0", charsets::kDigits));
    EXPECT_TRUE(AllWithin("", charsets::kDigits));
    EXPECT_EQ(ToUpperAscii("az\xE9"), "AZ\xE9");
}

TEST(FieldSpecTest, SizesFollowTheStorage) {
    static_assert(c::kHangoverDelay.Size() == 2);
    static_assert(c::kLabels.Size() == 16 * 12);
    static_assert(c::kFunctionTones.At(15).offset == c::kFunctionTones.offset + 30);
    static_assert(c::kFunctionTones.At(15).scale == 10);
    static_assert(c::kDetectionFlags.End() <= c::kSize);
    EXPECT_EQ(layout::deskset::Absolute(layout::deskset::kMuteTimer), 0x0015u);
}

TEST(NumberFieldTest, RangesAtAndBeyondTheirLimits) {
    const Field& duration = channel_fields::kHangoverDelay;
    EXPECT_TRUE(AcceptsNumber(duration, "0"));
    EXPECT_TRUE(AcceptsNumber(duration, "60000"));
    EXPECT_FALSE(AcceptsNumber(duration, "60001"));
    EXPECT_FALSE(AcceptsNumber(duration, ""));
    EXPECT_FALSE(AcceptsNumber(duration, "-1"));                    // no sign on unsigned fields
    EXPECT_FALSE(AcceptsNumber(duration, "99999999999999999999"));  // saturates, then refused

    const Field& level = channel_fields::kHlgtLevel;
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
    const Field& frequency = channel_fields::kTalkPermitFrequency;
    StoreNumber(record, frequency, "3400");
    const std::size_t at = record.Start() + c::kTalkPermitFrequency.offset;
    EXPECT_EQ(image.U8(at), 0xD0);  // 34000 = 0x84D0, little-endian
    EXPECT_EQ(image.U8(at + 1), 0x84);
    EXPECT_EQ(ShowNumber(record, frequency), "3400");

    const Field& level = channel_fields::kHlgtLevel;
    StoreNumber(record, level, "-30");
    EXPECT_EQ(record.U8(c::kHlgtLevel), 0xE2);
    StoreNumber(record, level, "11");  // refused text writes nothing
    EXPECT_EQ(record.U8(c::kHlgtLevel), 0xE2);
    EXPECT_EQ(ShowNumber(record, level), "-30");
    EXPECT_EQ(record.U8(c::kHlgtLevel.End()), 0);  // one byte wide
}

TEST(NumberFieldTest, ListIndexesAndFlags) {
    ConfigImage image;
    ChannelRecord record(image, 0);
    StoreIndex(record, c::kInterface, -1);  // no selection keeps the byte
    EXPECT_EQ(record.U8(c::kInterface), 0);
    StoreIndex(record, c::kInterface, 3);
    EXPECT_EQ(record.U8(c::kInterface), 3);
    record.SetU8(c::kMonitorLatching, 7);
    EXPECT_TRUE(LoadFlag(record, c::kMonitorLatching));
    StoreFlag(record, c::kMonitorLatching, true);
    EXPECT_EQ(record.U8(c::kMonitorLatching), 1);
}
