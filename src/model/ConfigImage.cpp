// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ConfigImage.h"

#include <algorithm>
#include <stdexcept>

std::uint16_t ConfigImage::U16(std::size_t offset) const {
    return static_cast<std::uint16_t>(U8(offset) | (U8(offset + 1) << 8));
}

void ConfigImage::SetU16(std::size_t offset, std::uint16_t value) {
    SetU8(offset, static_cast<std::uint8_t>(value & 0xFF));
    SetU8(offset + 1, static_cast<std::uint8_t>(value >> 8));
}

std::string ConfigImage::Text(std::size_t offset, std::size_t width) const {
    if (offset + width > kSize) {
        throw std::out_of_range("text field passes the end of the image");
    }
    std::string text;
    for (std::size_t i = 0; i < width && m_bytes[offset + i] != 0; ++i) {
        text.push_back(static_cast<char>(m_bytes[offset + i]));
    }
    return text;
}

void ConfigImage::SetText(std::size_t offset, std::size_t width, std::string_view text) {
    if (offset + width > kSize) {
        throw std::out_of_range("text field passes the end of the image");
    }
    const std::size_t length = std::min(width, text.size());
    for (std::size_t i = 0; i < width; ++i) {
        m_bytes[offset + i] = i < length ? static_cast<std::uint8_t>(text[i]) : 0;
    }
}

bool ConfigImage::HasHeader() const {
    return Text(layout::kHeader, layout::kHeaderLength) == layout::kHeaderText;
}

ConfigImage& TheImage() {
    static ConfigImage image;
    return image;
}

ConfigImage& TheReceivedImage() {
    static ConfigImage image;
    return image;
}

void ClearImage() {
    TheImage().Clear();
}
