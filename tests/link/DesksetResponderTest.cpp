// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CDesksetResponder.h"
#include "DefaultImage.h"
#include "transfer/MessageCodec.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Responder = CDesksetResponder;

Bytes Request(uint8_t type, const Bytes& payload = {}) {
    return transfer::EncodeMessage(Msg(type, payload));
}

std::vector<Bytes> Ask(Responder& responder, const Bytes& message) {
    return responder.Handle(message.data(), static_cast<int>(message.size()));
}

Bytes TestImage() {
    Bytes image(16384);
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    }
    return image;
}

// The 164 upload blocks of an image, as the program sends them.
std::vector<Bytes> UploadBlocks(const Bytes& image) {
    std::vector<Bytes> blocks;
    for (int offset = 0; offset < 16384; offset += 100) {
        const int count = offset <= 16284 ? 100 : 16384 - offset;
        Bytes payload(2 + count);
        payload[0] = static_cast<uint8_t>(offset & 0xFF);
        payload[1] = static_cast<uint8_t>(offset >> 8);
        std::copy_n(image.begin() + offset, count, payload.begin() + 2);
        blocks.push_back(Request(4, payload));
    }
    return blocks;
}

TEST(DesksetResponderTest, AnswersVersionAndHardware) {
    DesksetSimOptions options;
    Responder responder(options);
    const auto version = Ask(responder, Request(1));
    ASSERT_EQ(version.size(), 1u);
    const std::string header = "ZEL DESKSET V001";
    Bytes expected{17, 1};
    expected.insert(expected.end(), header.begin(), header.end());
    EXPECT_EQ(version[0], expected);
    EXPECT_EQ(Ask(responder, Request(2)), std::vector<Bytes>{(Bytes{2, 2, 0})});

    options.version = "ZEL DESKSET V002";
    options.hardware = 3;
    Responder other(options);
    EXPECT_EQ(Ask(other, Request(1))[0][17], '2');
    EXPECT_EQ(Ask(other, Request(2)), std::vector<Bytes>{(Bytes{2, 2, 3})});

    // Whatever version text it is told to answer, short or long, goes out whole.
    for (const std::string& text : {std::string(), std::string("V1"), std::string(247, 'x')}) {
        options.version = text;
        Responder told(options);
        const auto answer = Ask(told, Request(1));
        ASSERT_EQ(answer.size(), 1u);
        Bytes whole{static_cast<uint8_t>(text.size() + 1), 1};
        whole.insert(whole.end(), text.begin(), text.end());
        EXPECT_EQ(answer[0], whole);
    }

    // Short messages, messages whose count byte promises more than arrived,
    // and types that are no request get no answer.
    EXPECT_TRUE(responder.Handle(Bytes{1}.data(), 1).empty());
    EXPECT_TRUE(Ask(responder, Bytes{5, 2, 0}).empty());
    for (uint8_t type : {0, 5, 6, 7, 8, 9, 200}) {
        EXPECT_TRUE(Ask(responder, Request(type)).empty()) << int(type);
    }
}

TEST(DesksetResponderTest, DownloadSendsTheImageIn164BlocksThenCompleted) {
    DesksetSimOptions options;
    options.image = TestImage();
    Responder responder(options);
    const auto messages = Ask(responder, Request(3, {0}));
    ASSERT_EQ(messages.size(), 165u);
    Bytes rebuilt(16384, 0);
    for (size_t i = 0; i < 164; ++i) {
        const Bytes& block = messages[i];
        const size_t expectedSize = i < 163 ? 104 : 88;
        ASSERT_EQ(block.size(), expectedSize) << "block " << i;
        EXPECT_EQ(block[0], expectedSize - 1) << "count byte";
        EXPECT_EQ(block[1], 3);
        const int offset = block[2] + 256 * block[3];
        EXPECT_EQ(offset, static_cast<int>(i * 100));
        std::copy(block.begin() + 4, block.end(), rebuilt.begin() + offset);
    }
    EXPECT_EQ(rebuilt, options.image);
    EXPECT_EQ(messages[164], (Bytes{1, 7}));
    EXPECT_EQ(responder.Downloads(), 1);

    options.failDownload = true;
    Responder failing(options);
    EXPECT_EQ(Ask(failing, Request(3, {0})), std::vector<Bytes>{(Bytes{1, 8})});
}

TEST(DesksetResponderTest, DefaultDatabaseIsANewDatabase) {
    DesksetSimOptions options;
    Responder responder(options);
    const Bytes& image = responder.Image();
    ASSERT_EQ(image.size(), 16384u);
    EXPECT_EQ(std::string(image.begin(), image.begin() + 16), "ZEL DESKSET V001");
    EXPECT_EQ(image, DefaultImage());
}

TEST(DesksetResponderTest, UploadIsStoredWhenEveryByteHasArrived) {
    DesksetSimOptions options;
    Responder responder(options);
    Bytes saved;
    responder.SetUploadSink([&](const Bytes& image) { saved = image; });
    const Bytes image = TestImage();
    const auto blocks = UploadBlocks(image);
    ASSERT_EQ(blocks.size(), 164u);
    // Out of order and with a repeat: completion depends on coverage, not count.
    for (size_t i = 163; i >= 1; --i) {
        EXPECT_TRUE(Ask(responder, blocks[i]).empty());
    }
    EXPECT_TRUE(Ask(responder, blocks[5]).empty());
    EXPECT_EQ(responder.CompletedUploads(), 0);
    EXPECT_EQ(Ask(responder, blocks[0]), std::vector<Bytes>{(Bytes{1, 5})});
    EXPECT_EQ(responder.CompletedUploads(), 1);
    EXPECT_EQ(responder.Image(), image);
    EXPECT_EQ(saved, image);

    // A later download serves what was uploaded.
    const auto download = Ask(responder, Request(3, {0}));
    EXPECT_EQ(Bytes(download[0].begin() + 4, download[0].end()),
              Bytes(image.begin(), image.begin() + 100));
}

TEST(DesksetResponderTest, RefusedUploadsAndBadBlocks) {
    DesksetSimOptions options;
    options.failUpload = true;
    Responder responder(options);
    const Bytes before = responder.Image();
    const auto blocks = UploadBlocks(TestImage());
    std::vector<Bytes> answers;
    for (const Bytes& block : blocks) {
        for (Bytes& answer : Ask(responder, block)) {
            answers.push_back(answer);
        }
    }
    EXPECT_EQ(answers, std::vector<Bytes>{(Bytes{1, 6})});
    EXPECT_EQ(responder.Image(), before);

    // A block running past the end, or without its offset, is dropped.
    Responder plain(DesksetSimOptions{});
    Bytes pastEnd{0xD0, 0x3F};  // offset 16336
    pastEnd.resize(2 + 100, 1);
    EXPECT_TRUE(Ask(plain, Request(4, pastEnd)).empty());
    EXPECT_TRUE(Ask(plain, Request(4, {1})).empty());

    // A new version request starts the upload afresh.
    for (size_t i = 0; i < 100; ++i) {
        Ask(plain, blocks[i]);
    }
    Ask(plain, Request(1));
    for (size_t i = 100; i < 164; ++i) {
        EXPECT_TRUE(Ask(plain, blocks[i]).empty());
    }
}

TEST(DesksetResponderTest, SilentAndLimitedAnswers) {
    DesksetSimOptions options;
    options.silent = true;
    Responder silent(options);
    EXPECT_TRUE(Ask(silent, Request(1)).empty());
    EXPECT_TRUE(Ask(silent, Request(3, {0})).empty());

    options.silent = false;
    options.answerLimit = 2;
    Responder limited(options);
    EXPECT_EQ(Ask(limited, Request(1)).size(), 1u);
    EXPECT_EQ(Ask(limited, Request(2)).size(), 1u);
    EXPECT_TRUE(Ask(limited, Request(3, {0})).empty());
    EXPECT_TRUE(Ask(limited, Request(1)).empty());
}

TEST(DesksetResponderTest, StopsPartWayWhenToldAndAnswersAgainAfterwards) {
    DesksetSimOptions options;
    Responder responder(options);
    responder.StopPartWay(-1, 5);
    const auto served = Ask(responder, Request(3, {0}));
    ASSERT_EQ(served.size(), 5u) << "five blocks and no outcome";
    EXPECT_EQ(served.back()[1], 3);

    responder.StopPartWay(2, -1);
    const std::vector<Bytes> blocks = UploadBlocks(TestImage());
    EXPECT_EQ(Ask(responder, Request(1)).size(), 1u);
    EXPECT_EQ(Ask(responder, blocks[0]).size(), 0u);
    EXPECT_TRUE(Ask(responder, Request(1)).empty()) << "the third message goes unanswered";
    EXPECT_TRUE(Ask(responder, Request(3, {0})).empty());

    responder.AnswerAgain();
    EXPECT_EQ(Ask(responder, Request(3, {0})).size(), 165u);
    for (const Bytes& block : blocks) {
        Ask(responder, block);
    }
    EXPECT_EQ(responder.Image(), TestImage());
    EXPECT_EQ(responder.CompletedUploads(), 1);
}

}  // namespace
