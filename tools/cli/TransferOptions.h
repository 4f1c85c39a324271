// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a transfer command was asked for, and the port it names.

#include <optional>
#include <string>

struct TransferOptions {
    std::string device;
    int answerTimeoutMs = 0;
    std::optional<int> connectTimeoutMs;  // none: the desktop program's series of attempts
    std::string tracePath;                // empty: no trace
    std::string error;                    // why the command cannot run
};

// The device behind PORT (a COM port of this system, a device path or
// tcp:HOST:PORT), or empty.
std::string PortDevice(const std::string& port);
