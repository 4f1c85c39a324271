// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ComPortSettings.h"

#include <QSettings>

#include "settings/SettingsStores.h"

namespace {

constexpr char kComPortKey[] = "Settings/COM Port";

QString DeviceKey(int portNumber) {
    return QString("Settings/COM%1 Device").arg(portNumber);
}

}  // namespace

void ComPortSettings::EnsureComPortSetting() {
    QSettings settings = MachineSettings();
    if (!settings.contains(kComPortKey)) {
        settings.setValue(kComPortKey, QString());
    }
}

QString ComPortSettings::ComPortDigit() {
    const QString port = MachineSettings().value(kComPortKey).toString();
    return port.isEmpty() ? QString() : port.right(1);
}

void ComPortSettings::SetComPort(int portNumber) {
    MachineSettings().setValue(kComPortKey, QString("COM%1").arg(portNumber));
}

QString ComPortSettings::ComPortDevice(int portNumber) {
    const QString fallback = QString("/dev/ttyS%1").arg(portNumber - 1);
    const QString device = MachineSettings().value(DeviceKey(portNumber)).toString();
    return device.isEmpty() ? fallback : device;
}

void ComPortSettings::SetComPortDevice(int portNumber, const QString& device) {
    MachineSettings().setValue(DeviceKey(portNumber), device);
}

VcomThreadPriorities ComPortSettings::LinkThreadPriorities() {
    QSettings settings(QSettings::SystemScope, "ZEL", "Vcom");
    const auto level = [&settings](const char* key) -> std::optional<int> {
        bool ok = false;
        const int value = settings.value(key).toInt(&ok);
        return ok ? std::optional<int>(value) : std::nullopt;
    };
    return {level("SessionThreadPriority"), level("CommLinkThreadPriority")};
}
