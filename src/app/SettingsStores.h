#pragma once
// The two places the program's settings live.

#include <QSettings>

#include "app/AppStrings.h"

// Settings of the installation: the COM port, window layout, shortcuts.
inline QSettings MachineSettings() {
    return QSettings("Zelnor", "Torvo");
}

// The per-user profile: the recent-file list.
inline QSettings ProfileSettings() {
    return QSettings("ZEL", app_strings::kTitle);
}
