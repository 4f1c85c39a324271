// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CLayerFactory.h"

#include "link/CModemLayer1.h"
#include "link/CMulticastLayer1.h"
#include "link/CPacketLayer2.h"
#include "link/CPipeLayer1.h"
#include "link/CSharedMemoryLayer1.h"
#include "link/CSocketLayer1.h"

CLayerFactory::~CLayerFactory() = default;

std::unique_ptr<CLayer1> CLayerFactory::CreateLayer1(int kind, const char* parameters,
                                                     void* extra) {
    switch (kind) {
        case kSerialLayer1:
            return std::make_unique<CSerialLayer1>(parameters, m_resolver);
        case kPipeLayer1:
            return std::make_unique<CPipeLayer1>(parameters);
        case kSocketLayer1:
            return std::make_unique<CSocketLayer1>(parameters, static_cast<SocketHandle*>(extra));
        case kSharedMemoryLayer1:
            return std::make_unique<CSharedMemoryLayer1>(parameters);
        case kModemLayer1:
            return std::make_unique<CModemLayer1>(parameters, m_resolver, m_clock);
        case kMulticastLayer1:
            return std::make_unique<CMulticastLayer1>(parameters, m_multicastInterface);
        default:
            return nullptr;
    }
}

std::unique_ptr<CLayer2> CLayerFactory::CreateLayer2(int kind, CLayer1& layer1,
                                                     const char* parameters) {
    if (kind == kPacketLayer2) {
        return std::make_unique<CPacketLayer2>(layer1, parameters, m_clock, m_frameObserver);
    }
    return nullptr;
}
