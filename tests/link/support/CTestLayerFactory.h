// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include "link/CLayerFactory.h"

// A layer factory whose Layer 1 (kind 0) and Layer 2 (kind 0) are made by
// functions the test supplies; other kinds fall back to the real factory.
class CTestLayerFactory : public CLayerFactory {
public:
    using Layer1Maker = std::function<std::unique_ptr<CLayer1>()>;
    using Layer2Maker = std::function<std::unique_ptr<CLayer2>(CLayer1&)>;

    CTestLayerFactory(Layer1Maker layer1, Layer2Maker layer2 = nullptr);

    std::unique_ptr<CLayer1> CreateLayer1(int kind, const char* parameters, void* extra) override;
    std::unique_ptr<CLayer2> CreateLayer2(int kind, CLayer1& layer1,
                                          const char* parameters) override;

private:
    Layer1Maker m_layer1;
    Layer2Maker m_layer2;
};
