// SPDX-License-Identifier: GPL-3.0-or-later
#include "CSimulatedDesksetLine.h"

#include <cstdio>

bool CSimulatedDesksetLine::Start() {
    if (!m_line.Start()) {
        std::fprintf(stderr, "cannot create the line emulator's ptys\n");
        return false;
    }
    if (!m_simulator.StartOnDevice(m_line.SecondPath())) {
        std::fprintf(stderr, "simulator: %s\n", m_simulator.LastError().c_str());
        return false;
    }
    return true;
}
