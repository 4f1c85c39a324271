// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The deskset's database as it was before an upload, kept as a .ddb file in
// a folder, and the comparison of a read-back with what was uploaded.

#include <cstddef>
#include <ctime>
#include <string>

class ConfigImage;

namespace transfer {

struct BackupResult {
    bool ok = false;
    std::string path;     // the file written, when ok
    std::string message;  // why nothing was written, otherwise
};

// "deskset-20261207-153012.ddb" for the UTC time now; the second and later
// candidates for the same second get "-2", "-3", ... before the extension.
std::string BackupFileName(std::time_t now, int candidate = 1);

// Writes image into folder under the first free name for now. The file
// appears whole or not at all, and an existing file is never replaced.
BackupResult KeepBackup(const std::string& folder, const ConfigImage& image,
                        std::time_t now = std::time(nullptr));

// Why folder cannot take a backup (missing, not a folder, not writable), or empty.
std::string BackupFolderProblem(const std::string& folder);

std::size_t CountDifferingBytes(const ConfigImage& a, const ConfigImage& b);

}  // namespace transfer
