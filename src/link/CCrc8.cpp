// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CCrc8.h"

#include <array>

namespace {

constexpr uint8_t kBasis[8] = {0x4B, 0x96, 0x25, 0x0A, 0x94, 0x21, 0x02, 0x84};

std::array<uint8_t, 256> BuildTable() {
    std::array<uint8_t, 256> table{};
    for (int i = 0; i < 256; ++i) {
        uint8_t value = 0;
        for (int bit = 0; bit < 8; ++bit) {
            if (i & (1 << bit)) {
                value ^= kBasis[bit];
            }
        }
        table[i] = value;
    }
    return table;
}

const std::array<uint8_t, 256>& Table() {
    static const std::array<uint8_t, 256> table = BuildTable();
    return table;
}

}  // namespace

uint8_t CCrc8::TableEntry(int index) {
    return Table()[index & 0xFF];
}

uint8_t CCrc8::Update(uint8_t crc, uint8_t byte) {
    return Table()[(crc ^ byte) & 0xFF];
}

uint8_t CCrc8::Compute(const uint8_t* bytes, int count) {
    uint8_t crc = kInitial;
    for (int i = 0; i < count; ++i) {
        crc = Update(crc, bytes[i]);
    }
    return crc;
}
