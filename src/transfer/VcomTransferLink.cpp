// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/VcomTransferLink.h"

#include "link/CLayerFactory.h"
#include "link/CPacketLayer2.h"
#include "link/TcpDevice.h"
#include "link/VcomStatistics.h"

namespace {
// The computer polls as soon as the port is open, so a deskset that waits
// answers at once.
constexpr const char* kComputerEnd = CPacketLayer2::kPollAtOnce;
}  // namespace

int VcomTransferLink::Connect(const std::string& parameters) {
    // A port whose device is "tcp:HOST:PORT" is a serial device server: the
    // same packet layer runs over a socket client, with the timers of the
    // serial line's 19200 baud.
    const CLayerFactory& factory = m_link.LayerFactory();
    const int port = CSerialLayer1::ParseParameters(parameters.c_str()).port;
    const std::string device = factory.GetPortResolver() ? factory.GetPortResolver()(port) : "";
    if (tcp_device::IsTcpDevice(device)) {
        return m_link.Connect(CLayerFactory::kPacketLayer2, kComputerEnd,
                              CLayerFactory::kSocketLayer1,
                              tcp_device::ClientParameters(device).c_str());
    }
    return m_link.Connect(CLayerFactory::kPacketLayer2, kComputerEnd, CLayerFactory::kSerialLayer1,
                          parameters.c_str());
}

int VcomTransferLink::Send(const std::vector<std::uint8_t>& bytes) {
    return m_link.Send(bytes.data(), static_cast<int>(bytes.size()));
}

int VcomTransferLink::QueuedMessages() {
    int transmit = 0;
    int receive = 0;
    m_link.GetQueueCounts(transmit, receive);
    return transmit;
}

int VcomTransferLink::WaitingFrames() {
    VcomStatistics statistics;
    m_link.GetStatistics(statistics);
    return statistics.value[VcomStatistics::kFramesWaitingToSend];
}

void VcomTransferLink::Dispatch(const LinkEvent& event, transfer::TransferController& controller) {
    switch (event.kind) {
        case LinkEvent::Kind::DataReceived:
            if (event.data) {
                controller.OnLinkMessage(event.data->data(), event.data->size(),
                                         event.sentAllAcknowledged);
            }
            return;
        case LinkEvent::Kind::Connected:
            controller.OnConnected();
            return;
        case LinkEvent::Kind::ConnectionLost:
            controller.OnConnectionLost();
            return;
    }
}
