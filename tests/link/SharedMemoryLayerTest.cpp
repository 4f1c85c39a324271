// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <string>
#include <vector>

#include "link/CLayerFactory.h"
#include "link/CSharedMemoryLayer1.h"
#include "link/CSharedRing.h"
#include "link/VcomCodes.h"
#include "support/CChildProcess.h"
#include "support/CRecordingVcom.h"
#include "support/CTraceCapture.h"
#include "support/FastClock.h"
#include "support/ImageExchange.h"
#include "support/LineChecks.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

constexpr int kRing = CSharedMemoryLayer1::kRingSize;

Bytes Sequence(int length, int first) {
    Bytes bytes(length);
    std::iota(bytes.begin(), bytes.end(), static_cast<uint8_t>(first));
    return bytes;
}

Bytes ReadAll(CSharedRing& ring) {
    Bytes bytes(kRing + 1);
    bytes.resize(ring.Read(bytes.data(), kRing + 1));
    return bytes;
}

// One half of a block in ordinary memory: the ring logic needs no second process.
class SharedRingTest : public ::testing::Test {
protected:
    Bytes m_half = Bytes(CSharedMemoryLayer1::kHalfSize, 0);
    CSharedRing m_ring{m_half.data(), kRing, 20ms};
};

TEST_F(SharedRingTest, WrapsAroundAndOverwritesTheOldestBytesWhenFull) {
    // Round the end of the ring and back.
    EXPECT_EQ(m_ring.Write(Sequence(1500, 0).data(), 1500), 1500);
    EXPECT_EQ(ReadAll(m_ring), Sequence(1500, 0));
    EXPECT_EQ(m_ring.Write(Sequence(1000, 7).data(), 1000), 1000);
    EXPECT_EQ(m_ring.Count(), 1000);
    Bytes part(600);
    EXPECT_EQ(m_ring.Read(part.data(), 600), 600);
    EXPECT_EQ(part, Sequence(600, 7));
    EXPECT_EQ(ReadAll(m_ring), Sequence(400, 7 + 600));
    EXPECT_EQ(m_ring.Count(), 0);

    // Overrun: the writer takes everything, the reader gets the newest ring-full in order.
    Bytes written;
    for (int i = 0; i < 9; ++i) {
        const Bytes piece = Sequence(300, i * 300);
        written.insert(written.end(), piece.begin(), piece.end());
        EXPECT_EQ(m_ring.Write(piece.data(), 300), 300);
    }
    EXPECT_EQ(m_ring.Count(), kRing);
    EXPECT_EQ(ReadAll(m_ring), Bytes(written.end() - kRing, written.end()));

    // One write longer than the ring keeps its own last ring-full.
    const Bytes longer = Sequence(kRing + 77, 3);
    EXPECT_EQ(m_ring.Write(longer.data(), kRing + 77), kRing + 77);
    EXPECT_EQ(ReadAll(m_ring), Bytes(longer.begin() + 77, longer.end()));
    EXPECT_EQ(m_half[0], 0);  // busy given back every time
}

TEST_F(SharedRingTest, ABusyByteStuckAtOneIsTakenOverAfterTheBound) {
    CTraceCapture traces;
    m_half[0] = 1;  // the other side died holding it
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(m_ring.Write(Sequence(10, 1).data(), 10), 10);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 20ms);
    EXPECT_EQ(
        traces.Count("(CSharedMemoryLayer1)  error: busy byte held too long, taking it over\n"), 1);
    EXPECT_EQ(m_half[0], 0);
    EXPECT_EQ(ReadAll(m_ring), Sequence(10, 1));
    EXPECT_EQ(
        traces.Count("(CSharedMemoryLayer1)  error: busy byte held too long, taking it over\n"), 1);

    // A header that does not add up (a write cut short) is an empty ring.
    m_half[4] = 0xFF;
    EXPECT_EQ(m_ring.Count(), 0);
    EXPECT_EQ(m_ring.Write(Sequence(5, 9).data(), 5), 5);
    EXPECT_EQ(ReadAll(m_ring), Sequence(5, 9));
}

class SharedMemoryLayerTest : public ::testing::Test {
protected:
    void TearDown() override { ::shm_unlink(m_objectName.c_str()); }

    static std::string UniqueText() {
        static int counter = 0;
        return "torvo-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    }

    bool ObjectExists() const {
        const int descriptor = ::shm_open(m_objectName.c_str(), O_RDONLY, 0);
        if (descriptor >= 0) {
            ::close(descriptor);
        }
        return descriptor >= 0;
    }

    std::string m_text = UniqueText();
    std::string m_objectName = CSharedMemoryLayer1::ObjectName(m_text.c_str());
};

TEST_F(SharedMemoryLayerTest, CreatorAndOpenerWriteCrossedHalvesAndTheCreatorRemovesTheBlock) {
    EXPECT_EQ(CSharedMemoryLayer1::ObjectName("a/b%c d"), "/VCOM_MMF_a%2Fb%25c%20d");
    EXPECT_EQ(CSharedMemoryLayer1::ObjectName(nullptr), "/VCOM_MMF_");

    auto creator = std::make_unique<CSharedMemoryLayer1>(m_text.c_str());
    CSharedMemoryLayer1 opener(m_text.c_str());
    EXPECT_EQ(creator->BaudRate(), 19200);
    EXPECT_EQ(creator->FreeTransmitSpace(), 2048);
    EXPECT_EQ(creator->IsReady(), 1);
    ASSERT_EQ(creator->Open(), 0);
    ASSERT_EQ(opener.Open(), 0);
    EXPECT_TRUE(creator->IsCreator());
    EXPECT_FALSE(opener.IsCreator());

    ExpectCrossedHalves(*creator, opener);
    const Bytes down = Sequence(40, 1);
    Bytes buffer(64);

    // The creator's close removes the name; the opener keeps its mapping.
    EXPECT_EQ(creator->Write(down.data(), 40), 40);
    creator.reset();
    EXPECT_FALSE(ObjectExists());
    EXPECT_EQ(opener.Read(buffer.data(), 64), 40);

    // The next one to open makes a fresh block.
    CSharedMemoryLayer1 next(m_text.c_str());
    ASSERT_EQ(next.Open(), 0);
    EXPECT_TRUE(next.IsCreator());
    EXPECT_EQ(next.BytesWaiting(), 0);
}

TEST_F(SharedMemoryLayerTest, ABlockLeftBehindIsReplacedAndAForeignSizeRefused) {
    CTraceCapture traces;
    // Left by a creator that crashed: sized, filled, nobody holding its lock.
    int descriptor = ::shm_open(m_objectName.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(::ftruncate(descriptor, CSharedMemoryLayer1::kBlockSize), 0);
    ASSERT_EQ(::pwrite(descriptor, "\x01\x00\x00\x00\x10", 5, 0), 5);
    ::close(descriptor);
    {
        CSharedMemoryLayer1 layer(m_text.c_str());
        ASSERT_EQ(layer.Open(), 0);
        EXPECT_TRUE(layer.IsCreator());
        EXPECT_EQ(layer.BytesWaiting(), 0);
        EXPECT_EQ(traces.Count("(CSharedMemoryLayer1::Open)  replacing a block its creator left "
                               "behind\n"),
                  1);
    }

    // A live block of the older 2080-byte layout cannot be shared with.
    descriptor = ::shm_open(m_objectName.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600);
    ASSERT_GE(descriptor, 0);
    ASSERT_EQ(::flock(descriptor, LOCK_EX), 0);
    ASSERT_EQ(::ftruncate(descriptor, 2080), 0);
    CRecordingVcom link;
    EXPECT_EQ(link.Connect(0, nullptr, CLayerFactory::kSharedMemoryLayer1, m_text.c_str()),
              kVcomLayer1OpenFailed);
    ::close(descriptor);
}

// Root may chown a block to another user and still open it: only the owner
// check stands between it and joining or removing someone else's block.
TEST_F(SharedMemoryLayerTest, AnotherUsersBlockIsNeitherJoinedNorReplaced) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to make a block another user owns";
    }
    CTraceCapture traces;
    for (const bool live : {true, false}) {
        const int descriptor = ::shm_open(m_objectName.c_str(), O_RDWR | O_CREAT | O_EXCL, 0666);
        ASSERT_GE(descriptor, 0);
        ASSERT_EQ(::fchmod(descriptor, 0666), 0);
        ASSERT_EQ(::fchown(descriptor, ::geteuid() + 1, ::getegid()), 0);
        ASSERT_EQ(::ftruncate(descriptor, CSharedMemoryLayer1::kBlockSize), 0);
        if (live) {
            ASSERT_EQ(::flock(descriptor, LOCK_EX), 0);
        }
        CSharedMemoryLayer1 layer(m_text.c_str());
        EXPECT_EQ(layer.Open(), -1) << (live ? "live" : "left behind");
        EXPECT_TRUE(ObjectExists()) << (live ? "live" : "left behind");
        ::close(descriptor);
        ::shm_unlink(m_objectName.c_str());
    }
    EXPECT_EQ(traces.Count("(CSharedMemoryLayer1::Open)  error: the block belongs to another "
                           "user\n"),
              2);
    EXPECT_EQ(traces.Count("(CSharedMemoryLayer1::Open)  replacing a block its creator left "
                           "behind\n"),
              0);
}

TEST_F(SharedMemoryLayerTest, TwoProcessesMoveAnImageBothWays) {
    const auto result = ExchangeImages(CLayerFactory::kSharedMemoryLayer1, m_text, m_text);
    ASSERT_EQ(result.failure, "");
    std::printf("[   TIME   ] shared memory: 16384 bytes down in %.0f ms, up in %.0f ms\n",
                result.downloadMs, result.uploadMs);
}

TEST_F(SharedMemoryLayerTest, APeerThatDiesTearsTheSessionDown) {
    CChildProcess child([&] {
        CRecordingVcom farEnd;
        farEnd.LayerFactory().SetClock(FastClock(20));
        farEnd.Connect(0, "Passive", CLayerFactory::kSharedMemoryLayer1, m_text.c_str());
        farEnd.WaitUntil([&] { return false; }, 30s);  // killed long before
        return 0;
    });
    ASSERT_TRUE(child.IsStarted());
    CRecordingVcom computer;
    computer.LayerFactory().SetClock(FastClock(20));
    ASSERT_EQ(computer.Connect(0, nullptr, CLayerFactory::kSharedMemoryLayer1, m_text.c_str()),
              kVcomOk);
    ASSERT_TRUE(computer.WaitUntil([&] { return computer.connects == 1; }));

    // Nothing tells this side: its polls go unanswered until the link drops.
    child.Kill();
    ASSERT_TRUE(computer.WaitUntil([&] { return computer.disconnects == 1; }));
    EXPECT_FALSE(computer.IsConnected());
    VcomStatistics statistics;
    computer.GetStatistics(statistics);
    EXPECT_EQ(statistics.value[VcomStatistics::kLinkLosses], 1);
}

}  // namespace
