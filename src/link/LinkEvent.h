// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the application learns from its link: a message received, the link up,
// the link lost. The link hands each event to a sink on its session thread.

#include <cstdint>
#include <memory>
#include <vector>

struct LinkEvent {
    enum class Kind { DataReceived, Connected, ConnectionLost };
    Kind kind;
    std::unique_ptr<std::vector<std::uint8_t>> data;  // DataReceived only
    // DataReceived: everything this end sent before the message came had
    // been acknowledged by the far end (a reply can only answer what arrived).
    bool sentAllAcknowledged = false;
};

class ILinkEventSink {
public:
    virtual ~ILinkEventSink() = default;
    // Runs on the link's session thread: take the event and return.
    virtual void Deliver(LinkEvent event) = 0;
};
