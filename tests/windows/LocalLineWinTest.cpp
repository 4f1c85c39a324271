// SPDX-License-Identifier: GPL-3.0-or-later
// The two lines between programs on one computer, on Windows: the named pipe
// (kind 1) and the shared memory (kind 3), both ends in this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "link/CLayerFactory.h"
#include "link/CPipeLayer1.h"
#include "link/CSharedMemoryLayer1.h"
#include "link/CStatusQueue.h"
#include "link/VcomCodes.h"
#include "link/win32/PipePath.h"
#include "support/CRecordingVcom.h"
#include "support/CTraceCapture.h"
#include "support/ImageSending.h"
#include "support/LineChecks.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace std::chrono_literals;

// A name of its own for every test, so that runs side by side never meet.
std::string UniqueName(const char* prefix) {
    static int counter = 0;
    return prefix + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

bool LinkUp(CRecordingVcom& stack) {
    return stack.WaitUntil([&] { return stack.connects == 1; });
}

// Both stacks connected over one kind of line, then an image each way.
void ExpectAnImageBothWays(int kind, const std::string& first, const std::string& second) {
    CRecordingVcom computer;
    CRecordingVcom deskset;
    ASSERT_EQ(computer.Connect(0, nullptr, kind, first.c_str()), kVcomOk);
    ASSERT_EQ(deskset.Connect(0, "Passive", kind, second.c_str()), kVcomOk);
    ASSERT_TRUE(LinkUp(computer));
    ASSERT_TRUE(LinkUp(deskset));

    EXPECT_TRUE(ImagesCrossBothWays(computer, deskset));
    auto lock = computer.Lock();
    EXPECT_TRUE(computer.statuses.empty());
}

class PipeWinTest : public ::testing::Test {
protected:
    std::string m_name = "\\\\" + UniqueName("torvo-test-");
    std::string m_server = "SERVER " + m_name;
    std::string m_client = "CLIENT " + m_name;
};

TEST_F(PipeWinTest, NamesLandInThePipeFolderUnlessAlreadyThere) {
    EXPECT_EQ(pipe_path::PipePath("\\\\desk"), "\\\\.\\pipe\\desk");
    EXPECT_EQ(pipe_path::PipePath("\\\\a\\b"), "\\\\.\\pipe\\a\\b");
    EXPECT_EQ(pipe_path::PipePath("\\\\.\\pipe\\desk"), "\\\\.\\pipe\\desk");
    EXPECT_EQ(pipe_path::PipePath("\\\\host\\PIPE\\desk"), "\\\\host\\PIPE\\desk");
    EXPECT_EQ(pipe_path::PipePath("\\\\.\\pipe\\"), "\\\\.\\pipe\\.\\pipe\\");

    CRecordingVcom link;
    EXPECT_EQ(link.Connect(0, nullptr, CLayerFactory::kPipeLayer1, "SERVER pipe"),
              kVcomLayer1OpenFailed);
}

TEST_F(PipeWinTest, ServerAndClientMoveBytesAndAClientGoneIsAFailedRead) {
    CTraceCapture traces;
    CStatusQueue statuses;
    CPipeLayer1 server(m_server.c_str());
    CPipeLayer1 client(m_client.c_str());
    server.SetQueues(&statuses, nullptr);
    ASSERT_EQ(server.Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return traces.Count("(Layer1) io pending PipeConnectThread\n"); }));
    const Bytes hello{1, 2, 3, 4, 5};
    Bytes buffer(16);
    EXPECT_EQ(server.Write(hello.data(), 5), 0);  // nothing before a client

    ASSERT_EQ(client.Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return server.IsReady() && client.IsReady(); }));
    EXPECT_EQ(traces.Count("(Layer1) pipe is connected\n"), 1);

    ExpectBytesCrossThenTheClientGoes(server, client);
    EXPECT_EQ(server.Read(buffer.data(), 16), 0);
    int code = -1;
    int parameter = -1;
    ASSERT_TRUE(statuses.Pop(code, parameter));
    EXPECT_EQ(code, kStatusPipeFailed);
    EXPECT_EQ(parameter, 0);
    EXPECT_FALSE(statuses.Pop(code, parameter));
}

TEST_F(PipeWinTest, ASecondServerOfTheNameIsAnotherInstanceAndCloseStopsWaitingThreads) {
    CPipeLayer1 first(m_server.c_str());
    CPipeLayer1 second(m_server.c_str());
    ASSERT_EQ(first.Open(), 0);
    ASSERT_EQ(second.Open(), 0);
    CPipeLayer1 clientA(m_client.c_str());
    CPipeLayer1 clientB(m_client.c_str());
    ASSERT_EQ(clientA.Open(), 0);
    ASSERT_EQ(clientB.Open(), 0);
    EXPECT_TRUE(WaitFor([&] {
        return first.IsReady() && second.IsReady() && clientA.IsReady() && clientB.IsReady();
    }));

    // A server waiting for a client and a client waiting for a server both
    // let go within the bound.
    for (const std::string& text : {m_server, std::string("CLIENT \\\\nobody-serves-this")}) {
        CPipeLayer1 layer(text.c_str());
        ASSERT_EQ(layer.Open(), 0);
        std::this_thread::sleep_for(20ms);
        const auto start = std::chrono::steady_clock::now();
        layer.Close();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms) << text;
    }
}

TEST_F(PipeWinTest, AnImageCrossesBothWaysThroughThePacketLayer) {
    ExpectAnImageBothWays(CLayerFactory::kPipeLayer1, m_server, m_client);
}

class SharedMemoryWinTest : public ::testing::Test {
protected:
    bool MappingExists() const {
        const HANDLE mapping = ::OpenFileMappingA(FILE_MAP_READ, FALSE, m_objectName.c_str());
        if (mapping != nullptr) {
            ::CloseHandle(mapping);
        }
        return mapping != nullptr;
    }

    std::string m_text = UniqueName("torvo-test-");
    std::string m_objectName = CSharedMemoryLayer1::ObjectName(m_text.c_str());
};

TEST_F(SharedMemoryWinTest, CreatorAndOpenerCrossHalvesAndTheLastCloseRemovesTheMapping) {
    EXPECT_EQ(CSharedMemoryLayer1::ObjectName("desk 1"), "VCOM_MMF_desk 1");
    auto creator = std::make_unique<CSharedMemoryLayer1>(m_text.c_str());
    CSharedMemoryLayer1 opener(m_text.c_str());
    ASSERT_EQ(creator->Open(), 0);
    ASSERT_EQ(opener.Open(), 0);
    EXPECT_TRUE(creator->IsCreator());
    EXPECT_FALSE(opener.IsCreator());

    ExpectCrossedHalves(*creator, opener);
    const Bytes down(40, 7);
    Bytes buffer(64);

    // The opener keeps the mapping alive; the last close takes it away.
    EXPECT_EQ(creator->Write(down.data(), 40), 40);
    creator.reset();
    EXPECT_TRUE(MappingExists());
    EXPECT_EQ(opener.Read(buffer.data(), 64), 40);
    opener.Close();
    EXPECT_FALSE(MappingExists());
    ASSERT_EQ(opener.Open(), 0);
    EXPECT_TRUE(opener.IsCreator());
    EXPECT_EQ(opener.BytesWaiting(), 0);

    // A mapping of that name too small for the block is refused.
    const std::string small = UniqueName("torvo-small-");
    const HANDLE mapping =
        ::CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 2080,
                             CSharedMemoryLayer1::ObjectName(small.c_str()).c_str());
    ASSERT_NE(mapping, nullptr);
    CSharedMemoryLayer1 refused(small.c_str());
    EXPECT_EQ(refused.Open(), -1);
    EXPECT_FALSE(refused.IsOpen());
    ::CloseHandle(mapping);
}

TEST_F(SharedMemoryWinTest, AnImageCrossesBothWaysThroughThePacketLayer) {
    ExpectAnImageBothWays(CLayerFactory::kSharedMemoryLayer1, m_text, m_text);
}

}  // namespace
