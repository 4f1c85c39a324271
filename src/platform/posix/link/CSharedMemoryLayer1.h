#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>

#include "link/CLayer1.h"
#include "link/CSharedRing.h"

// Layer 1 kind 3: a line between two processes on this computer through a
// named block of shared memory (a POSIX shared-memory object) holding one
// ring per direction.
//
// Parameter text: any text; the block is named "VCOM_MMF_" followed by it.
// Object names need a leading slash and may not hold another one, so the name
// is "/VCOM_MMF_" + the text with '/', '%' and control characters written as
// %XX.
//
// The first side to open creates the block (an exclusive create decides it)
// and writes the second half, reading the first; the side that finds the
// block already there writes the first half and reads the second.
//
// Sizes: each half is a 16-byte header and a 2048-byte ring (a block of 4128
// bytes). The older layout of 1040-byte halves cannot hold the 2048-byte ring
// its own read and write logic uses; 2048 bytes is also the free transmit
// space this line reports, so a writer that fills it loses nothing. A block of
// another size is refused.
//
// The block is made readable and writable by this user only, and a block
// another user owns is never joined or removed: open fails.
//
// Lifetime: the creator holds an advisory lock on the block and removes the
// name when it closes; a side that opened it keeps its mapping until it closes
// too. A block whose creator ended without closing (it crashed) has no lock
// holder: the next side to open removes it and creates a fresh one.
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
    // Shared by both platforms: the rings in a block just mapped, crossed for
    // the creator, and letting go of them before the block is unmapped.
    void AttachRings(uint8_t* block);
    void DetachRings();
    // Creates the block or opens the existing one; the descriptor, or -1.
    int CreateOrOpen();
    // The block's size, waiting a little for a creator that has not set it yet.
    static off_t SizeOnceSet(int descriptor);

    std::string m_name;
    std::chrono::milliseconds m_busyBound;
    int m_descriptor = -1;  // kept by the creator: it holds the lock
    bool m_creator = false;
    uint8_t* m_block = nullptr;
    std::optional<CSharedRing> m_writeRing;
    std::optional<CSharedRing> m_readRing;
};
