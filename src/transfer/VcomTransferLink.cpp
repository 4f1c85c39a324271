#include "transfer/VcomTransferLink.h"

#include <algorithm>

#include "link/CLayerFactory.h"
#include "link/VcomStatistics.h"
#include "transfer/MessageCodec.h"

int VcomTransferLink::Connect(const std::string& parameters) {
    return m_link.Connect(CLayerFactory::kPacketLayer2, nullptr, CLayerFactory::kSerialLayer1,
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

std::unique_ptr<std::vector<std::uint8_t>> VcomTransferLink::ReadAnnouncedMessage(Vcom& link,
                                                                                  int length) {
    if (length <= 0) {
        return nullptr;
    }
    auto buffer = std::make_unique<std::vector<std::uint8_t>>(static_cast<std::size_t>(length));
    int received = 0;
    if (link.Receive(buffer->data(), length, received) != 0 || received < 2) {
        return nullptr;
    }
    buffer->resize(std::min<std::size_t>(received, transfer::kMaxLinkMessage));
    return buffer;
}
