// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "link/CLayerFactory.h"
#include "link/CPipeLayer1.h"
#include "link/CStatusQueue.h"
#include "link/VcomCodes.h"
#include "link/posix/PipePath.h"
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
    std::string m_path = pipe_path::SocketPath(m_name);
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
    const std::string path = pipe_path::SocketPath("\\\\.\\pipe\\a b/c");
    EXPECT_EQ(path.substr(path.rfind('/') + 1), "vcom-pipe-.+pipe+a%20b%2Fc");
    struct stat folder {};
    ASSERT_EQ(::stat(path.substr(0, path.rfind('/')).c_str(), &folder), 0);
    EXPECT_EQ(folder.st_mode & 077, 0u);
    EXPECT_TRUE(pipe_path::SocketPath("\\\\" + std::string(200, 'x')).empty());

    // Without a usable name the line cannot open and Connect says so.
    CRecordingVcom link;
    for (const char* text : {"SERVER pipe", "HOST \\\\.\\pipe\\desk", "CLIENT"}) {
        EXPECT_EQ(link.Connect(0, nullptr, CLayerFactory::kPipeLayer1, text),
                  kVcomLayer1OpenFailed);
        EXPECT_FALSE(link.IsConnected());
    }
    EXPECT_EQ(link.Connect(0, nullptr, CLayerFactory::kPipeLayer1, m_server.c_str()), kVcomOk);
}

TEST(PipeFolderTest, OnlyADirectoryOfTheUsersOwnWithMode0700IsPrivate) {
    constexpr uid_t kUser = 1000;
    struct Row {
        mode_t mode;
        uid_t owner;
        bool isPrivate;
    };
    for (const Row& row : {Row{S_IFDIR | 0700, kUser, true}, Row{S_IFDIR | 0700, kUser + 1, false},
                           Row{S_IFDIR | 0700, 0, false}, Row{S_IFDIR | 0750, kUser, false},
                           Row{S_IFDIR | 0711, kUser, false}, Row{S_IFDIR | 0701, kUser, false},
                           Row{S_IFDIR | 0770, kUser, false}, Row{S_IFDIR | 0500, kUser, false},
                           Row{S_IFLNK | 0700, kUser, false}, Row{S_IFREG | 0700, kUser, false}}) {
        struct stat status {};
        status.st_mode = row.mode;
        status.st_uid = row.owner;
        EXPECT_EQ(pipe_path::IsPrivateFolder(status, kUser), row.isPrivate)
            << std::oct << row.mode << std::dec << " owner " << row.owner;
    }
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

// XDG_RUNTIME_DIR set to a folder of the test's own for as long as it lives.
class RuntimeFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* runtime = std::getenv("XDG_RUNTIME_DIR")) {
            m_saved = runtime;
        }
        char folder[] = "/tmp/torvo-runtime-XXXXXX";  // made with mode 0700
        ASSERT_NE(::mkdtemp(folder), nullptr);
        m_folder = folder;
        ::setenv("XDG_RUNTIME_DIR", m_folder.c_str(), 1);
    }
    void TearDown() override {
        if (m_saved) {
            ::setenv("XDG_RUNTIME_DIR", m_saved->c_str(), 1);
        } else {
            ::unsetenv("XDG_RUNTIME_DIR");
        }
        std::filesystem::remove_all(m_folder);
    }

    std::optional<std::string> m_saved;
    std::string m_folder;
};

TEST_F(RuntimeFolderTest, TheRuntimeFolderIsUsedOnlyWhenPrivateElseTheOneUnderTmp) {
    CTraceCapture traces;
    EXPECT_EQ(FolderOf(pipe_path::SocketPath("\\\\desk")), m_folder);

    const std::string fallback = "/tmp/vcom-" + std::to_string(::geteuid());
    for (mode_t mode : {0750, 0711, 0701}) {
        ASSERT_EQ(::chmod(m_folder.c_str(), mode), 0);
        EXPECT_EQ(FolderOf(pipe_path::SocketPath("\\\\desk")), fallback) << std::oct << mode;
    }
    EXPECT_EQ(traces.Count("(CPipeLayer1)  error: " + m_folder + " is not a private folder\n"), 3);
    ASSERT_EQ(::chmod(m_folder.c_str(), 0700), 0);

    // Only an absolute path counts, and never a link to a private folder.
    ::setenv("XDG_RUNTIME_DIR", "tmp", 1);
    EXPECT_EQ(FolderOf(pipe_path::SocketPath("\\\\desk")), fallback);
    const std::string link = m_folder + "/link";
    const std::string target = m_folder + "/target";
    ASSERT_EQ(::mkdir(target.c_str(), 0700), 0);
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    ::setenv("XDG_RUNTIME_DIR", link.c_str(), 1);
    EXPECT_EQ(FolderOf(pipe_path::SocketPath("\\\\desk")), fallback);
}

// The folder under /tmp is named after the user, so another user's run can
// show that a folder of the wrong owner or mode is refused, not used.
TEST_F(RuntimeFolderTest, TheFolderUnderTmpIsRefusedWhenNotTheUsersOwnWithMode0700) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to act as another user";
    }
    ::unsetenv("XDG_RUNTIME_DIR");
    const uid_t user = 200000 + static_cast<uid_t>(::getpid() % 100000);
    const std::string folder = "/tmp/vcom-" + std::to_string(user);
    struct Row {
        mode_t mode;
        uid_t owner;
        bool used;
    };
    for (const Row& row : {Row{0700, user, true}, Row{0750, user, false}, Row{0711, user, false},
                           Row{0700, user + 1, false}}) {
        ASSERT_EQ(::mkdir(folder.c_str(), row.mode), 0);
        ASSERT_EQ(::chmod(folder.c_str(), row.mode), 0);
        ASSERT_EQ(::chown(folder.c_str(), row.owner, 0), 0);
        CChildProcess child([&] {
            if (::seteuid(user) != 0) {
                return 2;
            }
            const std::string path = pipe_path::SocketPath("\\\\desk");
            return path.empty() ? 0 : FolderOf(path) == folder ? 1 : 3;
        });
        EXPECT_EQ(child.Wait(5s), row.used ? 1 : 0)
            << std::oct << row.mode << std::dec << " owner " << row.owner;
        ::rmdir(folder.c_str());
    }

    // A folder it makes itself is private whatever the umask.
    CChildProcess child([&] {
        ::umask(0277);
        if (::seteuid(user) != 0) {
            return 2;
        }
        return FolderOf(pipe_path::SocketPath("\\\\desk")) == folder ? 1 : 0;
    });
    EXPECT_EQ(child.Wait(5s), 1);
    struct stat made {};
    EXPECT_EQ(::lstat(folder.c_str(), &made), 0);
    EXPECT_EQ(made.st_mode & 0777, 0700u);
    ::rmdir(folder.c_str());
}

TEST_F(RuntimeFolderTest, TheLongestSocketPathIsServedAndOneLongerRefused) {
    // A socket address holds a path of 107 bytes and its terminator.
    const std::string prefix = m_folder + "/vcom-pipe-";
    const std::string longest = "\\\\" + std::string(107 - prefix.size(), 'n');
    const std::string path = pipe_path::SocketPath(longest);
    EXPECT_EQ(path.size(), 107u);
    EXPECT_TRUE(pipe_path::SocketPath(longest + "n").empty());

    CPipeLayer1 server(("SERVER " + longest).c_str());
    CPipeLayer1 client(("CLIENT " + longest).c_str());
    ASSERT_EQ(server.Open(), 0);
    ASSERT_EQ(client.Open(), 0);
    EXPECT_TRUE(WaitFor([&] { return server.IsReady() && client.IsReady(); }));
    EXPECT_TRUE(Exists(path));

    CPipeLayer1 tooLong(("SERVER " + longest + "n").c_str());
    EXPECT_EQ(tooLong.Open(), -1);
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
