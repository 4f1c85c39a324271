// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LockKeyState.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

// Xlib's macros (None, Bool, KeyPress, ...) would clash with Qt's names: after every Qt header.
#ifdef TORVO_HAVE_XKB
#include <X11/XKBlib.h>
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
namespace {

#ifdef TORVO_HAVE_XKB
// On X11 the X server holds the lock state, also where no keyboard LED tells
// it (a remote or virtual display).
std::optional<bool> XkbLockState(LockKey key) {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) {
        return std::nullopt;
    }
    const char* name = key == LockKey::Caps  ? "Caps Lock"
                       : key == LockKey::Num ? "Num Lock"
                                             : "Scroll Lock";
    const Atom indicator = XInternAtom(display, name, True);
    Bool on = False;
    if (indicator == 0 ||
        !XkbGetNamedIndicator(display, indicator, nullptr, &on, nullptr, nullptr)) {
        return std::nullopt;
    }
    return on != False;
}
#endif

// Linux exposes the keyboard LEDs of every input device; any lit LED counts.
std::optional<bool> LedLockState(LockKey key) {
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

}  // namespace

std::optional<bool> IsLockOn(LockKey key) {
#ifdef TORVO_HAVE_XKB
    if (const std::optional<bool> state = XkbLockState(key)) {
        return state;
    }
#endif
    return LedLockState(key);
}
#endif
