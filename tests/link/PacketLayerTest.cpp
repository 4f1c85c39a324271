// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "link/CCrc16.h"
#include "link/CCrc8.h"
#include "link/CLinkEventQueue.h"
#include "link/CPacketLayer2.h"
#include "link/CStatisticsCounters.h"
#include "link/VcomCodes.h"
#include "support/CMemoryLayer1.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Frame {
    int type;
    int sequence;
    Bytes payload;
};

// Splits what an end wrote into frames (all bytes are expected to be whole frames).
std::vector<Frame> ParseFrames(const Bytes& bytes, bool crc8 = false) {
    std::vector<Frame> frames;
    size_t at = 0;
    while (at + 3 <= bytes.size()) {
        const int length = bytes[at + 2];
        const size_t total = length + (crc8 ? 4 : 5);
        if (at + total > bytes.size()) {
            break;
        }
        frames.push_back({bytes[at], bytes[at + 1],
                          Bytes(bytes.begin() + at + 3, bytes.begin() + at + 3 + length)});
        at += total;
    }
    return frames;
}

// Builds a correct CRC-16 frame.
Bytes MakeFrame(uint8_t type, uint8_t sequence, const Bytes& payload) {
    Bytes frame(3 + payload.size());
    frame[0] = type;
    frame[1] = sequence;
    frame[2] = static_cast<uint8_t>(payload.size());
    std::copy(payload.begin(), payload.end(), frame.begin() + 3);
    const uint16_t crc = CCrc16::Compute(frame.data(), static_cast<int>(frame.size()));
    frame.push_back(static_cast<uint8_t>(crc >> 8));
    frame.push_back(static_cast<uint8_t>(crc & 0xFF));
    return frame;
}

class PacketLayerTest : public ::testing::Test {
protected:
    void Make(const char* parametersA = nullptr, const char* parametersB = nullptr,
              int baudRate = 19200) {
        auto ends = CMemoryLayer1::MakePair(baudRate);
        m_lineA = std::move(ends.first);
        m_lineB = std::move(ends.second);
        m_a = std::make_unique<CPacketLayer2>(
            *m_lineA, parametersA, [this] { return m_nowA; }, m_observerA);
        m_b = std::make_unique<CPacketLayer2>(*m_lineB, parametersB, [this] { return m_nowB; });
        m_a->SetStatistics(&m_statsA);
        m_b->SetStatistics(&m_statsB);
        m_a->SetQueues(nullptr, &m_eventsA);
        m_b->SetQueues(nullptr, &m_eventsB);
    }

    void Pump(int passes = 12) {
        int rx = 0;
        int tx = 0;
        for (int i = 0; i < passes; ++i) {
            m_a->Process(rx, tx);
            m_b->Process(rx, tx);
        }
    }

    void Advance(int milliseconds) {
        m_nowA += milliseconds;
        m_nowB += milliseconds;
    }

    // A polls first; B answers. Afterwards both links are up and the wire is quiet.
    void Handshake() {
        m_nowA += m_a->PollInterval();
        Pump();
        ASSERT_EQ(m_a->IsLinkUp(), 1);
        ASSERT_EQ(m_b->IsLinkUp(), 1);
        m_lineA->TakeWritten();
        m_lineB->TakeWritten();
    }

    // A new layer on the same line, as its owner builds one after Disconnect
    // or a link loss; the other end and everything on the line stay.
    void Restart(std::unique_ptr<CPacketLayer2>& end, CMemoryLayer1& line, const char* parameters,
                 uint32_t& now, CStatisticsCounters& statistics, CLinkEventQueue& events) {
        end = std::make_unique<CPacketLayer2>(line, parameters, [&now] { return now; });
        end->SetStatistics(&statistics);
        end->SetQueues(nullptr, &events);
    }
    void RestartA(const char* parameters = nullptr) {
        Restart(m_a, *m_lineA, parameters, m_nowA, m_statsA, m_eventsA);
    }
    void RestartB(const char* parameters = nullptr) {
        Restart(m_b, *m_lineB, parameters, m_nowB, m_statsB, m_eventsB);
    }

    static std::vector<Bytes> Delivered(CPacketLayer2& layer, std::vector<int>* types = nullptr) {
        std::vector<Bytes> payloads;
        const uint8_t* data = nullptr;
        int length = 0;
        int type = 0;
        while (layer.GetReceived(data, length, type)) {
            payloads.emplace_back(data, data + length);
            if (types != nullptr) {
                types->push_back(type);
            }
        }
        return payloads;
    }

    static std::vector<int> Events(CLinkEventQueue& queue) {
        std::vector<int> codes;
        int code = 0;
        while (queue.Pop(code)) {
            codes.push_back(code);
        }
        return codes;
    }

    std::shared_ptr<IFrameObserver> m_observerA;  // given to A by Make
    uint32_t m_nowA = 50000;
    uint32_t m_nowB = 90000;
    std::unique_ptr<CMemoryLayer1> m_lineA;
    std::unique_ptr<CMemoryLayer1> m_lineB;
    std::unique_ptr<CPacketLayer2> m_a;
    std::unique_ptr<CPacketLayer2> m_b;
    CStatisticsCounters m_statsA;
    CStatisticsCounters m_statsB;
    CLinkEventQueue m_eventsA;
    CLinkEventQueue m_eventsB;
};

TEST(PacketCheckTest, CheckValuesAndTable) {
    const std::string digits = "123456789";
    EXPECT_EQ(CCrc16::Compute(reinterpret_cast<const uint8_t*>(digits.data()), 9), 0x6F91);
    const std::string letters = "abc";
    EXPECT_EQ(CCrc8::Compute(reinterpret_cast<const uint8_t*>(letters.data()), 3), 0x23);
    EXPECT_EQ(CCrc8::TableEntry(0), 0x00);
    EXPECT_EQ(CCrc8::TableEntry(1), 0x4B);
    EXPECT_EQ(CCrc8::TableEntry(3), 0xDD);
    EXPECT_EQ(CCrc8::TableEntry(255), 0xC1);
    // Linear in its index, as no ordinary polynomial table is.
    for (int i = 0; i < 256; ++i) {
        for (int j : {1, 2, 4, 8, 16, 32, 64, 128}) {
            ASSERT_EQ(CCrc8::TableEntry(i ^ j), CCrc8::TableEntry(i) ^ CCrc8::TableEntry(j));
        }
    }
}

TEST_F(PacketLayerTest, WireExamplesByteForByte) {
    Make();
    int rx = 0;
    int tx = 0;
    m_nowA += 2999;
    m_a->Process(rx, tx);
    EXPECT_TRUE(m_lineA->TakeWritten().empty()) << "no poll before the poll interval";
    m_nowA += 1;
    m_a->Process(rx, tx);
    EXPECT_EQ(m_lineA->TakeWritten(), (Bytes{0x03, 0x00, 0x00, 0xD6, 0x57}));

    // B is down: it acknowledges the poll and asks for a connection.
    m_b->Process(rx, tx);
    const Bytes answer = m_lineB->TakeWritten();
    ASSERT_EQ(answer.size(), 10u);
    EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 5), (Bytes{0x02, 0x00, 0x00, 0x8C, 0x8B}));
    EXPECT_EQ(Bytes(answer.begin() + 5, answer.end()), MakeFrame(1, 0, {}));
    EXPECT_EQ(m_statsB.Get(VcomStatistics::kLinkState), 2);

    Make("UseCRC8");
    m_nowA += 3000;
    m_a->Process(rx, tx);
    EXPECT_EQ(m_lineA->TakeWritten(), (Bytes{0x03, 0x00, 0x00, 0xE6}));
}

TEST_F(PacketLayerTest, HandshakeBringsBothEndsUp) {
    Make();
    m_nowA += 3000;
    Pump();
    EXPECT_EQ(m_a->IsLinkUp(), 1);
    EXPECT_EQ(m_b->IsLinkUp(), 1);
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kLinkState), 1);
    EXPECT_EQ(m_statsB.Get(VcomStatistics::kLinkState), 1);
    // poll, confirm, confirm, and the acknowledgements of B's request and confirm
    const auto framesA = ParseFrames(m_lineA->TakeWritten());
    ASSERT_GE(framesA.size(), 5u);
    EXPECT_EQ(framesA[0].type, kFramePoll);
    EXPECT_EQ(framesA[0].sequence, 0) << "the first frame after construction carries 0";
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kFramesReceived),
              static_cast<int>(ParseFrames(m_lineB->TakeWritten()).size()));

    // Once up, a quiet link is held by polls that are answered.
    Advance(3000);
    Pump();
    const auto polls = ParseFrames(m_lineA->TakeWritten());
    ASSERT_FALSE(polls.empty());
    EXPECT_EQ(polls[0].type, kFramePoll);
    EXPECT_EQ(m_a->IsLinkUp(), 1);
    EXPECT_EQ(m_b->IsLinkUp(), 1);
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kLinkLosses), 0);
}

TEST_F(PacketLayerTest, PassiveEndWaitsForThePeersPoll) {
    Make(nullptr, "Passive");
    m_nowB += 60000;
    int rx = 0;
    int tx = 0;
    m_b->Process(rx, tx);
    EXPECT_TRUE(m_lineB->TakeWritten().empty()) << "a passive end does not poll while down";
    m_nowA += 3000;
    Pump();
    EXPECT_EQ(m_a->IsLinkUp(), 1);
    EXPECT_EQ(m_b->IsLinkUp(), 1);
}

// The computer's end polls on its first pass, so a deskset that waits comes up
// at once; from that poll on, everything runs as it would 3000 ms later.
TEST_F(PacketLayerTest, PollAtOnceMeetsAWaitingPeerAtOnceAndALatePeerOnTheUsualSeries) {
    Make(CPacketLayer2::kPollAtOnce, "Passive");
    Pump();
    EXPECT_EQ(m_a->IsLinkUp(), 1) << "a waiting deskset, without the clock moving";
    EXPECT_EQ(m_b->IsLinkUp(), 1);

    // Nobody reads yet: the polls the end sends, and when.
    const auto pollSeries = [this](const char* parameters, uint32_t offset) {
        Make(parameters, "Passive");
        m_lineA->SetWriteFilter([](Bytes& bytes) { bytes.clear(); });
        std::vector<std::pair<uint32_t, int>> polls;
        int rx = 0;
        int tx = 0;
        const uint32_t start = m_nowA;
        for (uint32_t at = 0; at <= 20000; at += 10) {
            m_nowA = start + at;
            m_a->Process(rx, tx);
            for (const Frame& frame : ParseFrames(m_lineA->TakeWritten())) {
                EXPECT_EQ(frame.type, kFramePoll);
                if (at >= offset) {
                    polls.emplace_back(at - offset, frame.sequence);
                }
            }
        }
        return polls;
    };
    const auto atOnce = pollSeries(CPacketLayer2::kPollAtOnce, 0);
    const auto usual = pollSeries(nullptr, 3000);
    ASSERT_GE(usual.size(), 6u);
    EXPECT_EQ(atOnce.front(), std::make_pair(0u, 0));
    EXPECT_EQ(std::vector(atOnce.begin(), atOnce.begin() + usual.size()), usual);

    // A deskset that starts late finds the polls waiting on the line.
    Make(CPacketLayer2::kPollAtOnce, "Passive");
    int rx = 0;
    int tx = 0;
    for (int pass = 0; pass < 3; ++pass, m_nowA += 1800) {
        m_a->Process(rx, tx);
    }
    Pump();
    ASSERT_EQ(m_a->IsLinkUp(), 1);
    ASSERT_EQ(m_b->IsLinkUp(), 1);
    const uint8_t byte = 42;
    ASSERT_EQ(m_a->Send(&byte, 1, kFragmentWhole), 1);
    Pump();
    EXPECT_EQ(Delivered(*m_b), std::vector<Bytes>{{42}});

    // An end that has had to answer a frame first does not poll as well, and a
    // passive end never polls first.
    Make(CPacketLayer2::kPollAtOnce, "Passive PollAtOnce");
    m_b->Process(rx, tx);
    EXPECT_TRUE(m_lineB->TakeWritten().empty());
    m_lineA->Inject(MakeFrame(kFramePoll, 7, {}));
    m_a->Process(rx, tx);
    const auto answer = ParseFrames(m_lineA->TakeWritten());
    ASSERT_EQ(answer.size(), 2u);
    EXPECT_EQ(answer[0].type, kFrameAcknowledgement);
    EXPECT_EQ(answer[1].type, kFrameConnectRequest);
}

TEST_F(PacketLayerTest, SequenceRunsFrom254ToZero) {
    Make();
    Handshake();
    std::vector<int> sequences;
    std::vector<Bytes> delivered;
    for (int i = 0; i < 300; ++i) {
        const uint8_t byte = static_cast<uint8_t>(i);
        ASSERT_EQ(m_a->Send(&byte, 1, kFragmentWhole), 1);
        Pump(3);
        for (const Frame& frame : ParseFrames(m_lineA->TakeWritten())) {
            if (frame.type == kFrameDataWhole) {
                sequences.push_back(frame.sequence);
            }
        }
        for (Bytes& payload : Delivered(*m_b)) {
            delivered.push_back(std::move(payload));
        }
    }
    ASSERT_EQ(sequences.size(), 300u);
    for (size_t i = 1; i < sequences.size(); ++i) {
        ASSERT_NE(sequences[i], 255);
        ASSERT_EQ(sequences[i], (sequences[i - 1] + 1) % 255) << "at " << i;
    }
    ASSERT_EQ(delivered.size(), 300u);
    EXPECT_EQ(delivered[299], Bytes{static_cast<uint8_t>(299)});
}

TEST_F(PacketLayerTest, RepeatedFrameIsAcknowledgedAgainButDeliveredOnce) {
    Make();
    Handshake();
    const Bytes frame = MakeFrame(kFrameDataWhole, 77, {1, 2, 3});
    m_lineB->Inject(frame);
    m_lineB->Inject(frame);
    Pump(2);
    const auto acks = ParseFrames(m_lineB->TakeWritten());
    ASSERT_EQ(acks.size(), 2u);
    for (const Frame& ack : acks) {
        EXPECT_EQ(ack.type, kFrameAcknowledgement);
        EXPECT_EQ(ack.sequence, 77);
    }
    EXPECT_EQ(Delivered(*m_b), (std::vector<Bytes>{{1, 2, 3}}));
}

TEST_F(PacketLayerTest, FlippedBitIsRefusedAndTheRetransmissionAccepted) {
    Make();
    Handshake();
    bool corrupted = false;
    m_lineA->SetWriteFilter([&](Bytes& bytes) {
        if (!corrupted && bytes.size() > 5 && bytes[0] == kFrameDataWhole) {
            bytes[4] ^= 0x10;
            corrupted = true;
        }
    });
    const Bytes payload{10, 20, 30, 40};
    m_a->Send(payload.data(), 4, kFragmentWhole);
    Pump(3);
    EXPECT_TRUE(corrupted);
    EXPECT_EQ(Events(m_eventsB), std::vector<int>{kLinkEventCheckFailed});
    EXPECT_TRUE(m_lineB->TakeWritten().empty()) << "a bad frame gets no acknowledgement";
    EXPECT_TRUE(Delivered(*m_b).empty());

    m_nowA += m_a->AckTimeout();
    Pump(3);
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kRetransmissions), 1);
    EXPECT_EQ(Delivered(*m_b), std::vector<Bytes>{payload});
    EXPECT_TRUE(Events(m_eventsB).empty());
}

// Only the acknowledgement of the frame in flight releases it: a late or
// repeated acknowledgement of the previous frame must not pass for it when
// the frame itself was lost on the line.
TEST_F(PacketLayerTest, StaleAcknowledgementDoesNotReleaseALostFrame) {
    Make();
    Handshake();
    int sequence = -1;
    m_lineA->SetWriteFilter([&](Bytes& bytes) {
        if (sequence < 0 && !bytes.empty() && bytes[0] == kFrameDataWhole) {
            sequence = bytes[1];
            bytes.clear();  // lost on the way to B
        }
    });
    const Bytes payload{0x31, 0x32, 0x33};
    m_a->Send(payload.data(), 3, kFragmentWhole);
    int rx = 0;
    int tx = 0;
    m_a->Process(rx, tx);
    m_lineA->SetWriteFilter(nullptr);
    ASSERT_GE(sequence, 0);

    const uint8_t previous = static_cast<uint8_t>(sequence == 0 ? 254 : sequence - 1);
    m_lineA->Inject(MakeFrame(kFrameAcknowledgement, previous, {}));
    m_lineA->Inject(MakeFrame(kFrameAcknowledgement, previous, {}));
    m_a->Process(rx, tx);
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kRetransmissions), 0);

    m_nowA += m_a->AckTimeout();
    Pump(3);
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kRetransmissions), 1);
    EXPECT_EQ(Delivered(*m_b), std::vector<Bytes>{payload});

    // The right acknowledgement releases it: nothing more is retransmitted.
    m_nowA += m_a->AckTimeout();
    Pump(3);
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kRetransmissions), 1);
    EXPECT_EQ(m_a->IsLinkUp(), 1);
}

TEST_F(PacketLayerTest, FrameCutShortTimesOutAndTheNextFrameIsParsed) {
    Make();
    Handshake();
    m_lineB->Inject({kFrameDataWhole, 5, 10, 1, 2});  // ten bytes announced, two sent
    Pump(1);
    m_nowB += 1200;
    Pump(1);
    EXPECT_TRUE(Events(m_eventsB).empty()) << "not before the frame time-out has passed";
    m_nowB += 1;
    Pump(1);
    EXPECT_EQ(Events(m_eventsB), std::vector<int>{kLinkEventFrameTimeout});

    m_lineB->Inject(MakeFrame(kFrameDataWhole, 6, {9, 8, 7}));
    Pump(1);
    EXPECT_EQ(Delivered(*m_b), (std::vector<Bytes>{{9, 8, 7}}));
}

TEST_F(PacketLayerTest, OversizeLengthRestartsTheReceiver) {
    Make();
    Handshake();
    m_lineB->Inject({kFrameDataWhole, 5, 251});
    m_lineB->Inject(MakeFrame(kFrameDataWhole, 6, {4, 4}));
    Pump(1);
    EXPECT_EQ(Events(m_eventsB), std::vector<int>{kLinkEventCheckFailed});
    EXPECT_EQ(Delivered(*m_b), (std::vector<Bytes>{{4, 4}}));

    // With CRC8 the record has room for one more payload byte.
    Make("UseCRC8", "UseCRC8");
    Handshake();
    Bytes frame{kFrameDataWhole, 9, 251};
    frame.resize(3 + 251, 0x5A);
    frame.push_back(CCrc8::Compute(frame.data(), static_cast<int>(frame.size())));
    m_lineB->Inject(frame);
    m_lineB->Inject({kFrameDataWhole, 10, 252});
    Pump(2);
    const auto delivered = Delivered(*m_b);
    ASSERT_EQ(delivered.size(), 1u);
    EXPECT_EQ(delivered[0].size(), 251u);
    EXPECT_EQ(Events(m_eventsB), std::vector<int>{kLinkEventCheckFailed});
}

TEST_F(PacketLayerTest, TimersFollowBaudRateAndSlowMedia) {
    Make(nullptr, "SlowMedia", 19200);
    EXPECT_EQ(m_a->PollInterval(), 3000);
    EXPECT_EQ(m_a->AckTimeout(), 1800);
    EXPECT_EQ(m_a->FrameTimeout(), 1200);
    EXPECT_EQ(m_b->PollInterval(), 6000);

    Make(nullptr, "SlowMedia", 4800);
    EXPECT_EQ(m_a->PollInterval(), 6000);
    EXPECT_EQ(m_a->AckTimeout(), 3600);
    EXPECT_EQ(m_a->FrameTimeout(), 2400);
    EXPECT_EQ(m_b->PollInterval(), 12000);
    EXPECT_EQ(m_b->AckTimeout(), 7200);
    EXPECT_EQ(m_b->FrameTimeout(), 4800);
    EXPECT_FALSE(m_b->UsesCrc8());

    Make(nullptr, nullptr, 9600);
    EXPECT_EQ(m_a->PollInterval(), 3000);
}

TEST_F(PacketLayerTest, KeywordsAreFoundAnywhereAndCaseSensitive) {
    for (const char* text : {"SlowMedia UseCRC8", "UseCRC8SlowMedia", "xxSlowMediaUseCRC8yy"}) {
        Make(text);
        EXPECT_TRUE(m_a->IsSlowMedia()) << text;
        EXPECT_TRUE(m_a->UsesCrc8()) << text;
    }
    Make("slowmedia usecrc8");
    EXPECT_FALSE(m_a->IsSlowMedia());
    EXPECT_FALSE(m_a->UsesCrc8());

    // Both options together still carry data end to end.
    Make("UseCRC8 SlowMedia", "UseCRC8 SlowMedia");
    Handshake();
    const Bytes payload{1, 2, 3};
    m_a->Send(payload.data(), 3, kFragmentWhole);
    Pump(3);
    EXPECT_EQ(Delivered(*m_b), std::vector<Bytes>{payload});
}

TEST_F(PacketLayerTest, ZeroLengthDataAndFragmentTypesAreDelivered) {
    Make();
    Handshake();
    const Bytes payload{7};
    m_a->Send(payload.data(), 0, kFragmentWhole);
    for (int type : {kFragmentFirst, kFragmentMiddle, kFragmentLast}) {
        m_a->Send(payload.data(), 1, type);
    }
    Pump(12);
    std::vector<int> types;
    const auto delivered = Delivered(*m_b, &types);
    ASSERT_EQ(delivered.size(), 4u);
    EXPECT_TRUE(delivered[0].empty());
    EXPECT_EQ(types, (std::vector<int>{0, 1, 2, 3}));
}

// A frame that arrived before the link was reset is still handed up: the
// far end may start over (or hang up) right after its last message.
TEST_F(PacketLayerTest, WhatArrivedBeforeAResetIsStillDelivered) {
    Make();
    Handshake();
    m_lineB->Inject(MakeFrame(kFrameDataWhole, 5, {1, 2, 3}));
    m_lineB->Inject(MakeFrame(kFrameConnectRequest, 6, {}));
    int rx = 0;
    int tx = 0;
    m_b->Process(rx, tx);
    ASSERT_TRUE(m_b->IsStopped());
    EXPECT_EQ(rx, 1);
    m_b->Process(rx, tx);
    EXPECT_EQ(rx, 1) << "until the session has taken it";
    EXPECT_EQ(Delivered(*m_b), std::vector<Bytes>{Bytes({1, 2, 3})});
    m_b->Process(rx, tx);
    EXPECT_EQ(rx, 0);
}

// Queued, sent and awaiting its acknowledgement, a data frame counts as
// unacknowledged; a poll never does, and a reset forgets nothing.
TEST_F(PacketLayerTest, UnacknowledgedFramesCountUntilTheirAcknowledgement) {
    Make();
    Handshake();
    const Bytes payload{9};
    m_a->Send(payload.data(), 1, kFragmentWhole);
    m_a->Send(payload.data(), 1, kFragmentWhole);
    EXPECT_EQ(m_a->UnacknowledgedFrames(), 2);
    int rx = 0;
    int tx = 0;
    m_a->Process(rx, tx);  // the first goes out
    EXPECT_EQ(m_a->UnacknowledgedFrames(), 2);
    m_b->Process(rx, tx);
    m_a->Process(rx, tx);  // its acknowledgement; the second goes out
    EXPECT_EQ(m_a->UnacknowledgedFrames(), 1);
    Pump();
    EXPECT_EQ(m_a->UnacknowledgedFrames(), 0);
    Advance(m_a->PollInterval());
    Pump(1);  // a poll, answered
    EXPECT_EQ(m_a->UnacknowledgedFrames(), 0);

    m_a->Send(payload.data(), 1, kFragmentWhole);
    m_lineA->Inject(MakeFrame(kFrameConnectRequest, 200, {}));
    m_a->Process(rx, tx);
    ASSERT_TRUE(m_a->IsStopped());
    EXPECT_EQ(m_a->UnacknowledgedFrames(), 1) << "lost with the link, never confirmed";
}

TEST_F(PacketLayerTest, FiveTimeoutsDropTheLink) {
    Make();
    Handshake();
    const Bytes payload{1};
    m_a->Send(payload.data(), 1, kFragmentWhole);
    int rx = 0;
    int tx = 0;
    m_a->Process(rx, tx);  // B never answers from here on
    for (int timeout = 1; timeout <= 4; ++timeout) {
        m_nowA += m_a->AckTimeout();
        m_a->Process(rx, tx);
        EXPECT_EQ(m_a->IsLinkUp(), 1) << "after time-out " << timeout;
    }
    m_nowA += m_a->AckTimeout();
    m_a->Process(rx, tx);
    EXPECT_EQ(m_a->IsLinkUp(), 0);
    EXPECT_TRUE(m_a->IsStopped());
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kRetransmissions), 4);
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kLinkLosses), 1);
    const auto frames = ParseFrames(m_lineA->TakeWritten());
    ASSERT_EQ(frames.size(), 5u) << "the first transmission and four retransmissions";
    for (const Frame& frame : frames) {
        EXPECT_EQ(frame.sequence, frames[0].sequence);
    }

    // A stopped layer does nothing more.
    m_nowA += 100000;
    m_a->Process(rx, tx);
    EXPECT_TRUE(m_lineA->TakeWritten().empty());
}

TEST_F(PacketLayerTest, ConnectRequestWhileUpResetsTheLink) {
    Make();
    Handshake();
    m_lineB->Inject(MakeFrame(kFrameConnectRequest, 200, {}));
    Pump(1);
    EXPECT_EQ(m_b->IsLinkUp(), 0);
    EXPECT_TRUE(m_b->IsStopped());
    EXPECT_EQ(m_statsB.Get(VcomStatistics::kLinkLosses), 1);
    EXPECT_TRUE(m_lineB->TakeWritten().empty()) << "the computer's end answers nothing";

    // A passive end that has just polled back answers the request as a down
    // end does, then stops too: the peer has just polled, so its own poll is
    // not due while the handshake goes on.
    Make(nullptr, "Passive");
    Handshake();
    m_lineB->Inject(MakeFrame(kFramePoll, 199, {}));
    int rx = 0;
    int tx = 0;
    m_b->Process(rx, tx);
    auto frames = ParseFrames(m_lineB->TakeWritten());
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[1].type, kFramePoll);
    m_lineB->Inject(MakeFrame(kFrameAcknowledgement, static_cast<uint8_t>(frames[1].sequence), {}));
    m_lineB->Inject(MakeFrame(kFrameConnectRequest, 200, {}));
    m_b->Process(rx, tx);
    m_b->Process(rx, tx);
    EXPECT_TRUE(m_b->IsStopped());
    EXPECT_EQ(m_statsB.Get(VcomStatistics::kLinkLosses), 2);
    frames = ParseFrames(m_lineB->TakeWritten());
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].type, kFrameAcknowledgement);
    EXPECT_EQ(frames[0].sequence, 200);
    EXPECT_EQ(frames[1].type, kFrameConnectConfirm);

    // Otherwise it answers nothing, as any end, whatever it sent meanwhile:
    // its own poll, data, a retransmission.
    for (int sent = 0; sent < 3; ++sent) {
        SCOPED_TRACE(sent);
        Make(nullptr, "Passive");
        Handshake();
        m_lineB->Inject(MakeFrame(kFramePoll, 199, {}));
        m_b->Process(rx, tx);
        const int pollBack = ParseFrames(m_lineB->TakeWritten()).at(1).sequence;
        m_lineB->Inject(MakeFrame(kFrameAcknowledgement, static_cast<uint8_t>(pollBack), {}));
        const int retransmissions = m_statsB.Get(VcomStatistics::kRetransmissions);
        const Bytes payload{1};
        if (sent == 0) {
            m_nowB += m_b->PollInterval();
        } else {
            m_b->Send(payload.data(), 1, kFragmentWhole);
        }
        m_b->Process(rx, tx);
        if (sent == 2) {
            m_nowB += m_b->AckTimeout();
            m_b->Process(rx, tx);
            EXPECT_EQ(m_statsB.Get(VcomStatistics::kRetransmissions), retransmissions + 1);
        }
        m_lineB->TakeWritten();
        m_lineB->Inject(MakeFrame(kFrameConnectRequest, 200, {}));
        m_b->Process(rx, tx);
        EXPECT_TRUE(m_b->IsStopped());
        EXPECT_TRUE(m_lineB->TakeWritten().empty());
    }
}

// The computer closes its port and opens it again while the deskset's link is
// still up. Its new layer polls; the deskset polls back, the connect request
// that answers this resets the deskset, and the handshake goes on with the
// deskset's next layer on the same line. No time passes on either end beyond
// the computer's first poll interval: nothing waits for a time-out.
TEST_F(PacketLayerTest, RestartedPeerGetsThroughToAPassiveEndThatIsStillUp) {
    // The deskset last saw sequence 0, which the new layer's first poll
    // repeats (taken for a duplicate), or some other number; and its last poll
    // back went unanswered, or not.
    struct Case {
        int lastSeen;
        bool pollUnanswered;
    };
    for (const Case& c : {Case{0, false}, Case{77, false}, Case{77, true}}) {
        const int lastSeen = c.lastSeen;
        SCOPED_TRACE(testing::Message() << lastSeen << " " << c.pollUnanswered);
        Make(nullptr, "Passive");
        Handshake();
        if (c.pollUnanswered) {
            m_nowA += m_a->PollInterval();
            m_lineA->SetWriteFilter([](Bytes& bytes) {
                if (!bytes.empty() && bytes[0] == kFrameAcknowledgement) {
                    bytes.clear();
                }
            });
            Pump();
            m_lineA->SetWriteFilter(nullptr);
        }
        const int lossesA = m_statsA.Get(VcomStatistics::kLinkLosses);
        const int lossesB = m_statsB.Get(VcomStatistics::kLinkLosses);
        const int retransmissionsA = m_statsA.Get(VcomStatistics::kRetransmissions);
        m_lineB->Inject(MakeFrame(kFrameDataWhole, static_cast<uint8_t>(lastSeen), {1}));
        Pump(2);
        ASSERT_EQ(Delivered(*m_b).size(), 1u);
        m_lineA->TakeWritten();
        m_lineB->TakeWritten();

        RestartA();
        m_nowA += m_a->PollInterval();
        Pump();
        EXPECT_EQ(m_a->IsLinkUp(), 1);
        ASSERT_TRUE(m_b->IsStopped()) << "the old link is reset";
        EXPECT_EQ(m_statsB.Get(VcomStatistics::kLinkLosses), lossesB + 1);

        RestartB("Passive");
        Pump();
        ASSERT_EQ(m_b->IsLinkUp(), 1);
        ASSERT_EQ(m_a->IsLinkUp(), 1);
        EXPECT_EQ(m_statsA.Get(VcomStatistics::kRetransmissions), retransmissionsA);
        EXPECT_EQ(m_statsA.Get(VcomStatistics::kLinkLosses), lossesA);

        const Bytes toB{5, 6};
        const Bytes toA{7};
        m_a->Send(toB.data(), 2, kFragmentWhole);
        m_b->Send(toA.data(), 1, kFragmentWhole);
        Pump();
        EXPECT_EQ(Delivered(*m_b), std::vector<Bytes>{toB});
        EXPECT_EQ(Delivered(*m_a), std::vector<Bytes>{toA});
        EXPECT_EQ(m_a->IsLinkUp(), 1);
        EXPECT_EQ(m_b->IsLinkUp(), 1);
    }
}

TEST_F(PacketLayerTest, PassiveEndPollsBackWithoutDisturbingAPeerThatIsUp) {
    Make(nullptr, "Passive");
    Handshake();
    m_nowA += m_a->PollInterval();
    Pump();
    const auto framesB = ParseFrames(m_lineB->TakeWritten());
    ASSERT_EQ(framesB.size(), 2u);
    EXPECT_EQ(framesB[0].type, kFrameAcknowledgement);
    EXPECT_EQ(framesB[1].type, kFramePoll);
    EXPECT_EQ(m_a->IsLinkUp(), 1);
    EXPECT_EQ(m_b->IsLinkUp(), 1);
    m_nowB += m_b->AckTimeout();
    Pump();
    EXPECT_EQ(m_statsB.Get(VcomStatistics::kRetransmissions), 0) << "the poll back was answered";

    // While a data frame waits for its acknowledgement a poll gets only the
    // acknowledgement: a poll back would take the data frame's place.
    m_lineA->SetWriteFilter([](Bytes& bytes) { bytes.clear(); });
    const Bytes payload{9};
    m_b->Send(payload.data(), 1, kFragmentWhole);
    Pump(2);
    EXPECT_EQ(Delivered(*m_a), std::vector<Bytes>{payload});
    m_lineB->TakeWritten();
    m_lineB->Inject(MakeFrame(kFramePoll, 150, {}));
    Pump(1);
    const auto answer = ParseFrames(m_lineB->TakeWritten());
    ASSERT_EQ(answer.size(), 1u);
    EXPECT_EQ(answer[0].type, kFrameAcknowledgement);
    m_lineA->SetWriteFilter(nullptr);
    m_nowB += m_b->AckTimeout();
    Pump();
    const auto retransmitted = ParseFrames(m_lineB->TakeWritten());
    ASSERT_FALSE(retransmitted.empty());
    EXPECT_EQ(retransmitted[0].type, kFrameDataWhole);
    EXPECT_EQ(retransmitted[0].payload, payload);
    m_nowB += m_b->AckTimeout();
    Pump();
    EXPECT_EQ(m_statsB.Get(VcomStatistics::kRetransmissions), 1);
    EXPECT_EQ(m_b->IsLinkUp(), 1);
}

// The deskset's link is still up when the computer opens its port again, and
// the deskset's supervision poll reaches the computer's new layer first. The
// computer answers it with a connect request, and its own poll timer, which
// runs from its Connect, may run out a moment later. Had the deskset confirmed
// the request, the computer would come up and the deskset's next layer would
// answer that poll with a connect request of its own, resetting the computer.
// Not an answer to a poll back, the request resets the deskset without a word,
// and the computer's poll starts an ordinary handshake with its next layer.
TEST_F(PacketLayerTest, RestartedPeerThatAnswersTheSupervisionPollOfAPassiveEndGetsThrough) {
    Make(nullptr, "Passive");
    Handshake();
    RestartA();
    int rx = 0;
    int tx = 0;
    m_nowB += m_b->PollInterval();
    m_b->Process(rx, tx);
    ASSERT_EQ(ParseFrames(m_lineB->TakeWritten()).at(0).type, kFramePoll);

    // The computer's poll follows its answer within the same pass. Held back,
    // it reaches the deskset after the request, as on a line paced at its baud
    // rate.
    Bytes heldPoll;
    m_lineA->SetWriteFilter([&heldPoll](Bytes& bytes) {
        if (!bytes.empty() && bytes[0] == kFramePoll) {
            heldPoll = std::exchange(bytes, {});
        }
    });
    m_nowA += m_a->PollInterval();
    m_a->Process(rx, tx);
    m_lineA->SetWriteFilter(nullptr);
    const auto answer = ParseFrames(m_lineA->TakeWritten());
    ASSERT_EQ(answer.size(), 3u);
    EXPECT_EQ(answer[0].type, kFrameAcknowledgement);
    EXPECT_EQ(answer[1].type, kFrameConnectRequest);
    EXPECT_EQ(answer[2].type, kFramePoll);
    ASSERT_FALSE(heldPoll.empty());

    m_b->Process(rx, tx);
    ASSERT_TRUE(m_b->IsStopped());
    EXPECT_TRUE(m_lineB->TakeWritten().empty()) << "the deskset answers nothing";
    m_lineB->Inject(heldPoll);
    RestartB("Passive");
    Pump();
    EXPECT_EQ(m_a->IsLinkUp(), 1);
    EXPECT_EQ(m_b->IsLinkUp(), 1);
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kLinkLosses), 0);

    const Bytes toB{5, 6};
    const Bytes toA{7};
    m_a->Send(toB.data(), 2, kFragmentWhole);
    m_b->Send(toA.data(), 1, kFragmentWhole);
    Pump();
    EXPECT_EQ(Delivered(*m_b), std::vector<Bytes>{toB});
    EXPECT_EQ(Delivered(*m_a), std::vector<Bytes>{toA});
    EXPECT_EQ(m_a->IsLinkUp(), 1);
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kRetransmissions), 0);
}

// Its next layer takes over the line where a passive end stopped, so a passive
// end reads no further than the end of the frame it is receiving: whatever
// followed the connect request that reset it is still there for the next one.
TEST_F(PacketLayerTest, PassiveEndLeavesWhatFollowsTheFrameThatResetItOnTheLine) {
    Make(nullptr, "Passive");
    Handshake();
    Bytes bytes = MakeFrame(kFrameConnectRequest, 200, {});
    const Bytes poll = MakeFrame(kFramePoll, 201, {});
    bytes.insert(bytes.end(), poll.begin(), poll.end());
    m_lineB->Inject(bytes);
    int rx = 0;
    int tx = 0;
    for (int pass = 0; pass < 4; ++pass) {
        m_b->Process(rx, tx);
    }
    ASSERT_TRUE(m_b->IsStopped());
    EXPECT_EQ(m_lineB->BytesWaiting(), static_cast<int>(poll.size()));
    m_lineB->TakeWritten();

    RestartB("Passive");
    m_b->Process(rx, tx);
    const auto frames = ParseFrames(m_lineB->TakeWritten());
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].type, kFrameAcknowledgement);
    EXPECT_EQ(frames[0].sequence, 201);
    EXPECT_EQ(frames[1].type, kFrameConnectRequest);

    // A long frame still arrives whole, in two reads at most.
    Make(nullptr, "Passive");
    Handshake();
    const Bytes payload(250, 0x5A);
    m_lineB->Inject(MakeFrame(kFrameDataWhole, 90, payload));
    m_b->Process(rx, tx);
    m_b->Process(rx, tx);
    EXPECT_EQ(Delivered(*m_b), std::vector<Bytes>{payload});
}

// Data handed down during the handshake waits until the link is up; sent
// early, its retransmission would carry the sequence number of a connect
// confirm and the peer would take it for a duplicate.
TEST_F(PacketLayerTest, DataQueuedBeforeTheLinkIsUpArrivesOnce) {
    Make();
    const Bytes payload{42, 43};
    m_a->Send(payload.data(), 2, kFragmentWhole);
    Pump(2);
    EXPECT_TRUE(m_lineA->TakeWritten().empty());
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kFramesWaitingToSend), 1);
    m_nowA += 3000;
    Pump();
    ASSERT_EQ(m_a->IsLinkUp(), 1);
    EXPECT_EQ(Delivered(*m_b), std::vector<Bytes>{payload});
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kFramesWaitingToSend), 0);
}

// A session that falls behind loses the oldest frames, never the newest, and
// what is kept comes out in the order it arrived.
TEST_F(PacketLayerTest, FullReceiveQueueOverwritesItsOldestFrame) {
    Make();
    Handshake();
    constexpr int kSent = CPacketLayer2::kFrameQueueCapacity + 3;
    for (int i = 0; i < kSent; ++i) {
        m_lineB->Inject(
            MakeFrame(kFrameDataWhole, static_cast<uint8_t>(i), {static_cast<uint8_t>(i)}));
    }
    int rx = 0;
    int tx = 0;
    while (m_lineB->BytesWaiting() > 0) {
        m_b->Process(rx, tx);
    }
    EXPECT_EQ(ParseFrames(m_lineB->TakeWritten()).size(), static_cast<size_t>(kSent))
        << "every frame is acknowledged";
    EXPECT_EQ(m_statsB.Get(VcomStatistics::kFramesWaitingToDeliver),
              CPacketLayer2::kFrameQueueCapacity);
    const auto delivered = Delivered(*m_b);
    ASSERT_EQ(delivered.size(), static_cast<size_t>(CPacketLayer2::kFrameQueueCapacity));
    for (size_t k = 0; k < delivered.size(); ++k) {
        ASSERT_EQ(delivered[k], Bytes{static_cast<uint8_t>(k + 3)}) << k;
    }
}

TEST_F(PacketLayerTest, TransmitQueueRefusesBeyond128) {
    Make();
    const uint8_t byte = 0;
    for (int i = 0; i < 128; ++i) {
        ASSERT_EQ(m_a->CanSend(), 1);
        ASSERT_EQ(m_a->Send(&byte, 1, kFragmentWhole), 1);
    }
    EXPECT_EQ(m_a->CanSend(), 0);
    EXPECT_EQ(m_a->Send(&byte, 1, kFragmentWhole), 0);
    EXPECT_EQ(m_statsA.Get(VcomStatistics::kFramesWaitingToSend), 128);
}

}  // namespace

namespace {

struct RecordingObserver : IFrameObserver {
    void OnFrame(FrameDirection direction, const uint8_t* bytes, int length,
                 bool checkOk) override {
        lines.push_back(DescribeFrame(direction, bytes, length, checkOk));
        if (direction == FrameDirection::Sent) {
            sent.insert(sent.end(), bytes, bytes + length);
        }
    }
    std::vector<std::string> lines;
    Bytes sent;
};

}  // namespace

TEST_F(PacketLayerTest, TheFrameObserverSeesEveryFrameAsOnTheLine) {
    auto ends = CMemoryLayer1::MakePair(19200);
    auto observer = std::make_shared<RecordingObserver>();
    CPacketLayer2 layer(
        *ends.first, nullptr, [this] { return m_nowA; }, observer);
    m_nowA += layer.PollInterval();
    int rx = 0;
    int tx = 0;
    layer.Process(rx, tx);
    EXPECT_EQ(observer->lines, std::vector<std::string>{"TX poll seq=0 len=5 03 00 00 D6 57"});

    // The peer's acknowledgement, a connect request with a flipped bit, and an
    // oversized header: each is seen once, the bad ones as such.
    ends.first->Inject({kFrameAcknowledgement, 0, 0, 0x8C, 0x8B});
    Bytes request = MakeFrame(kFrameConnectRequest, 0, {});
    request[4] ^= 1;
    ends.first->Inject(request);
    ends.first->Inject({kFrameDataWhole, 5, 251});
    layer.Process(rx, tx);
    ASSERT_EQ(observer->lines.size(), 4u);
    EXPECT_EQ(observer->lines[1], "RX ack seq=0 len=5 02 00 00 8C 8B");
    EXPECT_EQ(observer->lines[2], "RX bad-crc seq=0 len=5 01 00 00 63 EE");
    EXPECT_EQ(observer->lines[3], "RX bad-crc seq=5 len=3 04 05 FB");

    // What was reported sent is exactly what went on the line, data included.
    auto observerA = std::make_shared<RecordingObserver>();
    m_observerA = observerA;
    Make();
    m_nowA += m_a->PollInterval();
    Pump();
    const Bytes payload{1, 2, 3};
    m_a->Send(payload.data(), 3, kFragmentWhole);
    Pump();
    EXPECT_EQ(Delivered(*m_b), std::vector<Bytes>{payload});
    EXPECT_EQ(observerA->sent, m_lineA->TakeWritten());
    EXPECT_EQ(std::count_if(observerA->lines.begin(), observerA->lines.end(),
                            [](const std::string& line) {
                                return line.starts_with("TX data seq=") &&
                                       line.find(" len=8 04 ") != std::string::npos;
                            }),
              1);
    EXPECT_TRUE(observerA->lines.back().starts_with("RX ack"));
}
