#include "CListenerLayerFactory.h"

#include <fcntl.h>

#include "link/CSocketLayer1.h"

std::unique_ptr<CLayer1> CListenerLayerFactory::CreateLayer1(int kind, const char* parameters,
                                                             void* extra) {
    if (kind != kSocketLayer1 || extra != nullptr) {
        return CLayerFactory::CreateLayer1(kind, parameters, extra);
    }
    return CreateServer(parameters);
}

std::unique_ptr<CSocketLayer1> CListenerLayerFactory::CreateServer(const char* parameters) const {
    const int copy = ::fcntl(m_listener, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) {
        return nullptr;
    }
    auto server = std::make_unique<CSocketLayer1>(parameters, nullptr);
    server->UseListeningSocket(copy);
    return server;
}
