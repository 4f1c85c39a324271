// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The packet layer's 16-bit check: CRC-CCITT taken least-significant bit first
// (reflected constant 0x8408), initial value 0xFFFF and, unlike the HDLC frame
// check, no final complement. "123456789" gives 0x6F91.
class CCrc16 {
public:
    static constexpr uint16_t kInitial = 0xFFFF;

    static uint16_t Update(uint16_t crc, uint8_t byte);
    static uint16_t Compute(const uint8_t* bytes, int count);
};
