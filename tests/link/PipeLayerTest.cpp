#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "link/CLayerFactory.h"
#include "link/CPipeLayer1.h"
#include "link/CStatusQueue.h"
#include "link/VcomCodes.h"
#include "support/CChildProcess.h"
#include "support/CRecordingVcom.h"
#include "support/CTraceCapture.h"
#include "support/FastClock.h"
#include "support/ImageExchange.h"
#include "support/LineChecks.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Role = CPipeLayer1::Role;
using namespace std::chrono_literals;

// A pipe name of its own for every test, so that runs side by side never meet.
std::string UniquePipeName() {
    static int counter = 0;
    return "\\\\.\\pipe\\torvo-test-" + std::to_string(::getpid()) + "-" +
           std::to_string(++counter);
}

bool Exists(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0;
}

class PipeLayerTest : public ::testing::Test {
protected:
    void TearDown() override {
        // Whatever a failing test left behind.
        ::unlink(m_path.c_str());
        ::unlink((m_path + ".lock").c_str());
    }

    std::string m_name = UniquePipeName();
    std::string m_path = CPipeLayer1::SocketPath(m_name);
    std::string m_server = "SERVER " + m_name;
    std::string m_client = "CLIENT " + m_name;
};

TEST_F(PipeLayerTest, ParametersNeedARoleAndADoubleBackslashName) {
    const auto server = CPipeLayer1::ParseParameters("SERVER \\\\.\\pipe\\desk");
    EXPECT_EQ(server.role, Role::kServer);
    EXPECT_EQ(server.name, "\\\\.\\pipe\\desk");
    EXPECT_EQ(CPipeLayer1::ParseParameters("CLIENT \\\\host\\pipe\\desk extra").role,
              Role::kClient);
    for (const char* text :
         {"SERVER \\.\\pipe\\desk", "SERVER pipe", "HOST \\\\.\\pipe\\desk",
          "server \\\\.\\pipe\\desk", "CLIENT", "", static_cast<const char*>(nullptr)}) {
        EXPECT_TRUE(CPipeLayer1::ParseParameters(text).name.empty()) << (text ? text : "null");
    }

    // The socket sits in the private runtime folder, its name made safe.
    const std::string path = CPipeLayer1::SocketPath("\\\\.\\pipe\\a b/c");
    EXPECT_EQ(path.substr(path.rfind('/') + 1), "vcom-pipe-.+pipe+a%20b%2Fc");
    struct stat folder {};
    ASSERT_EQ(::stat(path.substr(0, path.rfind('/')).c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 077, 0u);
    EXPECT_TRUE(CPipeLayer1::SocketPath("\\\\" + std::string(200, 'x')).empty());

    // Without a usable name the line cannot open and Connect says so.
    CRecordingVcom link;
    for (const char* text : {"SERVER pipe", "HOST \\\\.\\pipe\\desk", "CLIENT"}) {
        EXPECT_EQ(link.Connect(0, nullptr, CLayerFactory::kPipeLayer1, text),
                  kVcomLayer1OpenFailed);
        EXPECT_FALSE(link.IsConnected());
    }
    EXPECT_EQ(link.Connect(0, nullptr, CLayerFactory::kPipeLayer1, m_server.c_str()), kVcomOk);
}

TEST_F(PipeLayerTest, ServerAndClientMoveBytesOnceConnectedAndAFailedReadClosesThePipe) {
    CTraceCapture traces;
    CStatusQueue statuses;
    CPipeLayer1 client(m_client.c_str());
    CPipeLayer1 server(m_server.c_str());
    server.SetQueues(&statuses, nullptr);
    EXPECT_EQ(server.BaudRate(), 19200);
    EXPECT_EQ(server.FreeTransmitSpace(), 5000);

    // A client waits for its server; until then it moves nothing.
    ASSERT_EQ(client.Open(), 0);
    const Bytes hello{1, 2, 3, 4, 5};
    Bytes buffer(16);
    EXPECT_EQ(client.IsReady(), 0);
    EXPECT_EQ(client.Write(hello.data(), 5), 0);
    EXPECT_EQ(client.Read(buffer.data(), 16), 0);

    ASSERT_EQ(server.Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return server.IsReady() && client.IsReady(); }));
    EXPECT_EQ(traces.Count("(Layer1) pipe is connected\n"), 1);

    // The client going away is a failed read: the pipe closes and says so once.
    ExpectBytesCrossThenTheClientGoes(server, client);
    EXPECT_EQ(server.Read(buffer.data(), 16), 0);
    EXPECT_EQ(server.Write(hello.data(), 5), 0);
    int code = -1;
    int parameter = -1;
    ASSERT_TRUE(statuses.Pop(code, parameter));
    EXPECT_EQ(code, kStatusPipeFailed);
    EXPECT_EQ(parameter, 0);
    EXPECT_FALSE(statuses.Pop(code, parameter));

    // Closing the server removes its socket file and lock.
    EXPECT_TRUE(Exists(m_path));
    server.Close();
    EXPECT_FALSE(Exists(m_path));
    EXPECT_FALSE(Exists(m_path + ".lock"));
}

TEST_F(PipeLayerTest, ServerWaitingForItsClientReportsThePendingWait) {
    CTraceCapture traces;
    CPipeLayer1 server(m_server.c_str());
    ASSERT_EQ(server.Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return traces.Count("(Layer1) io pending PipeConnectThread\n"); }));
    CPipeLayer1 client(m_client.c_str());
    ASSERT_EQ(client.Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return server.IsReady() && client.IsReady(); }));
    EXPECT_EQ(traces.Count("(Layer1) pipe is connected\n"), 1);
    EXPECT_EQ(traces.Count("(Layer1) io pending PipeConnectThread\n"), 1);

    // A server serves one client: a second one keeps waiting.
    CPipeLayer1 second(m_client.c_str());
    ASSERT_EQ(second.Open(), 0);
    std::this_thread::sleep_for(250ms);
    EXPECT_EQ(second.IsReady(), 0);
}

TEST_F(PipeLayerTest, ALiveServerIsRefusedAndAStaleSocketReplaced) {
    CTraceCapture traces;
    // A socket file left by a server that is gone: bound, never listened to.
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, m_path.c_str());
    ASSERT_EQ(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(stale);
    ASSERT_TRUE(Exists(m_path));

    CRecordingVcom first;
    ASSERT_EQ(first.Connect(0, nullptr, CLayerFactory::kPipeLayer1, m_server.c_str()), kVcomOk);
    CRecordingVcom second;
    EXPECT_EQ(second.Connect(0, nullptr, CLayerFactory::kPipeLayer1, m_server.c_str()),
              kVcomLayer1OpenFailed);
    EXPECT_EQ(
        traces.Count("(CPipeLayer1::Open)  error: the pipe " + m_name + " has a server already\n"),
        1);

    // The replaced socket is the live one: a client gets through to it.
    CPipeLayer1 client(m_client.c_str());
    ASSERT_EQ(client.Open(), 0);
    ASSERT_TRUE(WaitFor([&] { return client.IsReady() == 1; }));

    // Once the first server has gone, the name can be served again.
    first.Disconnect();
    EXPECT_EQ(second.Connect(0, nullptr, CLayerFactory::kPipeLayer1, m_server.c_str()), kVcomOk);
}

TEST_F(PipeLayerTest, CloseStopsAWaitingConnectionThreadWithinItsBound) {
    for (const std::string& text : {m_server, m_client}) {
        CPipeLayer1 layer(text.c_str());
        ASSERT_EQ(layer.Open(), 0);
        std::this_thread::sleep_for(20ms);
        const auto start = std::chrono::steady_clock::now();
        layer.Close();
        EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms) << text;
        EXPECT_EQ(layer.IsReady(), 0);
    }
}

TEST_F(PipeLayerTest, TwoProcessesMoveAnImageBothWays) {
    const auto result = ExchangeImages(CLayerFactory::kPipeLayer1, m_server, m_client);
    ASSERT_EQ(result.failure, "");
    std::printf("[   TIME   ] named pipe: 16384 bytes down in %.0f ms, up in %.0f ms\n",
                result.downloadMs, result.uploadMs);
}

TEST_F(PipeLayerTest, APeerThatDiesTearsTheSessionDown) {
    CChildProcess child([&] {
        CRecordingVcom farEnd;
        farEnd.LayerFactory().SetClock(FastClock(20));
        farEnd.Connect(0, "Passive", CLayerFactory::kPipeLayer1, m_client.c_str());
        farEnd.WaitUntil([&] { return false; }, 30s);  // killed long before
        return 0;
    });
    ASSERT_TRUE(child.IsStarted());
    CRecordingVcom computer;
    computer.LayerFactory().SetClock(FastClock(20));
    ASSERT_EQ(computer.Connect(0, nullptr, CLayerFactory::kPipeLayer1, m_server.c_str()), kVcomOk);
    ASSERT_TRUE(computer.WaitUntil([&] { return computer.connects == 1; }));

    child.Kill();
    ASSERT_TRUE(computer.WaitUntil(
        [&] { return computer.disconnects == 1 && !computer.statuses.empty(); }));
    EXPECT_FALSE(computer.IsConnected());
    auto lock = computer.Lock();
    ASSERT_EQ(computer.statuses.size(), 1u);
    EXPECT_EQ(computer.statuses[0].code, kStatusPipeFailed);
}

}  // namespace
