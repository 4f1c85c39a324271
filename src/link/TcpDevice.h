#pragma once

#include <string>

// A deskset behind a serial device server is reached at "tcp:HOST:PORT"
// wherever a serial device is named (a COM port's device, torvo-cli's --port).
namespace tcp_device {

inline constexpr const char* kPrefix = "tcp:";

bool IsTcpDevice(const std::string& device);
// The socket client text for such a device: "CLIENT IP a.b.c.d port" for a
// dotted address, "CLIENT SN host port" for a name. Empty when HOST is
// missing or PORT is not a port number from 1 to 65535.
std::string ClientParameters(const std::string& device);

}  // namespace tcp_device
