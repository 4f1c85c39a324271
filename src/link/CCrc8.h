// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The packet layer's one-byte check ("UseCRC8"). Its table is linear in the
// index, built from eight basis values rather than from a polynomial; no
// ordinary 8-bit CRC matches it. Initial value 0xFF; "abc" gives 0x23.
class CCrc8 {
public:
    static constexpr uint8_t kInitial = 0xFF;

    static uint8_t TableEntry(int index);
    static uint8_t Update(uint8_t crc, uint8_t byte);
    static uint8_t Compute(const uint8_t* bytes, int count);
};
