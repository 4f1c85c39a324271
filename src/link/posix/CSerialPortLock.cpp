// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/posix/CSerialPortLock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>

std::string CSerialPortLock::LockFileName(const std::string& devicePath) {
    char resolved[PATH_MAX];
    std::string name = ::realpath(devicePath.c_str(), resolved) ? resolved : devicePath;
    constexpr std::string_view kDevices = "/dev/";
    if (name.starts_with(kDevices)) {
        name.erase(0, kDevices.size());
    } else if (const auto slash = name.rfind('/'); slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    for (char& c : name) {
        if (c == '/') {
            c = '_';
        }
    }
    return "LCK.." + name;
}

int CSerialPortLock::LiveHolder(const std::string& lockFile) {
    const int fd = ::open(lockFile.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return errno == ENOENT ? 0 : kUnknownHolder;
    }
    char text[32] = {};
    const ssize_t length = ::read(fd, text, sizeof(text) - 1);
    struct stat status {};
    const bool known = ::fstat(fd, &status) == 0;
    ::close(fd);
    if (length < 0) {
        return kUnknownHolder;
    }
    if (length == 0) {
        // Left empty by a program that died while writing it, unless new.
        const bool fresh = known && std::time(nullptr) - status.st_mtime < kFreshEmptySeconds;
        return fresh ? kUnknownHolder : 0;
    }
    const long pid = std::strtol(text, nullptr, 10);
    if (pid <= 0 || pid > INT_MAX) {
        return 0;  // not a process id: nobody can hold it
    }
    const bool alive = ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
    return alive ? static_cast<int>(pid) : 0;
}

bool CSerialPortLock::Acquire(const std::string& devicePath) {
    Release();
    m_refusedBy = kUnknownHolder;
    const std::string lockFile = m_folder + "/" + LockFileName(devicePath);
    // Two tries: the second after a stale lock was removed.
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd =
            ::open(lockFile.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (fd >= 0) {
            char text[16];
            const int length = std::snprintf(text, sizeof(text), "%10d\n", ::getpid());
            const bool written = ::write(fd, text, length) == length;
            ::close(fd);
            if (!written) {
                ::unlink(lockFile.c_str());
                return true;  // a full disk is no reason to refuse the port
            }
            m_held = lockFile;
            return true;
        }
        if (errno != EEXIST) {
            return true;  // no lock folder we may write to
        }
        if (const int holder = LiveHolder(lockFile); holder != 0) {
            m_refusedBy = holder;
            return false;
        }
        ::unlink(lockFile.c_str());
    }
    return false;
}

void CSerialPortLock::Release() {
    if (!m_held.empty()) {
        ::unlink(m_held.c_str());
        m_held.clear();
    }
}
