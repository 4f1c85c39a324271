// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/MessageCodec.h"

#include <gtest/gtest.h>

#include <numeric>

using namespace transfer;

TEST(MessageCodec, UploadIs164BlocksWithTheirOffsetsAndLengths) {
    ConfigImage image;
    for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
        image.SetU8(i, static_cast<std::uint8_t>(i * 31));
    }
    const std::vector<Msg> blocks = BuildUploadBlocks(image);
    ASSERT_EQ(blocks.size(), 164u);
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const std::size_t offset = 100 * i;
        const auto bytes = EncodeMessage(blocks[i]);
        const bool last = i == 163;
        // Offset and data make the payload: 102 bytes (86 for the last), count one more.
        ASSERT_EQ(bytes.size(), last ? 88u : 104u) << i;
        EXPECT_EQ(bytes[0], last ? 87 : 103);
        EXPECT_EQ(bytes[1], 4);
        EXPECT_EQ(bytes[2] + 256 * bytes[3], offset);
        EXPECT_EQ(bytes[4], image.U8(offset));
        EXPECT_EQ(bytes.back(), image.U8(offset + (last ? 83 : 99)));
    }
    EXPECT_EQ(EncodeMessage(blocks.back())[2] + 256 * EncodeMessage(blocks.back())[3], 16300);
}

TEST(MessageCodec, SentPayloadIsCutTo248) {
    std::vector<std::uint8_t> payload(300);
    std::iota(payload.begin(), payload.end(), 0);
    const auto longOne = EncodeMessage(Msg(9, payload));
    EXPECT_EQ(longOne.size(), 250u);
    EXPECT_EQ(longOne[0], 249);
    EXPECT_EQ(longOne.back(), 247);

    payload.resize(247);
    EXPECT_EQ(EncodeMessage(Msg(9, payload))[0], 248);
    const auto empty = EncodeMessage(Msg(1));
    EXPECT_EQ(empty, (std::vector<std::uint8_t>{1, 1}));
}

TEST(MessageCodec, ReceivedMessagesAreCheckedBeforeUse) {
    const std::uint8_t one[] = {1};
    EXPECT_FALSE(DecodeMessage(one, 1));
    const std::uint8_t zeroCount[] = {0, 5};
    EXPECT_FALSE(DecodeMessage(zeroCount, 2));
    const std::uint8_t promisesMore[] = {5, 3, 1, 2};
    EXPECT_FALSE(DecodeMessage(promisesMore, 4));
    // At the boundary: a count one larger than what arrived would read past the data.
    const std::uint8_t oneShort[] = {4, 3, 1, 2};
    EXPECT_FALSE(DecodeMessage(oneShort, 4));
    const std::uint8_t exact[] = {3, 3, 1, 2};
    const auto whole = DecodeMessage(exact, 4);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->Payload(), (std::vector<std::uint8_t>{1, 2}));
    const std::uint8_t typeOnly[] = {1, 6};
    ASSERT_TRUE(DecodeMessage(typeOnly, 2));
    EXPECT_TRUE(DecodeMessage(typeOnly, 2)->Payload().empty());
    const std::uint8_t typeMissing[] = {2, 6};
    EXPECT_FALSE(DecodeMessage(typeMissing, 2));

    const std::uint8_t version[] = {3, 1, 0xAA, 0xBB, 0xCC};  // trailing byte beyond the count
    const auto message = DecodeMessage(version, 5);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->Type(), 1);
    EXPECT_EQ(message->Payload(), (std::vector<std::uint8_t>{0xAA, 0xBB}));

    std::vector<std::uint8_t> big(250, 7);
    big[0] = 255;  // taken as at most 248: a payload of 247 bytes
    const auto clamped = DecodeMessage(big.data(), big.size());
    ASSERT_TRUE(clamped);
    EXPECT_EQ(clamped->Payload().size(), 247u);
}

TEST(MessageCodec, ImageBlocksMustLieInsideTheImage) {
    EXPECT_FALSE(ParseImageBlock(Msg(3, {0x10})));
    std::vector<std::uint8_t> lastBlock{0xAC, 0x3F};  // 16300
    lastBlock.resize(2 + 84, 1);
    const auto block = ParseImageBlock(Msg(3, lastBlock));
    ASSERT_TRUE(block);
    EXPECT_EQ(block->offset, 16300u);
    EXPECT_EQ(block->length, 84u);
    lastBlock.push_back(1);  // one byte past the end of the image
    EXPECT_FALSE(ParseImageBlock(Msg(3, lastBlock)));
    EXPECT_FALSE(ParseImageBlock(Msg(3, {0xFF, 0xFF, 1})));
}
