// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The byte layout of the messages exchanged with a deskset, and the image
// cut into upload blocks.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/ConfigImage.h"
#include "transfer/Msg.h"

namespace transfer {

inline constexpr std::size_t kMaxLinkMessage = 250;  // the link object's maximum message size
inline constexpr std::size_t kMaxSentPayload = 248;
inline constexpr std::size_t kMaxReceivedCount = 248;
inline constexpr std::size_t kBlockSize = 100;
inline constexpr std::size_t kLastFullBlock = ConfigImage::kSize - kBlockSize;  // 16284
inline constexpr int kBlockCount = 164;
inline constexpr std::size_t kOffsetBytes = 2;

// Messages from the program to the deskset.
inline constexpr std::uint8_t kVersionRequest = 1;
inline constexpr std::uint8_t kHardwareRequest = 2;
inline constexpr std::uint8_t kDownloadRequest = 3;
inline constexpr std::uint8_t kImageBlockToDeskset = 4;

// Messages from the deskset to the program.
inline constexpr std::uint8_t kDatabaseVersion = 1;
inline constexpr std::uint8_t kHardwareConfiguration = 2;
inline constexpr std::uint8_t kImageBlock = 3;
inline constexpr std::uint8_t kIgnored = 4;
inline constexpr std::uint8_t kUploadCompleted = 5;
inline constexpr std::uint8_t kUploadFailed = 6;
inline constexpr std::uint8_t kDownloadCompleted = 7;
inline constexpr std::uint8_t kDownloadFailed = 8;

// Count byte, type, and the payload cut to 248 bytes.
std::vector<std::uint8_t> EncodeMessage(const Msg& message);

// A received link message, or nothing when it is too short, its count byte is
// 0, or its count promises more bytes than arrived.
std::optional<Msg> DecodeMessage(const std::uint8_t* bytes, std::size_t length);

// The image as 164 type 4 messages: offset (little-endian) then 100 bytes,
// 84 for the last block at 16300.
std::vector<Msg> BuildUploadBlocks(const ConfigImage& image);

// An image block's offset and data, when the block lies inside the image.
struct ImageBlock {
    std::size_t offset;
    const std::uint8_t* data;
    std::size_t length;
};
std::optional<ImageBlock> ParseImageBlock(const Msg& message);

}  // namespace transfer
