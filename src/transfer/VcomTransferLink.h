#pragma once
// The transfer controller's link: a Vcom object with the deskset's layers
// (packet layer over the serial line).

#include <cstdint>
#include <memory>
#include <vector>

#include "link/Vcom.h"
#include "transfer/TransferInterfaces.h"

class VcomTransferLink : public transfer::ITransferLink {
public:
    explicit VcomTransferLink(Vcom& link) : m_link(link) {}

    int Connect(const std::string& parameters) override;
    void Disconnect() override { m_link.Disconnect(); }
    int Send(const std::vector<std::uint8_t>& bytes) override;
    int QueuedMessages() override;
    int WaitingFrames() override;

    // Reads the message the link announced in OnReceive (on the session
    // thread); null when it cannot be read or is shorter than two bytes.
    static std::unique_ptr<std::vector<std::uint8_t>> ReadAnnouncedMessage(Vcom& link, int length);

private:
    Vcom& m_link;
};
