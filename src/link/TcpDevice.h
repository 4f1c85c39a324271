// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A deskset behind a serial device server is reached at "tcp:HOST:PORT"
// wherever a serial device is named (a COM port's device, torvo-cli's --port).
// HOST is a name, a dotted address, or an IPv6 address in brackets
// ("tcp:[::1]:4001"); the last colon starts the port.
namespace tcp_device {

inline constexpr const char* kPrefix = "tcp:";

bool IsTcpDevice(const std::string& device);
// Why a "tcp:" device cannot be used; empty when it can.
std::string Problem(const std::string& device);
// The socket client text for such a device: "CLIENT IP address port" for a
// dotted or IPv6 address, "CLIENT SN host port" for a name. Empty when the
// device has a Problem: HOST missing or not of a form above, or PORT not a
// port number from 1 to 65535.
std::string ClientParameters(const std::string& device);

}  // namespace tcp_device
