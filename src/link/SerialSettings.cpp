// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/SerialSettings.h"

#include <cstdio>

SerialSettings SerialSettings::Parse(const char* parameters) {
    SerialSettings parsed;
    if (parameters == nullptr) {
        return parsed;
    }
    SerialSettings read;
    if (std::sscanf(parameters, "%d %d %d %d %d", &read.port, &read.dataBits, &read.parity,
                    &read.stopBits, &read.baudRate) == 5) {
        parsed = read;
    }
    return parsed;
}
