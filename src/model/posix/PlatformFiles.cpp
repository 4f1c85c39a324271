// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PlatformFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace platform_files {

int OpenForReading(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

int CreateNew(const std::string& path, unsigned permissions) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                  static_cast<mode_t>(permissions));
}

bool KeepPermissions(int fd, unsigned permissions) {
    return ::fchmod(fd, static_cast<mode_t>(permissions & 07777)) == 0;
}

bool FlushToDisk(int fd) {
    return ::fsync(fd) == 0;
}

bool ReplaceWith(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool AddName(const std::string& existing, const std::string& newName) {
    return ::link(existing.c_str(), newName.c_str()) == 0;
}

bool CanWriteInFolder(const std::string& folder) {
    return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool IsOutOfSpace(int error) {
    return error == ENOSPC || error == EDQUOT;
}

std::tm UtcTime(std::time_t time) {
    std::tm utc{};
    ::gmtime_r(&time, &utc);
    return utc;
}

int ProcessId() {
    return static_cast<int>(::getpid());
}

}  // namespace platform_files
