// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "link/CLayerFactory.h"
#include "link/CSocketLayer1.h"
#include "link/CStatusQueue.h"
#include "link/SocketPlatform.h"
#include "link/SocketSupport.h"
#include "link/VcomCodes.h"
#include "support/CRecordingVcom.h"
#include "support/FastClock.h"
#include "support/ImageSending.h"

namespace {

constexpr int kClockFactor = 20;

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
        m_listener =
            socket_support::OpenListeningSocket(socket_support::FromIpv4(Loopback(), 0), 1);
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

    EXPECT_TRUE(ImagesCrossBothWays(client, server));
    auto lock = server.Lock();
    EXPECT_TRUE(server.statuses.empty());
}

// A port another listener holds fails the server's Connect; a client calling
// it before anyone listens is refused, reports status 4 and tries again.
TEST(SocketLayerWinTest, PortsInUseAndAClientWaitingForItsServer) {
    SocketHandle holder =
        socket_support::OpenListeningSocket(socket_support::FromIpv4(Loopback(), 0), 1);
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

}  // namespace
