// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliSettings.h"

#include "settings/ComPortSettings.h"

namespace cli_settings {

std::string StoredComPort() {
    const QString digit = ComPortSettings::ComPortDigit();
    return digit.isEmpty() ? std::string() : "COM" + digit.toStdString();
}

std::string ComPortDevice(int portNumber) {
    if (portNumber < 1 || portNumber > ComPortSettings::kComPortCount) {
        return {};
    }
    return ComPortSettings::ComPortDevice(portNumber).toStdString();
}

VcomThreadPriorities LinkThreadPriorities() {
    return ComPortSettings::LinkThreadPriorities();
}

}  // namespace cli_settings
