// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The transfer controller's link: a Vcom object with the deskset's layers
// (packet layer over the serial line).

#include <cstdint>
#include <memory>
#include <vector>

#include "link/LinkEvent.h"
#include "link/Vcom.h"
#include "transfer/TransferController.h"

class VcomTransferLink : public transfer::ITransferLink {
public:
    explicit VcomTransferLink(Vcom& link) : m_link(link) {}

    int Connect(const std::string& parameters) override;
    void Disconnect() override { m_link.Disconnect(); }
    int Send(const std::vector<std::uint8_t>& bytes) override;
    int QueuedMessages() override;
    int WaitingFrames() override;

    // Hands one of the link's events to the controller.
    static void Dispatch(const LinkEvent& event, transfer::TransferController& controller);

private:
    Vcom& m_link;
};
