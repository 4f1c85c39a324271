// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The benchmarks' test bench: a simulated deskset at the far end of an
// emulated serial line. The computer opens ComputerPath().

#include <string>

#include "CDesksetSimulator.h"
#include "CLineEmulator.h"

class CSimulatedDesksetLine {
public:
    explicit CSimulatedDesksetLine(const CLineEmulator::Options& options)
        : m_line(options), m_simulator(SimulatorOptions(options)) {}

    // Says why on standard error when it fails.
    bool Start();

    const std::string& ComputerPath() const { return m_line.FirstPath(); }
    CLineEmulator& Line() { return m_line; }
    CDesksetSimulator& Simulator() { return m_simulator; }

private:
    static DesksetSimOptions SimulatorOptions(const CLineEmulator::Options& options) {
        DesksetSimOptions simOptions;
        simOptions.baudRate = options.baudRate;
        return simOptions;
    }

    CLineEmulator m_line;
    CDesksetSimulator m_simulator;
};
