// SPDX-License-Identifier: GPL-3.0-or-later
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <utility>

#include "link/CHostLookup.h"
#include "link/CLayerFactory.h"
#include "link/CSocketLayer1.h"
#include "link/SocketSupport.h"
#include "link/TcpDevice.h"
#include "link/VcomCodes.h"
#include "support/CRecordingVcom.h"
#include "support/FastClock.h"
#include "support/ImageExchange.h"

namespace {

constexpr int kClockFactor = 20;
constexpr auto kBound = std::chrono::seconds(20);

// For conditions that no callback announces; bounded, it only stops a broken
// test from hanging.
bool Eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + kBound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

// A plain TCP caller; -1 (errno set) when refused.
int CallRaw(int port) {
    const int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in server = Loopback(port);
    if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
        return -1;
    }
    return descriptor;
}

// Gives the socket server it builds a listening socket on a port the system
// picked, so that the test knows the port without touching the layer, which
// the stack's threads may destroy at any time.
class CListeningFactory : public CLayerFactory {
public:
    explicit CListeningFactory(const socket_support::SocketAddress& address =
                                   socket_support::FromIpv4(in_addr{htonl(INADDR_LOOPBACK)}, 0)) {
        m_listener = socket_support::OpenListeningSocket(address, 1);
        port = socket_support::LocalPort(m_listener);
        SetClock(FastClock(kClockFactor));
    }
    ~CListeningFactory() override {
        if (m_listener >= 0) {
            ::close(m_listener);
        }
    }
    std::unique_ptr<CLayer1> CreateLayer1(int kind, const char* parameters, void* extra) override {
        auto layer = std::make_unique<CSocketLayer1>(parameters, static_cast<int*>(extra));
        if (kind == kSocketLayer1 && extra == nullptr) {
            layer->UseListeningSocket(std::exchange(m_listener, -1));
        }
        return layer;
    }
    int port = -1;

private:
    int m_listener = -1;
};

// Hands its first caller to a stack of its own and refuses the others.
class CAcceptingVcom : public CRecordingVcom {
public:
    CAcceptingVcom() { served.LayerFactory().SetClock(FastClock(kClockFactor)); }
    ~CAcceptingVcom() override { Shutdown(); }

    int OnAccept(void* acceptedSocket) override {
        if (accepted.fetch_add(1) > 0) {
            return 0;
        }
        return served.Connect(0, "Passive", CLayerFactory::kSocketLayer1, nullptr,
                              acceptedSocket) == kVcomOk;
    }

    std::atomic<int> accepted{0};
    CRecordingVcom served;
};

class SocketLayerTest : public ::testing::Test {
protected:
    // Starts a server stack on a port the system picks and returns the port.
    static int StartServer(
        Vcom& server, const std::string& text = "SERVER 0",
        std::unique_ptr<CListeningFactory> factory = std::make_unique<CListeningFactory>()) {
        const int port = factory->port;
        server.SetLayerFactory(std::move(factory));
        EXPECT_EQ(server.Connect(0, "Passive", CLayerFactory::kSocketLayer1, text.c_str()),
                  kVcomOk);
        return port;
    }
    // Starts a server stack that binds the given port itself.
    static void StartServerOnPort(Vcom& server, int port) {
        server.LayerFactory().SetClock(FastClock(kClockFactor));
        const std::string text = "SERVER " + std::to_string(port);
        EXPECT_EQ(server.Connect(0, "Passive", CLayerFactory::kSocketLayer1, text.c_str()),
                  kVcomOk);
    }
    static void StartClient(Vcom& client, const std::string& text) {
        client.LayerFactory().SetClock(FastClock(kClockFactor));
        ASSERT_EQ(client.Connect(0, nullptr, CLayerFactory::kSocketLayer1, text.c_str()), kVcomOk);
    }
    static std::string ClientText(int port) {
        return "CLIENT IP 127.000.000.001 " + std::to_string(port);
    }
    static bool LinkUp(CRecordingVcom& stack) {
        return stack.WaitUntil([&] { return stack.connects == 1; });
    }
};

TEST(SocketLayerTextTest, ConstructionResultsLeaveNothingConnected) {
    CRecordingVcom vcom;
    const struct {
        int kind;
        const char* text;
        int result;
    } cases[] = {
        {2, nullptr, kVcomSocketTextMissing},
        {2, "", kVcomSocketTextMissing},
        {2, "SERVER", kVcomWrongWordCount},
        {2, "CONCURRENT_SERVER port", kVcomWrongWordCount},
        {2, "CLIENT IP 10.0.0.1", kVcomWrongWordCount},
        {2, "SERVER 65536", kVcomWrongWordCount},
        {2, "CLIENT IP 10.0.0.256 4001", kVcomBadAddress},
        {2, "CLIENT IP deskset 4001", kVcomBadAddress},
        {2, "CLIENT IP [::1] 4001", kVcomBadAddress},
        {2, "CLIENT IP ::1::2 4001", kVcomBadAddress},
        {2, "CLIENT DNS deskset 4001", kVcomBadAddressType},
        {2, "LISTEN 4001", kVcomUnknownSocketMode},
        {5, nullptr, kVcomSocketTextMissing},
        {5, "MULTICAST 239.1.2.3 4001", kVcomUnknownSocketMode},
        {5, "MULTICAST_MEMBER 239.1.2.3", kVcomWrongWordCount},
        {5, "MULTICAST_MEMBER 10.1.2.3 4001", kVcomBadAddress},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vcom.Connect(0, nullptr, c.kind, c.text), c.result) << (c.text ? c.text : "null");
        EXPECT_EQ(vcom.Send(reinterpret_cast<const uint8_t*>("x"), 1), kVcomNotConnected);
    }
}

TEST(SocketLayerTextTest, AddressesAndDeviceNames) {
    const CSocketLayer1 zeros("CLIENT IP 192.168.001.010 4001", nullptr);
    EXPECT_EQ(zeros.ConstructionResult(), kVcomOk);
    EXPECT_EQ(zeros.Address(), "192.168.1.10");
    EXPECT_EQ(zeros.Port(), 4001);
    const CSocketLayer1 dottedName("CLIENT SN 10.0.0.7 23", nullptr);
    EXPECT_EQ(dottedName.Address(), "10.0.0.7");
    EXPECT_TRUE(dottedName.HostName().empty()) << "a dotted address is not looked up";
    const CSocketLayer1 name("CLIENT SN deskset-server 23", nullptr);
    EXPECT_EQ(name.HostName(), "deskset-server");
    EXPECT_EQ(CSocketLayer1("CONCURRENT_SERVER 5000", nullptr).GetMode(),
              CSocketLayer1::Mode::ConcurrentServer);

    const CSocketLayer1 ipv6("CLIENT IP fe80::0001 4001", nullptr);
    EXPECT_EQ(ipv6.ConstructionResult(), kVcomOk);
    EXPECT_EQ(ipv6.Address(), "fe80::0001") << "no zeros removed from an IPv6 address";
    const CSocketLayer1 ipv6Name("CLIENT SN ::1 23", nullptr);
    EXPECT_EQ(ipv6Name.Address(), "::1");
    EXPECT_TRUE(ipv6Name.HostName().empty()) << "an IPv6 address is not looked up";
}

// A device server's address: HOST:PORT split at the last colon, so an IPv6
// address needs its brackets.
TEST(SocketLayerTextTest, DeviceNamesGiveTheClientTextOrSayWhyNot) {
    const struct {
        const char* device;
        const char* parameters;
    } accepted[] = {
        {"tcp:192.168.001.010:4001", "CLIENT IP 192.168.001.010 4001"},
        {"tcp:moxa-3.local:950", "CLIENT SN moxa-3.local 950"},
        {"tcp:[::1]:1", "CLIENT IP ::1 1"},
        {"tcp:[fe80::1:2]:65535", "CLIENT IP fe80::1:2 65535"},
        {"tcp:[::ffff:10.0.0.1]:23", "CLIENT IP ::ffff:10.0.0.1 23"},
    };
    for (const auto& row : accepted) {
        EXPECT_EQ(tcp_device::ClientParameters(row.device), row.parameters) << row.device;
        EXPECT_EQ(tcp_device::Problem(row.device), "") << row.device;
    }
    const struct {
        const char* device;
        const char* problem;
    } refused[] = {
        {"/dev/ttyS0", "it does not begin with tcp:"},
        {"tcp:", "no :PORT after the host"},
        {"tcp:host", "no :PORT after the host"},
        {"tcp::80", "no host before :PORT"},
        {"tcp:host:0", "PORT must be a number from 1 to 65535"},
        {"tcp:host:65536", "PORT must be a number from 1 to 65535"},
        {"tcp:host:1x", "PORT must be a number from 1 to 65535"},
        {"tcp:host:", "PORT must be a number from 1 to 65535"},
        {"tcp:a b:1", "the host may not contain blanks"},
        {"tcp:[::1]", "the IPv6 address in brackets must be followed by :PORT"},
        {"tcp:[::1]80", "the IPv6 address in brackets must be followed by :PORT"},
        {"tcp:[::1]:80:81", "the IPv6 address in brackets must be followed by :PORT"},
        {"tcp:[::1:80", "the IPv6 address has no closing ']'"},
        {"tcp:[::1]:0", "PORT must be a number from 1 to 65535"},
        {"tcp:[::1]:65536", "PORT must be a number from 1 to 65535"},
        {"tcp:[]:80", "'[]' is not an IPv6 address"},
        {"tcp:[10.0.0.1]:80", "'[10.0.0.1]' is not an IPv6 address"},
        {"tcp:[host]:80", "'[host]' is not an IPv6 address"},
        {"tcp:::1:80", "an IPv6 address must be written in brackets, as in [::1]:PORT"},
        {"tcp:fe80::1:80", "an IPv6 address must be written in brackets, as in [::1]:PORT"},
    };
    for (const auto& row : refused) {
        EXPECT_EQ(tcp_device::ClientParameters(row.device), "") << row.device;
        EXPECT_EQ(tcp_device::Problem(row.device), row.problem) << row.device;
    }
}

// A host name may stand for IPv6 addresses as well as IPv4 ones.
TEST(HostLookupTest, GivesEveryAddressWithThePort) {
    for (const char* name : {"::1", "localhost"}) {
        CHostLookup lookup;
        ASSERT_TRUE(lookup.Start(name, 4001));
        ASSERT_TRUE(lookup.WaitFor(10000));
        ASSERT_EQ(lookup.Error(), 0) << name;
        const auto addresses = lookup.Addresses();
        ASSERT_FALSE(addresses.empty()) << name;
        for (const auto& address : addresses) {
            EXPECT_EQ(socket_support::Describe(address),
                      address.Family() == AF_INET6 ? "[::1]:4001" : "127.0.0.1:4001")
                << name;
        }
    }
    EXPECT_EQ(
        socket_support::Describe(socket_support::FromIpv4(in_addr{htonl(INADDR_LOOPBACK)}, 7)),
        "127.0.0.1:7");
}

TEST_F(SocketLayerTest, AnImageCrossesBothWaysThroughThePacketLayer) {
    CRecordingVcom server;
    CRecordingVcom client;
    const int port = StartServer(server);
    ASSERT_GT(port, 0);
    // By name, looked up off the comm link thread.
    StartClient(client, "CLIENT SN localhost " + std::to_string(port));
    ASSERT_TRUE(LinkUp(client));
    ASSERT_TRUE(LinkUp(server));

    EXPECT_TRUE(ImagesCrossBothWays(client, server));
    auto lock = server.Lock();
    EXPECT_TRUE(server.statuses.empty());
}

TEST_F(SocketLayerTest, AnImageCrossesOverIpv6Loopback) {
    socket_support::SocketAddress loopback;
    ASSERT_TRUE(socket_support::ParseNumeric("::1", 0, loopback));
    auto factory = std::make_unique<CListeningFactory>(loopback);
    if (factory->port <= 0) {
        GTEST_SKIP() << "no IPv6 loopback";
    }
    // The address as it stands, and the same address given where a name goes.
    for (const char* type : {"IP", "SN"}) {
        SCOPED_TRACE(type);
        CRecordingVcom server;
        CRecordingVcom client;
        const int port = StartServer(server, "SERVER 0", std::move(factory));
        StartClient(client, std::string("CLIENT ") + type + " ::1 " + std::to_string(port));
        ASSERT_TRUE(LinkUp(client));
        ASSERT_TRUE(LinkUp(server));
        EXPECT_TRUE(ImagesCrossBothWays(client, server));
        factory = std::make_unique<CListeningFactory>(loopback);
    }
}

TEST_F(SocketLayerTest, ClientRetriesUntilAServerAppears) {
    // A port bound but not listening refuses callers.
    const int reserved = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in any = Loopback(0);
    ASSERT_EQ(::bind(reserved, reinterpret_cast<const sockaddr*>(&any), sizeof any), 0);
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    ::getsockname(reserved, reinterpret_cast<sockaddr*>(&bound), &length);
    const int port = ntohs(bound.sin_port);

    CRecordingVcom client;
    StartClient(client, ClientText(port));
    ASSERT_TRUE(client.WaitUntil([&] { return client.statuses.size() >= 2; }));
    {
        auto lock = client.Lock();
        for (const auto& status : client.statuses) {
            EXPECT_EQ(status.code, kStatusConnectFailed);
            EXPECT_EQ(status.parameter, ECONNREFUSED);
        }
    }
    ::close(reserved);
    CRecordingVcom server;
    StartServerOnPort(server, port);
    EXPECT_TRUE(LinkUp(client));
    EXPECT_TRUE(LinkUp(server));
}

TEST_F(SocketLayerTest, PlainServerTakesExactlyOneCaller) {
    CRecordingVcom server;
    const int port = StartServer(server);
    const int first = CallRaw(port);
    ASSERT_GE(first, 0);
    // Callers after the first wait to be accepted until the server stops
    // listening, and are then reset; from then on they are refused.
    ASSERT_TRUE(Eventually([&] {
        const int next = CallRaw(port);
        if (next < 0) {
            return errno == ECONNREFUSED;
        }
        ::close(next);
        return false;
    }));

    // The first caller closing its end in order loses the line, without a status.
    ::close(first);
    ASSERT_TRUE(server.WaitUntil([&] { return server.disconnects == 1; }));
    EXPECT_FALSE(server.IsConnected());
    auto lock = server.Lock();
    EXPECT_TRUE(server.statuses.empty());
}

TEST_F(SocketLayerTest, ConcurrentServerHandsEveryCallerToOnAccept) {
    CAcceptingVcom server;
    const int port = StartServer(server, "CONCURRENT_SERVER 0");
    ASSERT_GT(port, 0);

    // The first caller is carried by a stack built on the accepted socket.
    CRecordingVcom client;
    StartClient(client, ClientText(port));
    ASSERT_TRUE(LinkUp(client));
    ASSERT_TRUE(LinkUp(server.served));
    const std::vector<uint8_t> hello = {1, 2, 3};
    ASSERT_EQ(client.Send(hello.data(), 3), kVcomOk);
    ASSERT_TRUE(server.served.WaitUntil([&] { return server.served.received.size() == 1; }));
    EXPECT_EQ(server.served.received[0], hello);

    // The second is closed, since OnAccept returns 0 for it.
    const int second = CallRaw(port);
    ASSERT_GE(second, 0);
    ASSERT_TRUE(Eventually([&] { return server.accepted.load() == 2; }));
    pollfd closed{second, POLLIN, 0};
    ASSERT_EQ(::poll(&closed, 1, 20000), 1);
    char byte = 0;
    EXPECT_LE(::recv(second, &byte, 1, 0), 0);
    ::close(second);
    EXPECT_TRUE(client.IsConnected()) << "the first caller is not disturbed";
    auto lock = server.Lock();
    EXPECT_EQ(server.connects, 0) << "the accepting stack carries no link";
}

TEST_F(SocketLayerTest, APeerThatDiesLosesTheLine) {
    CRecordingVcom server;
    const int port = StartServer(server);
    {
        CRecordingVcom client;
        StartClient(client, ClientText(port));
        ASSERT_TRUE(LinkUp(client));
        ASSERT_TRUE(LinkUp(server));
    }  // closing resets the connection
    // The status is delivered after the tear-down it caused.
    ASSERT_TRUE(
        server.WaitUntil([&] { return server.disconnects == 1 && !server.statuses.empty(); }));
    EXPECT_FALSE(server.IsConnected());
    {
        auto lock = server.Lock();
        ASSERT_EQ(server.statuses.size(), 1u);
        EXPECT_EQ(server.statuses[0].code, kStatusSocketCallFailed);
        const int error = server.statuses[0].parameter;
        EXPECT_TRUE(error == ECONNRESET || error == EPIPE) << error;
    }
    // The stack is back to its constructed state and serves again, on the
    // same port.
    StartServerOnPort(server, port);
    CRecordingVcom again;
    StartClient(again, ClientText(port));
    EXPECT_TRUE(LinkUp(again));
}

}  // namespace
