// SPDX-License-Identifier: GPL-3.0-or-later
#include "CListenerLayerFactory.h"

#include "link/CSocketLayer1.h"
#include "link/SocketPlatform.h"

std::unique_ptr<CLayer1> CListenerLayerFactory::CreateLayer1(int kind, const char* parameters,
                                                             void* extra) {
    if (kind != kSocketLayer1 || extra != nullptr) {
        return CLayerFactory::CreateLayer1(kind, parameters, extra);
    }
    return CreateServer(parameters);
}

std::unique_ptr<CSocketLayer1> CListenerLayerFactory::CreateServer(const char* parameters) const {
    const SocketHandle copy = socket_platform::DuplicateListener(m_listener);
    if (copy == kNoSocket) {
        return nullptr;
    }
    auto server = std::make_unique<CSocketLayer1>(parameters, nullptr);
    server->UseListeningSocket(copy);
    return server;
}
