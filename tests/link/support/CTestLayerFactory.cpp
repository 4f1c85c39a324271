// SPDX-License-Identifier: GPL-3.0-or-later
#include "CTestLayerFactory.h"

#include "link/CLayer1.h"
#include "link/CLayer2.h"

CTestLayerFactory::CTestLayerFactory(Layer1Maker layer1, Layer2Maker layer2)
    : m_layer1(std::move(layer1)), m_layer2(std::move(layer2)) {}

std::unique_ptr<CLayer1> CTestLayerFactory::CreateLayer1(int kind, const char* parameters,
                                                         void* extra) {
    if (kind == kSerialLayer1 && m_layer1) {
        return m_layer1();
    }
    return CLayerFactory::CreateLayer1(kind, parameters, extra);
}

std::unique_ptr<CLayer2> CTestLayerFactory::CreateLayer2(int kind, CLayer1& layer1,
                                                         const char* parameters) {
    if (kind == kPacketLayer2 && m_layer2) {
        return m_layer2(layer1);
    }
    return CLayerFactory::CreateLayer2(kind, layer1, parameters);
}
