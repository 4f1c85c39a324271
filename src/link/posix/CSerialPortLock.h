// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The lock that Linux serial programs take on a port before they use it: a
// UUCP-style file "LCK..name" in the system's lock folder holding the owner's
// process id as ten ASCII digits. A lock whose process is gone is stale and
// is taken over. Where the folder cannot be written (no rights, no folder)
// the port goes without a lock file; the advisory lock and the exclusive
// mode on the open port still keep other well-behaved programs out.
class CSerialPortLock {
public:
    static constexpr const char* kSystemLockFolder = "/var/lock";

    explicit CSerialPortLock(std::string folder = kSystemLockFolder)
        : m_folder(std::move(folder)) {}
    CSerialPortLock(const CSerialPortLock&) = delete;
    CSerialPortLock& operator=(const CSerialPortLock&) = delete;
    ~CSerialPortLock() { Release(); }

    void SetFolder(std::string folder) { m_folder = std::move(folder); }
    // A lock file emptier than this many seconds old may be being written.
    static constexpr int kFreshEmptySeconds = 10;
    static constexpr int kUnknownHolder = -1;

    // False when a live process other than this one holds the device's lock;
    // RefusedBy() then tells which.
    bool Acquire(const std::string& devicePath);
    void Release();

    // "LCK..ttyUSB0" for /dev/ttyUSB0, "LCK..pts_3" for /dev/pts/3; a
    // symbolic link (/dev/serial/by-id/...) names the device it points to.
    static std::string LockFileName(const std::string& devicePath);
    const std::string& HeldFile() const { return m_held; }
    // The process whose lock refused the last Acquire, or kUnknownHolder.
    int RefusedBy() const { return m_refusedBy; }

    // The live process that holds the lock file, 0 when none does (no file, a
    // process that has ended, no process id), kUnknownHolder when the file
    // cannot be read or is empty and new: it may be being written right now.
    static int LiveHolder(const std::string& lockFile);

private:
    std::string m_folder;
    std::string m_held;  // the lock file this object made, or empty
    int m_refusedBy = kUnknownHolder;
};
