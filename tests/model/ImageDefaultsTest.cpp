// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ImageDefaults.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "model/ManualPage.h"

namespace {

// The expected non-zero bytes of a new database, written out independently of the code.
std::map<std::size_t, std::uint8_t> ExpectedNonZeroBytes() {
    std::map<std::size_t, std::uint8_t> bytes;
    const std::string header = "ZEL DESKSET V001";
    for (std::size_t i = 0; i < header.size(); ++i) {
        bytes[i] = static_cast<std::uint8_t>(header[i]);
    }
    bytes[0x10] = 1;
    bytes[0x12] = 3;
    bytes[0x14] = 1;
    bytes[0x15] = 30;
    bytes[0x17] = 2;
    bytes[0x1E] = 1;
    bytes[0x1F] = 1;
    bytes[0x21] = 1;
    for (std::size_t k = 0; k < 18; ++k) {
        bytes[0x80 + 2 * k + 1] = 255;
    }
    for (std::size_t n = 0; n < 4; ++n) {
        const std::size_t c = 0x100 + 448 * n;
        for (std::size_t f = 0; f < 4; ++f) {
            const std::string label = "Freq " + std::to_string(f + 1);
            for (std::size_t i = 0; i < label.size(); ++i) {
                bytes[c + 12 * f + i] = static_cast<std::uint8_t>(label[i]);
            }
        }
        bytes[c + 0xC0] = 1;
        bytes[c + 0xC2] = 232;
        bytes[c + 0xC4] = 0xD0;  // 2000
        bytes[c + 0xC5] = 0x07;
        bytes[c + 0xC6] = 2;
        bytes[c + 0xC7] = 1;
        bytes[c + 0xD0] = 0xF6;  // 21750
        bytes[c + 0xD1] = 0x54;
        bytes[c + 0xD2] = 125;
        bytes[c + 0xD4] = 40;
        bytes[c + 0xD6] = 10;
        bytes[c + 0xD8] = 236;
        bytes[c + 0xD9] = 0x2C;  // 19500
        bytes[c + 0xDA] = 0x4C;
        bytes[c + 0xDB] = 0x44;  // 18500
        bytes[c + 0xDC] = 0x48;
        bytes[c + 0xDD] = 0x5C;  // 17500
        bytes[c + 0xDE] = 0x44;
        bytes[c + 0xDF] = 0x74;  // 16500
        bytes[c + 0xE0] = 0x40;
        bytes[c + 0xF9] = 0x14;  // 20500
        bytes[c + 0xFA] = 0x50;
        bytes[c + 0x10B] = 11;
        bytes[c + 0x10C] = 25;
        bytes[c + 0x10D] = 245;
        bytes[c + 0x10E] = 231;
        bytes[c + 0x10F] = 251;
        bytes[c + 0x12B] = 0xAC;  // 3500
        bytes[c + 0x12C] = 0x0D;
        bytes[c + 0x12D] = 0x28;  // 9000
        bytes[c + 0x12E] = 0x23;
        bytes[c + 0x12F] = 20;
        bytes[c + 0x131] = 20;
        bytes[c + 0x133] = 3;
        bytes[c + 0x134] = 20;
    }
    return bytes;
}

}  // namespace

TEST(ImageDefaults, NewDatabaseIsByteExact) {
    ConfigImage image;
    SetImageDefaults(image);
    const auto expected = ExpectedNonZeroBytes();
    for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
        const auto it = expected.find(i);
        const std::uint8_t want = it == expected.end() ? 0 : it->second;
        ASSERT_EQ(image.U8(i), want) << "offset 0x" << std::hex << i;
    }
    EXPECT_FALSE(AnyManualPageExists(image));
}

TEST(ImageDefaults, OnlyTheListedBytesAreWritten) {
    ConfigImage image;
    for (auto& b : image.Bytes()) {
        b = 0x5A;
    }
    SetImageDefaults(image);
    const auto expected = ExpectedNonZeroBytes();
    // Bytes the defaults leave alone, spot-checked in every area.
    for (std::size_t offset : {0x11u, 0x16u, 0x1Au, 0x1Du, 0x23u, 0x7Fu, 0xA4u, 0xFFu}) {
        EXPECT_EQ(image.U8(offset), 0x5A) << offset;
    }
    for (std::size_t n = 0; n < 4; ++n) {
        const std::size_t c = 0x100 + 448 * n;
        for (std::size_t field : {0x112u, 0x119u, 0x129u, 0x12Au, 0x136u, 0x145u, 0x146u, 0x1BFu}) {
            EXPECT_EQ(image.U8(c + field), 0x5A) << n << " " << field;
        }
        EXPECT_EQ(image.U8(c + 0x111), 0);   // empty deskset ID: one NUL
        EXPECT_EQ(image.U8(c + 12 * 5), 0);  // labels 5 to 16 are emptied
    }
    // Every list slot is freed by its first byte only.
    EXPECT_EQ(image.U8(0x0800), 0);
    EXPECT_EQ(image.U8(0x0801), 0x5A);
    EXPECT_EQ(image.U8(0x0800 + 24 * 15), 0);
    EXPECT_EQ(image.U8(0x0980 + 14 * 99), 0);
    EXPECT_EQ(image.U8(0x0981), 0x5A);
    EXPECT_EQ(image.U8(0x0EF8 + 25 * 249), 0);
    EXPECT_EQ(image.U8(0x2762 + 21 * 249), 0);
    EXPECT_EQ(image.U8(0x2763), 0x5A);
    EXPECT_EQ(image.U8(0x3BE4), 0x5A);
    EXPECT_EQ(image.U8(0x3FFF), 0x5A);
}

TEST(ImageDefaults, ChannelDefaultsRestoreOneRecordAlone) {
    ConfigImage image;
    SetImageDefaults(image);
    const ConfigImage fresh = image;
    for (std::size_t i = 0x2C0; i < 0x480; ++i) {
        image.SetU8(i, 0x77);
    }
    image.SetU8(0x100, 'X');  // channel 1 must keep its edit
    SetChannelDefaults(image, 1);
    EXPECT_EQ(image.U8(0x100), 'X');
    EXPECT_EQ(image.U8(0x2C0 + 0x12A), 0x77);  // signaling relay is not a default
    image.SetU8(0x2C0 + 0x12A, 0);
    for (std::size_t i = 0x2C0 + 0x119; i < 0x2C0 + 0x12A; ++i) {
        image.SetU8(i, 0);
    }
    for (std::size_t i = 0x2C0 + 0x112; i < 0x2C0 + 0x119; ++i) {
        image.SetU8(i, 0);
    }
    for (std::size_t i = 0x2C0 + 0x136; i < 0x480; ++i) {
        image.SetU8(i, 0);
    }
    image.SetU8(0x100, fresh.U8(0x100));
    EXPECT_EQ(image, fresh);
}
