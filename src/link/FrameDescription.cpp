// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "link/IFrameObserver.h"
#include "link/PacketFrame.h"

namespace {

const char* KindName(uint8_t type) {
    switch (type) {
        case kFrameConnectRequest:
            return "connect-request";
        case kFrameAcknowledgement:
            return "ack";
        case kFramePoll:
            return "poll";
        case kFrameDataWhole:
            return "data";
        case kFrameDataFirst:
            return "data-first";
        case kFrameDataMiddle:
            return "data-middle";
        case kFrameDataLast:
            return "data-last";
        case kFrameConnectConfirm:
            return "confirm";
        default:
            return "unknown";
    }
}

}  // namespace

std::string DescribeFrame(FrameDirection direction, const uint8_t* bytes, int length,
                          bool checkOk) {
    std::string line = direction == FrameDirection::Sent ? "TX " : "RX ";
    line += !checkOk                    ? "bad-crc"
            : length > kFrameTypeOffset ? KindName(bytes[kFrameTypeOffset])
                                        : "unknown";
    const int sequence = length > kFrameSequenceOffset ? bytes[kFrameSequenceOffset] : 0;
    line += " seq=" + std::to_string(sequence) + " len=" + std::to_string(length);
    for (int i = 0; i < length; ++i) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", bytes[i]);
        line += hex;
    }
    return line;
}
