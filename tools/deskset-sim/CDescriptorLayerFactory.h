// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "link/CLayerFactory.h"
#include "link/CSerialLayer1.h"

// Builds the serial Layer 1 on a copy of a line that is already open
// (the master side of the simulator's pty, or its serial device), so that
// every Connect gets a fresh layer on the same line and nothing the computer
// sends between two connections is lost. The far end hanging up ends the link.
class CDescriptorLayerFactory : public CLayerFactory {
public:
    explicit CDescriptorLayerFactory(CSerialLayer1::LineHandle line) : m_line(line) {}

    std::unique_ptr<CLayer1> CreateLayer1(int kind, const char* parameters, void* extra) override;

private:
    CSerialLayer1::LineHandle m_line;  // not owned
};
