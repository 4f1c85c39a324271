// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A serial line's settings from its parameter text: "port databits parity
// stopbits baud", five decimal numbers ("%d %d %d %d %d"). Parity: 0 none,
// 1 odd, 2 even, 3 mark, 4 space; stop bits: 0 one, 1 one and a half, 2 two.
// Anything short of five numbers means COM1, 8 data bits, no parity, one stop
// bit, 9600 baud.
struct SerialSettings {
    int port = 1;
    int dataBits = 8;
    int parity = 0;
    int stopBits = 0;
    int baudRate = 9600;
    int flowControl = 0;  // bit 0 DSR/DTR, bit 1 CTS/RTS, bit 2 XON/XOFF; always 0 here

    static SerialSettings Parse(const char* parameters);
};
