#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "link/CLayerFactory.h"
#include "link/CMulticastLayer1.h"
#include "link/CSocketLayer1.h"
#include "link/CStatusQueue.h"
#include "link/SocketPlatform.h"
#include "link/SocketSupport.h"
#include "link/VcomCodes.h"
#include "support/CRecordingVcom.h"
#include "support/FastClock.h"
#include "support/ImageSending.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kClockFactor = 20;
constexpr const char* kGroup = "239.255.70.18";
constexpr const char* kLoopback = "127.0.0.1";

in_addr Loopback() {
    in_addr address{};
    address.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// Serves on a copy of a listening socket it keeps, as the simulator does, on
// a port the system picked.
class CCopyingFactory : public CLayerFactory {
public:
    CCopyingFactory() {
        m_listener = socket_support::OpenListeningSocket(Loopback(), 0, 1);
        port = socket_support::LocalPort(m_listener);
        SetClock(FastClock(kClockFactor));
    }
    ~CCopyingFactory() override { socket_platform::Close(m_listener); }
    std::unique_ptr<CLayer1> CreateLayer1(int kind, const char* parameters, void* extra) override {
        auto layer = std::make_unique<CSocketLayer1>(parameters, static_cast<SocketHandle*>(extra));
        if (kind == kSocketLayer1 && extra == nullptr) {
            layer->UseListeningSocket(socket_platform::DuplicateListener(m_listener));
        }
        return layer;
    }
    int port = -1;

private:
    SocketHandle m_listener = kNoSocket;
};

bool LinkUp(CRecordingVcom& stack) {
    return stack.WaitUntil([&] { return stack.connects == 1; });
}

void StartClient(CRecordingVcom& client, const std::string& text) {
    client.LayerFactory().SetClock(FastClock(kClockFactor));
    ASSERT_EQ(client.Connect(0, nullptr, CLayerFactory::kSocketLayer1, text.c_str()), kVcomOk);
}

TEST(SocketLayerWinTest, AnImageCrossesBothWaysOverTcp) {
    CRecordingVcom server;
    auto factory = std::make_unique<CCopyingFactory>();
    const int port = factory->port;
    ASSERT_GT(port, 0);
    server.SetLayerFactory(std::move(factory));
    ASSERT_EQ(server.Connect(0, "Passive", CLayerFactory::kSocketLayer1, "SERVER 0"), kVcomOk);
    CRecordingVcom client;
    // By name, through the system's lookup.
    StartClient(client, "CLIENT SN localhost " + std::to_string(port));
    ASSERT_TRUE(LinkUp(client));
    ASSERT_TRUE(LinkUp(server));

    const auto toServer = ImagePattern(1);
    const auto toClient = ImagePattern(2);
    EXPECT_EQ(SendImage(client, server, toServer), toServer);
    EXPECT_EQ(SendImage(server, client, toClient), toClient);
    auto lock = server.Lock();
    EXPECT_TRUE(server.statuses.empty());
}

// A port another listener holds fails the server's Connect; a client calling
// it before anyone listens is refused, reports status 4 and tries again.
TEST(SocketLayerWinTest, PortsInUseAndAClientWaitingForItsServer) {
    SocketHandle holder = socket_support::OpenListeningSocket(Loopback(), 0, 1);
    ASSERT_NE(holder, kNoSocket);
    const int port = socket_support::LocalPort(holder);
    const std::string serverText = "SERVER " + std::to_string(port);
    {
        CRecordingVcom second;
        EXPECT_EQ(second.Connect(0, "Passive", CLayerFactory::kSocketLayer1, serverText.c_str()),
                  kVcomLayer1OpenFailed);
        ASSERT_TRUE(second.WaitUntil([&] { return !second.statuses.empty(); }));
        auto lock = second.Lock();
        EXPECT_EQ(second.statuses[0].code, kStatusSocketCallFailed);
        EXPECT_EQ(second.statuses[0].parameter, WSAEADDRINUSE);
    }
    socket_platform::Close(holder);

    CRecordingVcom client;
    StartClient(client, "CLIENT IP 127.000.000.001 " + std::to_string(port));
    ASSERT_TRUE(client.WaitUntil([&] { return client.statuses.size() >= 2; }));
    {
        auto lock = client.Lock();
        for (const auto& status : client.statuses) {
            EXPECT_EQ(status.code, kStatusConnectFailed);
            // Windows itself retries a refused connect for longer than a step.
            EXPECT_TRUE(status.parameter == WSAECONNREFUSED || status.parameter == WSAETIMEDOUT)
                << status.parameter;
        }
    }
    CRecordingVcom server;
    server.LayerFactory().SetClock(FastClock(kClockFactor));
    ASSERT_EQ(server.Connect(0, "Passive", CLayerFactory::kSocketLayer1, serverText.c_str()),
              kVcomOk);
    EXPECT_TRUE(LinkUp(client));
    EXPECT_TRUE(LinkUp(server));
}

// Members on one port the system picked, held by a socket that shares it.
class MulticastWinTest : public ::testing::Test {
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
        reason = "no multicast on loopback here: status " + std::to_string(code) + ", error " +
                 std::to_string(error);
        return false;
    }
    // Waits, with a bound, for a datagram and reads it with the given maximum.
    static Bytes ReadNext(CMulticastLayer1& member, int maximum) {
        for (int i = 0; i < 200 && member.BytesWaiting() == 0; ++i) {
            member.WaitReadable(10);
        }
        Bytes buffer(static_cast<size_t>(maximum));
        buffer.resize(static_cast<size_t>(member.Read(buffer.data(), maximum)));
        return buffer;
    }

    CStatusQueue m_statuses;
    SocketHandle m_portHolder = kNoSocket;
    int m_port = 0;
};

TEST_F(MulticastWinTest, ALongDatagramIsCutToTheReadMaximum) {
    CMulticastLayer1 first(Text().c_str(), kLoopback);
    CMulticastLayer1 second(Text().c_str(), kLoopback);
    std::string reason;
    if (!OpenMember(first, reason) || !OpenMember(second, reason)) {
        GTEST_SKIP() << reason;
    }
    Bytes datagram(2000);
    for (size_t i = 0; i < datagram.size(); ++i) {
        datagram[i] = static_cast<uint8_t>(i * 7 + 1);
    }
    // Cut to the maximum asked for, then to the largest datagram kept.
    ASSERT_EQ(first.Write(datagram.data(), 300), 300);
    EXPECT_EQ(ReadNext(second, 100), Bytes(datagram.begin(), datagram.begin() + 100));
    ASSERT_EQ(first.Write(datagram.data(), 2000), 2000);
    EXPECT_EQ(ReadNext(second, 2000),
              Bytes(datagram.begin(), datagram.begin() + CMulticastLayer1::kMaxDatagram));
    // A member does not hear itself.
    EXPECT_EQ(first.BytesWaiting(), 0);
    EXPECT_EQ(second.BytesWaiting(), 0);
    EXPECT_TRUE(m_statuses.IsEmpty());
}

TEST_F(MulticastWinTest, AnImageCrossesBothWaysToAPassiveEnd) {
    CMulticastLayer1 probe(Text().c_str(), kLoopback);
    std::string reason;
    if (!OpenMember(probe, reason)) {
        GTEST_SKIP() << reason;
    }
    probe.Close();
    CRecordingVcom computer;
    CRecordingVcom deskset;
    for (CRecordingVcom* stack : {&computer, &deskset}) {
        stack->LayerFactory().SetClock(FastClock(kClockFactor));
        stack->LayerFactory().SetMulticastInterface(kLoopback);
    }
    ASSERT_EQ(deskset.Connect(0, "Passive", CLayerFactory::kMulticastLayer1, Text().c_str()),
              kVcomOk);
    ASSERT_EQ(computer.Connect(0, nullptr, CLayerFactory::kMulticastLayer1, Text().c_str()),
              kVcomOk);
    ASSERT_TRUE(LinkUp(computer));
    ASSERT_TRUE(LinkUp(deskset));

    const auto toDeskset = ImagePattern(1);
    const auto toComputer = ImagePattern(2);
    EXPECT_EQ(SendImage(computer, deskset, toDeskset), toDeskset);
    EXPECT_EQ(SendImage(deskset, computer, toComputer), toComputer);
    EXPECT_EQ(computer.Disconnect(), kVcomOk);
    EXPECT_EQ(deskset.Disconnect(), kVcomOk);
}

}  // namespace
