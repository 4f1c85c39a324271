// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's own texts, used exactly as they stand.

#include "transfer/TransferStrings.h"

namespace app_strings {
inline constexpr char kTitle[] = "Velk Series Torvo";
inline constexpr char kVersion[] = "Version R01.00.00";
inline constexpr const char* kIdle = transfer_strings::kIdle;
inline constexpr char kNewName[] = "New";
inline constexpr char kFileFilter[] = "Torvo Files (*.ddb)";
inline constexpr char kSaveChanges[] = "Save changes to %1?";
inline constexpr char kCloseQuestion[] =
    "This action will close the current database. OK to continue?";
inline constexpr char kCloseWindowsBeforeSaving[] = "You must close all windows before saving.";
inline constexpr char kCloseWindowsBeforeDownloading[] =
    "You must close all windows before downloading.";
inline constexpr char kCloseWindowsBeforeUploading[] =
    "You must close all windows before uploading.";
inline constexpr char kTreeWindowTitle[] = "Docking Tree Window";
}  // namespace app_strings
