// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

#include "link/CSerialLayer1.h"
#include "link/VcomCodes.h"
#include "link/posix/CPseudoTerminal.h"
#include "support/CRecordingVcom.h"
#include "support/CTestLayerFactory.h"
#include "support/FastClock.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kClockFactor = 20;

Bytes Message(int length, int seed) {
    Bytes bytes(length);
    std::iota(bytes.begin(), bytes.end(), static_cast<uint8_t>(seed));
    return bytes;
}

// Two complete stacks over a pseudo-terminal: the computer's end opens the
// slave like a serial port, the far end runs on the master.
class LinkStackTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_pty.Open());
        m_computer.LayerFactory().SetPortResolver([this](int) { return m_pty.SlavePath(); });
        m_computer.LayerFactory().SetClock(FastClock(kClockFactor));
        auto factory = std::make_unique<CTestLayerFactory>([this] {
            return std::make_unique<CSerialLayer1>("1 8 0 0 19200", m_pty.DuplicateMaster());
        });
        factory->SetClock(FastClock(kClockFactor));
        m_farEnd.SetLayerFactory(std::move(factory));
    }

    void ConnectBoth() {
        ASSERT_EQ(m_farEnd.Connect(0, "Passive", 0, nullptr), kVcomOk);
        ASSERT_EQ(m_computer.Connect(0, nullptr, 0, "4 8 0 0 19200"), kVcomOk);
        ASSERT_TRUE(m_computer.WaitUntil([&] { return m_computer.connects == 1; }));
        ASSERT_TRUE(m_farEnd.WaitUntil([&] { return m_farEnd.connects == 1; }));
    }

    CPseudoTerminal m_pty;
    CRecordingVcom m_computer;
    CRecordingVcom m_farEnd;
};

TEST_F(LinkStackTest, MessagesOfEverySizeCrossBothWays) {
    ConnectBoth();
    std::vector<Bytes> toFarEnd;
    std::vector<Bytes> toComputer;
    for (int length = 1; length <= 250; ++length) {
        toFarEnd.push_back(Message(length, length));
        toComputer.push_back(Message(251 - length, length * 3));
    }
    for (int i = 0; i < 250; ++i) {
        ASSERT_EQ(m_computer.Send(toFarEnd[i].data(), static_cast<int>(toFarEnd[i].size())), 0);
        ASSERT_EQ(m_farEnd.Send(toComputer[i].data(), static_cast<int>(toComputer[i].size())), 0);
    }
    ASSERT_TRUE(m_farEnd.WaitUntil([&] { return m_farEnd.received.size() == 250; }));
    ASSERT_TRUE(m_computer.WaitUntil([&] { return m_computer.received.size() == 250; }));
    EXPECT_EQ(m_farEnd.received, toFarEnd);
    EXPECT_EQ(m_computer.received, toComputer);
    ASSERT_TRUE(m_computer.WaitUntil([&] { return m_computer.sentLengths.size() == 250; }));

    VcomStatistics statistics;
    m_computer.GetStatistics(statistics);
    EXPECT_EQ(statistics.value[VcomStatistics::kLinkState], 1);
    EXPECT_GE(statistics.value[VcomStatistics::kFramesSent], 250);
    EXPECT_GE(statistics.value[VcomStatistics::kFramesReceived], 250);
    EXPECT_EQ(statistics.value[VcomStatistics::kLinkLosses], 0);
    auto lock = m_computer.Lock();
    EXPECT_TRUE(m_computer.statuses.empty());
}

TEST_F(LinkStackTest, FarEndNoticesTheComputerGoingAway) {
    ConnectBoth();
    ASSERT_EQ(m_computer.Disconnect(), kVcomOk);
    VcomStatistics statistics;
    m_computer.GetStatistics(statistics);
    EXPECT_EQ(statistics.value[VcomStatistics::kLinkState], 0);

    // Polls go unanswered; the fifth time-out drops the link and tears the stack down.
    ASSERT_TRUE(m_farEnd.WaitUntil([&] { return m_farEnd.disconnects == 1; }));
    EXPECT_FALSE(m_farEnd.IsConnected());
    m_farEnd.GetStatistics(statistics);
    EXPECT_EQ(statistics.value[VcomStatistics::kLinkLosses], 1);
    EXPECT_GE(statistics.value[VcomStatistics::kRetransmissions], 4);

    // Both ends can start again on the same line.
    ASSERT_EQ(m_farEnd.Connect(0, "Passive", 0, nullptr), kVcomOk);
    ASSERT_EQ(m_computer.Connect(0, nullptr, 0, "4 8 0 0 19200"), kVcomOk);
    ASSERT_TRUE(m_computer.WaitUntil([&] { return m_computer.connects == 2; }));
    const Bytes hello{1, 2};
    ASSERT_EQ(m_computer.Send(hello.data(), 2), 0);
    ASSERT_TRUE(m_farEnd.WaitUntil([&] { return m_farEnd.received.size() == 1; }));
}

TEST_F(LinkStackTest, PortInUseFailsTheSecondConnect) {
    ASSERT_EQ(m_computer.Connect(0, nullptr, 0, "4 8 0 0 19200"), kVcomOk);
    CRecordingVcom other;
    other.LayerFactory().SetPortResolver([this](int) { return m_pty.SlavePath(); });
    EXPECT_EQ(other.Connect(0, nullptr, 0, "4 8 0 0 19200"), kVcomLayer1OpenFailed);
    ASSERT_TRUE(other.WaitUntil([&] { return !other.statuses.empty(); }));
    EXPECT_EQ(other.statuses[0].code, kStatusSerialOpenFailed);
}

}  // namespace
