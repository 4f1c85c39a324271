// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliSettings.h"

#include <windows.h>

#include <optional>

#include "link/CSerialLayer1.h"

namespace cli_settings {

namespace {

constexpr const char* kTorvoSettingsKey = "Software\\Zelnor\\Torvo\\Settings";
constexpr const char* kVcomKey = "Software\\ZEL\\Vcom";
constexpr int kHighestComPort = 255;

std::optional<std::string> RegistryText(HKEY root, const char* key, const char* name) {
    char text[256] = {};
    DWORD size = sizeof text;
    if (::RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(text);
}

std::optional<int> RegistryNumber(HKEY root, const char* key, const char* name) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (::RegGetValueA(root, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

}  // namespace

std::string StoredComPort() {
    // The desktop program's settings are the user's, falling back to the
    // machine's, as it reads them itself.
    auto port = RegistryText(HKEY_CURRENT_USER, kTorvoSettingsKey, "COM Port");
    if (!port) {
        port = RegistryText(HKEY_LOCAL_MACHINE, kTorvoSettingsKey, "COM Port");
    }
    // Only the last character counts, as in the desktop program: "COM3" is 3.
    if (!port || port->empty() || port->back() < '1' || port->back() > '9') {
        return {};
    }
    return std::string("COM") + port->back();
}

std::string ComPortDevice(int portNumber) {
    if (portNumber < 1 || portNumber > kHighestComPort) {
        return {};
    }
    return CSerialLayer1::DefaultDevicePath(portNumber);
}

VcomThreadPriorities LinkThreadPriorities() {
    return {RegistryNumber(HKEY_LOCAL_MACHINE, kVcomKey, "SessionThreadPriority"),
            RegistryNumber(HKEY_LOCAL_MACHINE, kVcomKey, "CommLinkThreadPriority")};
}

}  // namespace cli_settings
