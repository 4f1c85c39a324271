// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two places the program's settings live.

#include <QSettings>

// Settings of the installation: the COM port, window layout, shortcuts.
inline QSettings MachineSettings() {
    return QSettings("Zelnor", "Torvo");
}

// The per-user profile (the recent-file list), under the program's title.
inline QSettings ProfileSettings(const char* title) {
    return QSettings("ZEL", title);
}
