// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "link/CLayerFactory.h"
#include "link/SocketHandle.h"

class CSocketLayer1;

// Builds the socket Layer 1 as a server on a copy of a listening socket that
// the simulator keeps for its whole run, so that a computer calling between
// two links waits in the queue instead of being refused.
class CListenerLayerFactory : public CLayerFactory {
public:
    explicit CListenerLayerFactory(SocketHandle listener) : m_listener(listener) {}

    std::unique_ptr<CLayer1> CreateLayer1(int kind, const char* parameters, void* extra) override;
    // The same, for a line opened by hand (the silent deskset).
    std::unique_ptr<CSocketLayer1> CreateServer(const char* parameters) const;

private:
    SocketHandle m_listener;  // not owned
};
