// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/PlatformFiles.h"

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>

namespace platform_files {

namespace {

// errno for the Win32 errors a rename or link of ours can meet.
int ErrnoFor(DWORD error) {
    switch (error) {
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
            return EEXIST;
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
            return ENOENT;
        default:
            return EIO;
    }
}

bool Succeeded(BOOL result) {
    if (!result) {
        errno = ErrnoFor(::GetLastError());
    }
    return result != 0;
}

}  // namespace

int OpenForReading(const std::string& path) {
    return ::_open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

int CreateNew(const std::string& path, unsigned /*permissions: the folder's decide*/) {
    return ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
}

bool KeepPermissions(int /*fd*/, unsigned /*permissions*/) {
    // A new file takes its access rights from its folder, as the file it
    // replaces did.
    return true;
}

bool FlushToDisk(int fd) {
    return ::_commit(fd) == 0;
}

bool ReplaceWith(const std::string& from, const std::string& to) {
    return Succeeded(::MoveFileExA(from.c_str(), to.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

bool AddName(const std::string& existing, const std::string& newName) {
    return Succeeded(::CreateHardLinkA(newName.c_str(), existing.c_str(), nullptr));
}

bool CanWriteInFolder(const std::string& folder) {
    constexpr int kWrite = 2;
    return ::_access(folder.c_str(), kWrite) == 0;
}

bool IsOutOfSpace(int error) {
    return error == ENOSPC;
}

std::tm UtcTime(std::time_t time) {
    std::tm utc{};
    ::gmtime_s(&utc, &time);
    return utc;
}

int ProcessId() {
    return ::_getpid();
}

}  // namespace platform_files
