// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <dirent.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include <memory>
#include <string>
#include <vector>

#include "link/CLayerFactory.h"
#include "link/CPacketLayer2.h"
#include "link/VcomCodes.h"
#include "link/VcomTrace.h"
#include "support/CLoopLayer2.h"
#include "support/CMemoryLayer1.h"
#include "support/CRecordingVcom.h"
#include "support/CTestLayerFactory.h"

namespace {

// Collects trace texts for the lifetime of a test.
class TraceCapture {
public:
    TraceCapture() {
        SetVcomTraceSink([this](std::string_view text) { m_texts.emplace_back(text); });
    }
    ~TraceCapture() { SetVcomTraceSink(nullptr); }
    const std::vector<std::string>& Texts() const { return m_texts; }

private:
    std::vector<std::string> m_texts;
};

// Gives the Vcom a memory line (whose far end nobody serves) under the real
// packet layer, or under the layer kind the test asks for.
void UseMemoryLine(Vcom& link) {
    link.SetLayerFactory(std::make_unique<CTestLayerFactory>(
        [] { return std::unique_ptr<CLayer1>(CMemoryLayer1::MakePair().first.release()); }));
}

bool HasStatus(CRecordingVcom& link, int code, int parameter) {
    return link.WaitUntil([&] {
        for (const auto& status : link.statuses) {
            if (status.code == code && status.parameter == parameter) {
                return true;
            }
        }
        return false;
    });
}

TEST(VcomTest, SendAndReceiveRefuseBadCalls) {
    CRecordingVcom link(250);
    const std::vector<uint8_t> bytes(251, 1);
    uint8_t buffer[10];
    int length = 99;
    EXPECT_EQ(link.Send(bytes.data(), 10), kVcomNotConnected);
    EXPECT_EQ(link.Receive(buffer, 10, length), kVcomNotConnected);
    EXPECT_EQ(length, 0);
    int transmitCount = -1;
    int receiveCount = -1;
    EXPECT_EQ(link.GetQueueCounts(transmitCount, receiveCount), 0);
    EXPECT_EQ(transmitCount, -1) << "nothing is written when not connected";

    UseMemoryLine(link);
    ASSERT_EQ(link.Connect(0, nullptr, 0, nullptr), kVcomOk);
    EXPECT_EQ(link.Send(bytes.data(), 251), kVcomTooLong);
    EXPECT_EQ(link.Send(bytes.data(), 0), kVcomLengthTooSmall);
    EXPECT_EQ(link.Send(nullptr, 5), kVcomBadBuffer);
    EXPECT_EQ(link.Send(bytes.data(), 250), kVcomOk);
    EXPECT_EQ(link.Receive(nullptr, 10, length), kVcomBadBuffer);
    EXPECT_EQ(link.Receive(buffer, 0, length), kVcomBadBuffer);
    EXPECT_EQ(link.Receive(buffer, 10, length), kVcomNoMessage);
    EXPECT_EQ(link.GetQueueCounts(transmitCount, receiveCount), 1);
    EXPECT_EQ(receiveCount, 0);
    EXPECT_EQ(link.Disconnect(), kVcomOk);
    EXPECT_EQ(link.Disconnect(), kVcomOk) << "harmless when not connected";
    EXPECT_EQ(link.Send(bytes.data(), 10), kVcomNotConnected);
}

TEST(VcomTest, SecondConnectLeavesTheFirstIntact) {
    CRecordingVcom link;
    UseMemoryLine(link);
    ASSERT_EQ(link.Connect(0, nullptr, 0, nullptr), kVcomOk);
    EXPECT_EQ(link.Connect(0, nullptr, 0, nullptr), kVcomAlreadyConnected);
    EXPECT_TRUE(link.IsConnected());
    const uint8_t byte = 1;
    EXPECT_EQ(link.Send(&byte, 1), kVcomOk);
    int transmitCount = 0;
    int receiveCount = 0;
    EXPECT_EQ(link.GetQueueCounts(transmitCount, receiveCount), 1);
}

TEST(VcomTest, UnknownLayerKindsAreReportedAndLeaveNothingBehind) {
    TraceCapture traces;
    CRecordingVcom link;
    UseMemoryLine(link);

    EXPECT_EQ(link.Connect(19, nullptr, 0, nullptr), kVcomUnknownLayer2);
    EXPECT_TRUE(HasStatus(link, kStatusUnknownLayer2, 0));
    EXPECT_FALSE(link.IsConnected());
    int transmitCount = 0;
    int receiveCount = 0;
    EXPECT_EQ(link.GetQueueCounts(transmitCount, receiveCount), 0);

    EXPECT_EQ(link.Connect(0, nullptr, 6, nullptr), kVcomUnknownLayer1);
    EXPECT_TRUE(HasStatus(link, kStatusUnknownLayer1, 0));

    // Kinds the library does not carry are unknown too.
    EXPECT_EQ(link.Connect(3, nullptr, 0, nullptr), kVcomUnknownLayer2);

    EXPECT_EQ(traces.Texts(),
              (std::vector<std::string>{"(Vcom::Connect)  error: unknown Layer2\n",
                                        "(Vcom::Connect)  error: unknown Layer1\n",
                                        "(Vcom::Connect)  error: unknown Layer2\n"}));
    // Nothing was left connected: a good Connect still works.
    EXPECT_EQ(link.Connect(0, nullptr, 0, nullptr), kVcomOk);
}

TEST(VcomTest, Layer1OpenFailureGivesStatusOne) {
    CRecordingVcom link;
    link.LayerFactory().SetPortResolver([](int) { return std::string("/nonexistent/tty"); });
    EXPECT_EQ(link.Connect(0, nullptr, 0, "1 8 0 0 19200"), kVcomLayer1OpenFailed);
    EXPECT_TRUE(HasStatus(link, kStatusSerialOpenFailed, 0));
    EXPECT_FALSE(link.IsConnected());
}

TEST(VcomTest, ShutdownRefusesNewConnections) {
    CRecordingVcom link;
    UseMemoryLine(link);
    ASSERT_EQ(link.Connect(0, nullptr, 0, nullptr), kVcomOk);
    link.Shutdown();
    EXPECT_FALSE(link.IsConnected());
    EXPECT_EQ(link.Connect(0, nullptr, 0, nullptr), kVcomSessionNotRunning);
    link.Shutdown();  // twice is harmless
}

}  // namespace

namespace {

// The nice value of this process's thread with the given name, or -100.
int NiceOfThread(const std::string& name) {
    DIR* tasks = opendir("/proc/self/task");
    int nice = -100;
    while (dirent* entry = tasks ? readdir(tasks) : nullptr) {
        const std::string base = std::string("/proc/self/task/") + entry->d_name;
        std::ifstream comm(base + "/comm");
        std::string threadName;
        std::getline(comm, threadName);
        if (threadName != name) {
            continue;
        }
        std::ifstream statFile(base + "/stat");
        std::string stat;
        std::getline(statFile, stat);
        std::istringstream fields(stat.substr(stat.rfind(')') + 2));
        std::string field;
        for (int index = 3; index <= 19 && fields >> field; ++index) {
            if (index == 19) {
                nice = std::stoi(field);
            }
        }
    }
    if (tasks != nullptr) {
        closedir(tasks);
    }
    return nice;
}

// Lowering a priority is always allowed, so the mapping can be checked as any user.
TEST(VcomTest, ThreadPrioritiesAreApplied) {
    VcomThreadPriorities priorities;
    priorities.session = -3;
    priorities.commLink = -1;
    CRecordingVcom link(250, true, priorities);
    UseMemoryLine(link);
    ASSERT_EQ(link.Connect(0, nullptr, 0, nullptr), kVcomOk);
    int sessionNice = -100;
    int commNice = -100;
    for (int i = 0; i < 1000 && (sessionNice != 6 || commNice != 2); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        sessionNice = NiceOfThread("vcom-session");
        commNice = NiceOfThread("vcom-comm");
    }
    EXPECT_EQ(sessionNice, 6);
    EXPECT_EQ(commNice, 2);
}

}  // namespace
