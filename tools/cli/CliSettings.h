// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What torvo-cli reads of the settings the desktop program keeps: the COM
// port chosen there, the device behind a COM port, and the link's thread
// priorities. On Linux they are the desktop program's Qt settings; on Windows
// the registry values themselves.

#include <string>

#include "link/Vcom.h"

namespace cli_settings {

// The COM port chosen in the desktop program ("COM3"); empty when none is.
std::string StoredComPort();
// The device to open for COMn; empty when n is not a port of this system.
std::string ComPortDevice(int portNumber);
// "Software\ZEL\Vcom" SessionThreadPriority and CommLinkThreadPriority.
VcomThreadPriorities LinkThreadPriorities();

}  // namespace cli_settings
