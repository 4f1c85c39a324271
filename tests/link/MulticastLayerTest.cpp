// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "link/CLayerFactory.h"
#include "link/CMulticastLayer1.h"
#include "link/CStatusQueue.h"
#include "link/SocketPlatform.h"
#include "link/SocketSupport.h"
#include "link/VcomCodes.h"
#include "support/CRecordingVcom.h"
#include "support/FastClock.h"
#include "support/ImageSending.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr const char* kGroup = "239.255.70.17";
// The loopback interface, so that the tests need no multicast route.
constexpr const char* kInterface = "127.0.0.1";
constexpr int kClockFactor = 20;

// Members on one port the system picked, held by a socket that shares it.
// Runs on Linux and, through the socket platform layer, on Windows.
class MulticastLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_portHolder = socket_platform::OpenSocket(SOCK_DGRAM);
        ASSERT_NE(m_portHolder, kNoSocket);
        const int on = 1;
        socket_platform::SetOption(m_portHolder, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        sockaddr_in any{};
        any.sin_family = AF_INET;
        ASSERT_EQ(::bind(m_portHolder, reinterpret_cast<const sockaddr*>(&any), sizeof any), 0);
        m_port = socket_support::LocalPort(m_portHolder);
    }
    void TearDown() override { socket_platform::Close(m_portHolder); }

    std::string Text() const {
        return std::string("MULTICAST_MEMBER ") + kGroup + " " + std::to_string(m_port);
    }
    // Opens a member; false (with the reason) where this host cannot join.
    bool OpenMember(CMulticastLayer1& member, std::string& reason) {
        member.SetQueues(&m_statuses, nullptr);
        if (member.Open() == 0) {
            return true;
        }
        int code = 0;
        int error = 0;
        m_statuses.Pop(code, error);
        reason = "no multicast on this host: status " + std::to_string(code) + ", error " +
                 std::to_string(error);
        return false;
    }
    // Sends one datagram to the group from an outside socket.
    void SendFromOutside(const Bytes& datagram) {
        SocketHandle sender = socket_platform::OpenSocket(SOCK_DGRAM);
        in_addr interfaceAddress{};
        ::inet_pton(AF_INET, kInterface, &interfaceAddress);
        socket_platform::SetOption(sender, IPPROTO_IP, IP_MULTICAST_IF, &interfaceAddress,
                                   sizeof interfaceAddress);
        sockaddr_in group{};
        group.sin_family = AF_INET;
        group.sin_port = htons(static_cast<uint16_t>(m_port));
        ::inet_pton(AF_INET, kGroup, &group.sin_addr);
        const int size = static_cast<int>(datagram.size());
        EXPECT_EQ(socket_platform::SendTo(sender, datagram.data(), size, group), size);
        socket_platform::Close(sender);
    }
    // Waits, with a bound, for a datagram and reads it with the given maximum.
    static Bytes ReadNext(CMulticastLayer1& member, int maximum) {
        for (int i = 0; i < 400 && member.BytesWaiting() == 0; ++i) {
            member.WaitReadable(50);
        }
        Bytes buffer(maximum);
        buffer.resize(std::max(0, member.Read(buffer.data(), maximum)));
        return buffer;
    }

    CStatusQueue m_statuses;
    SocketHandle m_portHolder = kNoSocket;
    int m_port = 0;
};

Bytes Pattern(int length, int seed) {
    Bytes bytes(length);
    for (int i = 0; i < length; ++i) {
        bytes[i] = static_cast<uint8_t>(i * 7 + seed);
    }
    return bytes;
}

TEST_F(MulticastLayerTest, DatagramsAreKeptUpToTheirSizeAndCutToTheReadMaximum) {
    CMulticastLayer1 member(Text().c_str(), kInterface);
    std::string reason;
    if (!OpenMember(member, reason)) {
        GTEST_SKIP() << reason;
    }
    EXPECT_EQ(member.IsReady(), 1);
    const Bytes oversized = Pattern(2000, 1);
    SendFromOutside(oversized);
    SendFromOutside(oversized);
    SendFromOutside(Pattern(10, 2));

    EXPECT_EQ(ReadNext(member, 4000), Bytes(oversized.begin(), oversized.begin() + 1472));
    EXPECT_EQ(ReadNext(member, 255), Bytes(oversized.begin(), oversized.begin() + 255));
    EXPECT_EQ(ReadNext(member, 255), Pattern(10, 2)) << "the rest of the cut one is lost";
    EXPECT_EQ(member.BytesWaiting(), 0);
    member.Close();
    EXPECT_EQ(member.IsReady(), 0);
    EXPECT_TRUE(m_statuses.IsEmpty());
}

TEST_F(MulticastLayerTest, MembersHearEachOtherButNotThemselves) {
    CMulticastLayer1 first(Text().c_str(), kInterface);
    CMulticastLayer1 second(Text().c_str(), kInterface);
    std::string reason;
    if (!OpenMember(first, reason) || !OpenMember(second, reason)) {
        GTEST_SKIP() << reason;
    }
    const Bytes fromFirst = Pattern(20, 3);
    const Bytes fromSecond = Pattern(30, 4);
    ASSERT_EQ(first.Write(fromFirst.data(), 20), 20);
    ASSERT_EQ(second.Write(fromSecond.data(), 30), 30);
    EXPECT_EQ(ReadNext(second, 255), fromFirst);
    // The first member's own datagram went out before the second's answer.
    EXPECT_EQ(ReadNext(first, 255), fromSecond);
    EXPECT_EQ(first.BytesWaiting(), 0);
}

// A stack connected over the group polls it through the packet layer, frame
// by frame, one datagram each.
TEST_F(MulticastLayerTest, AStackPollsTheGroup) {
    CMulticastLayer1 listener(Text().c_str(), kInterface);
    std::string reason;
    if (!OpenMember(listener, reason)) {
        GTEST_SKIP() << reason;
    }
    CRecordingVcom computer;
    computer.LayerFactory().SetClock(FastClock(kClockFactor));
    computer.LayerFactory().SetMulticastInterface(kInterface);
    ASSERT_EQ(computer.Connect(0, nullptr, CLayerFactory::kMulticastLayer1, Text().c_str()),
              kVcomOk);
    const Bytes poll = ReadNext(listener, 255);
    ASSERT_EQ(poll.size(), 5u) << "type, sequence, length and the CRC-16";
    EXPECT_EQ(poll[0], 3) << "a poll";
    EXPECT_EQ(computer.Disconnect(), kVcomOk);
}

TEST_F(MulticastLayerTest, AnImageCrossesBothWaysBetweenAComputerAndAPassiveEnd) {
    CMulticastLayer1 probe(Text().c_str(), kInterface);
    std::string reason;
    if (!OpenMember(probe, reason)) {
        GTEST_SKIP() << reason;
    }
    probe.Close();
    CRecordingVcom computer;
    CRecordingVcom deskset;
    for (CRecordingVcom* stack : {&computer, &deskset}) {
        stack->LayerFactory().SetClock(FastClock(kClockFactor));
        stack->LayerFactory().SetMulticastInterface(kInterface);
    }
    ASSERT_EQ(deskset.Connect(0, "Passive", CLayerFactory::kMulticastLayer1, Text().c_str()),
              kVcomOk);
    ASSERT_EQ(computer.Connect(0, nullptr, CLayerFactory::kMulticastLayer1, Text().c_str()),
              kVcomOk);
    ASSERT_TRUE(computer.WaitUntil([&] { return computer.connects == 1; }));
    ASSERT_TRUE(deskset.WaitUntil([&] { return deskset.connects == 1; }));

    // Whole frames of 250 payload bytes each way: a passive end over datagrams
    // must take each one whole.
    EXPECT_TRUE(ImagesCrossBothWays(computer, deskset));
    EXPECT_EQ(computer.Disconnect(), kVcomOk);
    EXPECT_EQ(deskset.Disconnect(), kVcomOk);
}

}  // namespace
