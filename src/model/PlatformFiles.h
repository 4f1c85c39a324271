// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The file operations whose system calls differ between platforms. Failures
// leave the reason in errno, as the rest of the file code expects.

#include <ctime>
#include <string>

namespace platform_files {

// Opens for reading, in binary; -1 on failure.
int OpenForReading(const std::string& path);
// Creates a file that must not exist yet, for writing in binary, with the
// given permission bits where the platform has them; -1 on failure (EEXIST
// when the name is taken).
int CreateNew(const std::string& path, unsigned permissions);
// Gives an open file the permission bits of the file it is to replace.
bool KeepPermissions(int fd, unsigned permissions);
// Waits until the file's bytes are on the disk.
bool FlushToDisk(int fd);
// Gives the file at from the name to, replacing a file of that name at once.
bool ReplaceWith(const std::string& from, const std::string& to);
// Gives the file at existing the further name newName; fails with EEXIST
// rather than replace a file of that name.
bool AddName(const std::string& existing, const std::string& newName);
// True when files can be made in the folder.
bool CanWriteInFolder(const std::string& folder);
bool IsOutOfSpace(int error);
std::tm UtcTime(std::time_t time);
int ProcessId();

}  // namespace platform_files
