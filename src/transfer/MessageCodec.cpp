// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/MessageCodec.h"

#include <algorithm>

namespace transfer {

std::vector<std::uint8_t> EncodeMessage(const Msg& message) {
    const std::size_t length = std::min(message.Payload().size(), kMaxSentPayload);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(length + 2);
    bytes.push_back(static_cast<std::uint8_t>(length + 1));
    bytes.push_back(message.Type());
    bytes.insert(bytes.end(), message.Payload().begin(), message.Payload().begin() + length);
    return bytes;
}

std::optional<Msg> DecodeMessage(const std::uint8_t* bytes, std::size_t length) {
    if (!bytes || length < 2) {
        return std::nullopt;
    }
    const std::size_t count = std::min<std::size_t>(bytes[0], kMaxReceivedCount);
    if (count == 0 || count - 1 > length - 2) {
        return std::nullopt;
    }
    return Msg(bytes[1], std::vector<std::uint8_t>(bytes + 2, bytes + 2 + (count - 1)));
}

std::vector<Msg> BuildUploadBlocks(const ConfigImage& image) {
    std::vector<Msg> blocks;
    const auto bytes = image.Bytes();
    for (std::size_t offset = 0; offset < ConfigImage::kSize; offset += kBlockSize) {
        const std::size_t length =
            offset <= kLastFullBlock ? kBlockSize : ConfigImage::kSize - offset;
        std::vector<std::uint8_t> payload{static_cast<std::uint8_t>(offset & 0xFF),
                                          static_cast<std::uint8_t>(offset >> 8)};
        payload.insert(payload.end(), bytes.begin() + offset, bytes.begin() + offset + length);
        blocks.emplace_back(kImageBlockToDeskset, std::move(payload));
    }
    return blocks;
}

std::optional<ImageBlock> ParseImageBlock(const Msg& message) {
    const auto& payload = message.Payload();
    if (payload.size() < kOffsetBytes) {
        return std::nullopt;
    }
    const std::size_t offset = payload[0] + 256u * payload[1];
    const std::size_t length = payload.size() - kOffsetBytes;
    if (offset + length > ConfigImage::kSize) {
        return std::nullopt;
    }
    return ImageBlock{offset, payload.data() + kOffsetBytes, length};
}

}  // namespace transfer
