// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Why a line could not be had, in the words a technician reads after "Cause:":
// the serial lines say it when they cannot open, the socket line's status
// events tell it of a device server.

#include <string>

namespace line_problems {

std::string NoSuchDevice(const std::string& device);
std::string PermissionDenied(const std::string& device);
// holder: the process whose lock file holds the port, 0 when not known.
std::string InUse(const std::string& device, int holder);
std::string NotSerial(const std::string& device);
std::string Failed(const std::string& device, const std::string& systemMessage);

// What a status event of the socket line says about reaching tcp:HOST:PORT;
// empty for an event that tells nothing about it.
std::string FromSocketStatus(const std::string& device, int code, int parameter);

}  // namespace line_problems
