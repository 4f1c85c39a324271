// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CCrc16.h"

#include <array>

namespace {

std::array<uint16_t, 256> BuildTable() {
    std::array<uint16_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        uint16_t crc = static_cast<uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) ? static_cast<uint16_t>((crc >> 1) ^ 0x8408) : (crc >> 1);
        }
        table[i] = crc;
    }
    return table;
}

const std::array<uint16_t, 256>& Table() {
    static const std::array<uint16_t, 256> table = BuildTable();
    return table;
}

}  // namespace

uint16_t CCrc16::Update(uint16_t crc, uint8_t byte) {
    return static_cast<uint16_t>((crc >> 8) ^ Table()[(crc ^ byte) & 0xFF]);
}

uint16_t CCrc16::Compute(const uint8_t* bytes, int count) {
    uint16_t crc = kInitial;
    for (int i = 0; i < count; ++i) {
        crc = Update(crc, bytes[i]);
    }
    return crc;
}
