// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

// A millisecond tick counter that wraps modulo 2^32. The packet layer takes one
// so that tests can drive its timers without waiting.
using MillisecondClock = std::function<uint32_t()>;

MillisecondClock SteadyMillisecondClock();
