// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// One packet-layer frame as kept in the frame queues: type, sequence, length,
// payload, then the check bytes (filled in when the frame is sent).
using FrameRecord = std::array<uint8_t, 255>;

inline constexpr int kFrameTypeOffset = 0;
inline constexpr int kFrameSequenceOffset = 1;
inline constexpr int kFrameLengthOffset = 2;
inline constexpr int kFramePayloadOffset = 3;
inline constexpr int kFrameHeaderSize = 3;
inline constexpr int kFrameMaxPayload = 250;

inline constexpr uint8_t kFrameConnectRequest = 1;
inline constexpr uint8_t kFrameAcknowledgement = 2;
inline constexpr uint8_t kFramePoll = 3;
inline constexpr uint8_t kFrameDataWhole = 4;
inline constexpr uint8_t kFrameDataFirst = 5;
inline constexpr uint8_t kFrameDataMiddle = 6;
inline constexpr uint8_t kFrameDataLast = 7;
inline constexpr uint8_t kFrameUnused = 8;
inline constexpr uint8_t kFrameConnectConfirm = 9;
