// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// A copy of the link counters, as handed out by Vcom::GetStatistics.
struct VcomStatistics {
    static constexpr int kLinkState = 0;  // 0 down, 2 handshaking, 1 up
    static constexpr int kFramesSent = 1;
    static constexpr int kFramesReceived = 2;
    static constexpr int kRetransmissions = 3;
    static constexpr int kFramesWaitingToSend = 4;
    static constexpr int kFramesWaitingToDeliver = 5;
    static constexpr int kReserved = 6;
    static constexpr int kLinkLosses = 7;
    static constexpr int kCount = 8;

    int32_t value[kCount] = {};
};
