#include "app/LockKeyState.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

QString LockIndicatorText(LockKey key) {
    switch (key) {
        case LockKey::Caps:
            return "CAP";
        case LockKey::Num:
            return "NUM";
        case LockKey::Scroll:
            return "SCRL";
    }
    return {};
}

#ifdef Q_OS_WIN
std::optional<bool> IsLockOn(LockKey key) {
    const int virtualKey = key == LockKey::Caps  ? VK_CAPITAL
                           : key == LockKey::Num ? VK_NUMLOCK
                                                 : VK_SCROLL;
    return (GetKeyState(virtualKey) & 1) != 0;
}
#else
// Linux exposes the keyboard LEDs of every input device; any lit LED counts.
std::optional<bool> IsLockOn(LockKey key) {
    const QString suffix = key == LockKey::Caps  ? "capslock"
                           : key == LockKey::Num ? "numlock"
                                                 : "scrolllock";
    const QDir leds("/sys/class/leds");
    const QStringList entries = leds.entryList({"*::" + suffix}, QDir::Dirs | QDir::System);
    if (entries.isEmpty()) {
        return std::nullopt;
    }
    for (const QString& entry : entries) {
        QFile brightness(leds.filePath(entry + "/brightness"));
        if (brightness.open(QIODevice::ReadOnly) && brightness.readAll().trimmed().toInt() > 0) {
            return true;
        }
    }
    return false;
}
#endif
