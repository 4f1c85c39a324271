// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <vector>

#include "link/CLayerFactory.h"
#include "link/CSession.h"
#include "link/CStatusQueue.h"
#include "link/VcomCodes.h"
#include "support/CLoopLayer2.h"
#include "support/CMemoryLayer1.h"
#include "support/CRecordingVcom.h"
#include "support/CTestLayerFactory.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Counting(int length, int start = 0) {
    Bytes bytes(length);
    std::iota(bytes.begin(), bytes.end(), static_cast<uint8_t>(start));
    return bytes;
}

// Two Vcom objects joined by a framing-free Layer 2 pair whose payloads are
// ten bytes, so that the session has to cut messages into fragments.
class SessionTest : public ::testing::Test {
protected:
    static constexpr int kFragmentSize = 10;

    void Join(CRecordingVcom& first, CRecordingVcom& second) {
        Attach(first, true);
        Attach(second, false);
        ASSERT_EQ(first.Connect(0, nullptr, 0, nullptr), kVcomOk);
        ASSERT_EQ(second.Connect(0, nullptr, 0, nullptr), kVcomOk);
    }

    void Attach(Vcom& link, bool first) {
        auto shared = m_shared;
        link.SetLayerFactory(std::make_unique<CTestLayerFactory>(
            [] { return std::unique_ptr<CLayer1>(CMemoryLayer1::MakePair().first.release()); },
            [shared, first](CLayer1& layer1) {
                return std::make_unique<CLoopLayer2>(layer1, shared, first, kFragmentSize);
            }));
    }

    void SetLink(bool up, bool accepting) {
        std::lock_guard lock(m_shared->mutex);
        m_shared->linkUp = up;
        m_shared->accepting = accepting;
    }

    std::shared_ptr<CLoopLayer2::Shared> m_shared = std::make_shared<CLoopLayer2::Shared>();
};

TEST_F(SessionTest, LongMessageGoesInFragmentsAndOnSentComesOnceAfterTheLast) {
    CRecordingVcom sender(40);
    CRecordingVcom receiver(40);
    Join(sender, receiver);
    const Bytes message = Counting(35);
    ASSERT_EQ(sender.Send(message.data(), 35), kVcomOk);
    ASSERT_TRUE(receiver.WaitUntil([&] { return receiver.received.size() == 1; }));
    EXPECT_EQ(receiver.received[0], message);
    EXPECT_EQ(receiver.announcedLengths, std::vector<int>{35});
    ASSERT_TRUE(sender.WaitUntil([&] { return !sender.sentLengths.empty(); }));
    EXPECT_EQ(sender.sentLengths, std::vector<int>{35});
    std::lock_guard lock(m_shared->mutex);
    EXPECT_EQ(m_shared->typesSentByFirst,
              (std::vector<int>{kFragmentFirst, kFragmentMiddle, kFragmentMiddle, kFragmentLast}));
}

TEST_F(SessionTest, MessagesArriveWholeAndInOrder) {
    CRecordingVcom sender(40);
    CRecordingVcom receiver(40);
    Join(sender, receiver);
    const std::vector<Bytes> messages{Counting(3, 1), Counting(10, 50), Counting(21, 100)};
    for (const Bytes& message : messages) {
        ASSERT_EQ(sender.Send(message.data(), static_cast<int>(message.size())), kVcomOk);
    }
    ASSERT_TRUE(receiver.WaitUntil([&] { return receiver.received.size() == 3; }));
    EXPECT_EQ(receiver.received, messages);
    EXPECT_EQ(receiver.announcedLengths, (std::vector<int>{3, 10, 21}));
    std::lock_guard lock(m_shared->mutex);
    EXPECT_EQ(m_shared->typesSentByFirst,
              (std::vector<int>{kFragmentWhole, kFragmentWhole, kFragmentFirst, kFragmentMiddle,
                                kFragmentLast}));
}

TEST_F(SessionTest, ReassemblyPastTheMaximumIsDiscarded) {
    CRecordingVcom sender(40);
    CRecordingVcom receiver(20);
    Join(sender, receiver);
    const Bytes tooLong = Counting(35);
    const Bytes fits = Counting(15, 7);
    ASSERT_EQ(sender.Send(tooLong.data(), 35), kVcomOk);
    ASSERT_EQ(sender.Send(fits.data(), 15), kVcomOk);
    ASSERT_TRUE(receiver.WaitUntil([&] { return receiver.received.size() == 1; }));
    EXPECT_EQ(receiver.received[0], fits) << "the next message is reassembled normally";
    ASSERT_TRUE(receiver.WaitUntil([&] { return !receiver.statuses.empty(); }));
    EXPECT_EQ(receiver.statuses[0].code, kStatusReassemblyOverflow);
    EXPECT_EQ(receiver.statuses[0].parameter, 30);
}

TEST_F(SessionTest, ShortBufferLeavesTheMessageQueued) {
    CRecordingVcom sender(40);
    CRecordingVcom receiver(40, false);
    Join(sender, receiver);
    const Bytes message = Counting(20);
    ASSERT_EQ(sender.Send(message.data(), 20), kVcomOk);
    ASSERT_TRUE(receiver.WaitUntil([&] { return receiver.announcedLengths.size() == 1; }));
    Bytes buffer(20);
    int length = 0;
    EXPECT_EQ(receiver.Receive(buffer.data(), 19, length), kVcomBufferTooSmall);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(receiver.Receive(buffer.data(), 20, length), kVcomOk);
    EXPECT_EQ(length, 20);
    EXPECT_EQ(buffer, message);
    EXPECT_EQ(receiver.Receive(buffer.data(), 20, length), kVcomNoMessage);
}

TEST_F(SessionTest, LinkUpAndDownReachTheOwner) {
    SetLink(false, false);
    CRecordingVcom sender(40);
    CRecordingVcom receiver(40);
    Join(sender, receiver);
    const Bytes message = Counting(5);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(sender.Send(message.data(), 5), kVcomOk);
    }
    int transmitCount = 0;
    int receiveCount = 0;
    ASSERT_EQ(sender.GetQueueCounts(transmitCount, receiveCount), 1);
    EXPECT_EQ(transmitCount, 3) << "Layer 2 takes nothing yet";

    SetLink(true, false);
    ASSERT_TRUE(sender.WaitUntil([&] { return sender.connects == 1; }));
    SetLink(false, false);
    ASSERT_TRUE(sender.WaitUntil([&] { return sender.disconnects == 1; }));
    EXPECT_FALSE(sender.IsConnected()) << "the stack tore itself down";
    EXPECT_EQ(sender.GetQueueCounts(transmitCount, receiveCount), 0);

    // The queues were emptied: a new connection starts with nothing waiting.
    ASSERT_EQ(sender.Connect(0, nullptr, 0, nullptr), kVcomOk);
    ASSERT_EQ(sender.GetQueueCounts(transmitCount, receiveCount), 1);
    EXPECT_EQ(transmitCount, 0);
    EXPECT_EQ(receiveCount, 0);

    // An owner's Disconnect makes no callback.
    ASSERT_EQ(sender.Disconnect(), kVcomOk);
    SetLink(true, true);
    ASSERT_EQ(sender.Connect(0, nullptr, 0, nullptr), kVcomOk);
    ASSERT_TRUE(sender.WaitUntil([&] { return sender.connects == 2; }));
    ASSERT_EQ(sender.Disconnect(), kVcomOk);
    auto lock = sender.Lock();
    EXPECT_EQ(sender.disconnects, 1);
}

TEST_F(SessionTest, RefusedFragmentIsReported) {
    CRecordingVcom sender(40);
    CRecordingVcom receiver(40);
    Join(sender, receiver);
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->refuseWhileAccepting = true;
    }
    const Bytes lost = Counting(5);
    ASSERT_EQ(sender.Send(lost.data(), 5), kVcomOk);
    ASSERT_TRUE(sender.WaitUntil([&] { return !sender.statuses.empty(); }));
    EXPECT_EQ(sender.statuses[0].code, kStatusFragmentRefused);
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->refuseWhileAccepting = false;
    }
    // A whole message that Layer 2 refused is gone; the next one goes through.
    const Bytes next = Counting(6, 9);
    ASSERT_EQ(sender.Send(next.data(), 6), kVcomOk);
    ASSERT_TRUE(receiver.WaitUntil([&] { return receiver.received.size() == 1; }));
    EXPECT_EQ(receiver.received[0], next);
    {
        auto lock = sender.Lock();
        EXPECT_TRUE(sender.sentLengths == std::vector<int>{6});
    }

    // So is a long message whose first fragment was refused, and that is reported too.
    {
        std::lock_guard lock(m_shared->mutex);
        m_shared->refuseWhileAccepting = true;
    }
    const Bytes longLost = Counting(25);
    ASSERT_EQ(sender.Send(longLost.data(), 25), kVcomOk);
    ASSERT_TRUE(sender.WaitUntil([&] { return sender.statuses.size() == 2; }));
    EXPECT_EQ(sender.statuses[1].code, kStatusFragmentRefused);
}

}  // namespace

// Messages that arrive together with the link's loss are announced before it,
// those still in Layer 2 too. One session stepped by hand, without threads.
TEST_F(SessionTest, WhatArrivedBeforeALossIsAnnouncedBeforeIt) {
    CRecordingVcom owner(40, false);
    CStatusQueue statuses;
    CSession session(owner, statuses, 40);
    auto line = CMemoryLayer1::MakePair();
    CLoopLayer2 lower(*line.second, m_shared, false, kFragmentSize);
    session.SetLowerLayer(&lower);
    int idle = 0;
    session.Step(idle);
    ASSERT_EQ(owner.connects, 1);

    m_shared->toSecond.emplace_back(Counting(5), kFragmentWhole);
    session.ReceivePull();                                         // taken by the comm link thread
    m_shared->toSecond.emplace_back(Counting(8), kFragmentWhole);  // not taken yet
    m_shared->linkUp = false;
    session.Step(idle);
    EXPECT_EQ(owner.announcedLengths, (std::vector<int>{5, 8}));
    EXPECT_EQ(owner.disconnects, 1);
    EXPECT_EQ(owner.announcedAtLastDisconnect, 2u);
}
