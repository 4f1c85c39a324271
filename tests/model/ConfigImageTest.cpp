// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ConfigImage.h"

#include <gtest/gtest.h>

#include "model/ChannelRecord.h"

TEST(ConfigImage, SixteenBitValuesAreLittleEndianAtAnyOffset) {
    ConfigImage image;
    image.SetU16(0x0018, 500);
    EXPECT_EQ(image.U8(0x0018), 0xF4);
    EXPECT_EQ(image.U8(0x0019), 0x01);
    image.SetU16(0x01D9, 0xBEEF);  // odd offset
    EXPECT_EQ(image.U8(0x01D9), 0xEF);
    EXPECT_EQ(image.U8(0x01DA), 0xBE);
    EXPECT_EQ(image.U16(0x01D9), 0xBEEF);
    image.SetS8(5, -5);
    EXPECT_EQ(image.U8(5), 0xFB);
    EXPECT_EQ(image.S8(5), -5);
}

TEST(ConfigImage, TextsArePaddedAndFullWidthTextsHaveNoTerminator) {
    ConfigImage image;
    image.Bytes()[0x30] = 0xAA;  // a stale byte inside the field is overwritten by padding
    image.SetText(0x2C, 8, "AB");
    EXPECT_EQ(image.U8(0x2C), 'A');
    for (std::size_t i = 0x2E; i < 0x34; ++i) {
        EXPECT_EQ(image.U8(i), 0) << i;
    }
    EXPECT_EQ(image.Text(0x2C, 8), "AB");

    ChannelRecord record(image, 0);
    record.SetLabel(0, "ABCDEFGHIJKL");
    record.SetLabel(1, "next");
    EXPECT_EQ(record.Label(0), "ABCDEFGHIJKL");  // reader stops after 12 bytes
    EXPECT_EQ(record.Label(1), "next");
    record.SetLabel(2, "THIRTEEN CHAR");  // longer text is cut at the field width
    EXPECT_EQ(record.Label(2), "THIRTEEN CHA");
    EXPECT_EQ(record.Label(3), "");
}

TEST(ConfigImage, AccessOutsideTheImageOrATableIsRefused) {
    ConfigImage image;
    EXPECT_THROW(image.U8(16384), std::out_of_range);
    EXPECT_THROW(image.U16(16383), std::out_of_range);
    EXPECT_THROW(image.Text(16380, 8), std::out_of_range);
    EXPECT_THROW(ChannelRecord(image, 4), std::out_of_range);
    EXPECT_THROW(ChannelRecord(image, 0).Label(16), std::out_of_range);
    EXPECT_EQ(ChannelRecord(image, 3).Start() + layout::channel::kSize, 0x0800u);
}

TEST(ConfigImage, ClearImageZeroesTheProcessImageOnly) {
    TheImage().SetU8(100, 7);
    TheReceivedImage().SetU8(100, 9);
    ClearImage();
    EXPECT_EQ(TheImage(), ConfigImage{});
    EXPECT_EQ(TheReceivedImage().U8(100), 9);
    TheReceivedImage().Clear();
}
