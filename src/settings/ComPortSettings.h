// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The COM port the program uses, the serial device behind each COMn and the
// link's thread priorities: the part of the settings that torvo-cli shares
// with the desktop program, so it needs Qt Core only.

#include <QString>

#include "link/Vcom.h"

class ComPortSettings {
public:
    static constexpr int kComPortCount = 4;

    // Creates "Settings/COM Port" with an empty value when it is missing.
    static void EnsureComPortSetting();

    // The stored port's last character ("COM3" gives "3"); empty when unset.
    static QString ComPortDigit();
    static void SetComPort(int portNumber);  // 1..4, stored as "COM1".."COM4"
    // The serial device behind COMn; /dev/ttyS<n-1> unless the user chose another.
    static QString ComPortDevice(int portNumber);
    static void SetComPortDevice(int portNumber, const QString& device);

    // The link's thread priorities from the system settings "ZEL/Vcom".
    static VcomThreadPriorities LinkThreadPriorities();
};
