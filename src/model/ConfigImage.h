// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The configuration image: 16384 bytes that are at once the model, the file
// and the wire payload. Every access is bytewise; nothing casts into it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/Layout.h"

class ConfigImage {
public:
    static constexpr std::size_t kSize = layout::kImageSize;

    std::uint8_t U8(std::size_t offset) const { return m_bytes.at(offset); }
    std::int8_t S8(std::size_t offset) const { return static_cast<std::int8_t>(U8(offset)); }
    std::uint16_t U16(std::size_t offset) const;
    // Up to width bytes, stopping at the first NUL.
    std::string Text(std::size_t offset, std::size_t width) const;

    void SetU8(std::size_t offset, std::uint8_t value) { m_bytes.at(offset) = value; }
    void SetS8(std::size_t offset, std::int8_t value) {
        SetU8(offset, static_cast<std::uint8_t>(value));
    }
    void SetU16(std::size_t offset, std::uint16_t value);
    // NUL-pads to width; a text of exactly width characters has no terminator.
    // A longer text is cut at width.
    void SetText(std::size_t offset, std::size_t width, std::string_view text);

    std::span<std::uint8_t, kSize> Bytes() { return m_bytes; }
    std::span<const std::uint8_t, kSize> Bytes() const { return m_bytes; }
    void Clear() { m_bytes.fill(0); }
    bool HasHeader() const;

    bool operator==(const ConfigImage&) const = default;

private:
    std::array<std::uint8_t, kSize> m_bytes{};
};

// The process-wide image and the buffer a download fills before it replaces the image.
ConfigImage& TheImage();
ConfigImage& TheReceivedImage();

// Sets every byte of the image to zero: the state of "no database open".
void ClearImage();
