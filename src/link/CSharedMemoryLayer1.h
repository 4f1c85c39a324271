// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "link/CLayer1.h"
#include "link/CSharedRing.h"

// Layer 1 kind 3: a line between two processes on this computer through a
// named block of shared memory holding one ring per direction: a POSIX
// shared-memory object on Linux, a named file mapping backed by the paging
// file on Windows.
//
// Parameter text: any text; the block is named "VCOM_MMF_" followed by it. On
// Linux object names need a leading slash and may not hold another one, so the
// name is "/VCOM_MMF_" + the text with '/', '%' and control characters written
// as %XX. On Windows the mapping is in the session's local namespace and the
// text is used as it is: a backslash in it is not allowed in an object name
// and makes open fail.
//
// The first side to open creates the block and writes the second half,
// reading the first; the side that finds the block already there writes the
// first half and reads the second. One step decides it: an exclusive create
// on Linux, CreateFileMapping reporting ERROR_ALREADY_EXISTS on Windows.
//
// Sizes: each half is a 16-byte header and a 2048-byte ring (a block of 4128
// bytes). The older layout of 1040-byte halves cannot hold the 2048-byte ring
// its own read and write logic uses; 2048 bytes is also the free transmit
// space this line reports, so a writer that fills it loses nothing. A block of
// another size is refused (on Windows, one too small to be mapped at it).
//
// On Linux the block is made readable and writable by this user only, and a
// block another user owns is never joined or removed: open fails. The creator
// holds an advisory lock on the block and removes the name when it closes; a
// side that opened it keeps its mapping until it closes too. A block whose
// creator ended without closing (it crashed) has no lock holder: the next side
// to open removes it and creates a fresh one.
//
// On Windows the mapping belongs to nobody. Windows removes it when the last
// handle to it closes, whichever side that is, and also when a process ends
// without closing, so nothing is ever left behind. While the other side still
// holds it, a side that closes and opens again finds it there and is the
// opener.
class CSharedMemoryLayer1 : public CLayer1 {
public:
    static constexpr int kRingSize = 2048;
    static constexpr int kHalfSize = CSharedRing::kHeaderSize + kRingSize;
    static constexpr int kBlockSize = 2 * kHalfSize;
    static constexpr std::chrono::milliseconds kDefaultBusyBound{250};

    static std::string ObjectName(const char* parameters);

    explicit CSharedMemoryLayer1(const char* parameters,
                                 std::chrono::milliseconds busyBound = kDefaultBusyBound);
    ~CSharedMemoryLayer1() override;

    int BaudRate() override { return 19200; }
    int FreeTransmitSpace() override { return kRingSize; }
    int BytesWaiting() override;
    int Open() override;
    int Close() override;
    int Write(const uint8_t* bytes, int count) override;
    int Read(uint8_t* buffer, int maximum) override;
    // Nothing to wait on but the count: looks at it, more often at first.
    void WaitReadable(int milliseconds) override;

    bool IsOpen() const { return m_block != nullptr; }
    bool IsCreator() const { return m_creator; }

private:
    // What holds the block open on this platform.
    struct PlatformState;

    // The rings in a block just mapped, crossed for the creator, and letting
    // go of them before the block is unmapped (CSharedMemoryLayer1.cpp).
    void AttachRings(uint8_t* block);
    void DetachRings();

    std::string m_name;
    std::chrono::milliseconds m_busyBound;
    bool m_creator = false;
    uint8_t* m_block = nullptr;
    std::optional<CSharedRing> m_writeRing;
    std::optional<CSharedRing> m_readRing;
    std::unique_ptr<PlatformState> m_os;
};
