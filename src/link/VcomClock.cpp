// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/VcomClock.h"

#include <chrono>

MillisecondClock SteadyMillisecondClock() {
    return [] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    };
}
