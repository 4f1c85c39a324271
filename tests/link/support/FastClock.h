// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>

#include "link/VcomClock.h"

// A millisecond clock that runs the given number of times faster than real
// time, so that whole stacks on real threads go through their handshakes and
// time-outs in a fraction of the time.
inline MillisecondClock FastClock(int factor) {
    return [factor] {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<uint32_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count() * factor);
    };
}
