#pragma once

#include <chrono>
#include <optional>
#include <string>

#include "link/CLayer1.h"
#include "link/CSharedRing.h"

// Layer 1 kind 3: a line between two processes on this computer through a
// named file mapping backed by the paging file, holding one ring per
// direction.
//
// Parameter text: any text; the mapping is named "VCOM_MMF_" followed by it,
// in the session's local namespace. The text is used as it is: a backslash in
// it is not allowed in an object name and makes open fail.
//
// The first side to open creates the mapping and writes the second half,
// reading the first; the side that finds the mapping already there
// (CreateFileMapping reports ERROR_ALREADY_EXISTS, which decides it in one
// step) writes the first half and reads the second.
//
// Sizes as on every platform: each half is a 16-byte header and a 2048-byte
// ring (a block of 4128 bytes). A mapping too small for that cannot be mapped
// and is refused.
//
// Lifetime: the mapping belongs to nobody. Windows removes it when the last
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
    // Shared by both platforms: the rings in a block just mapped, crossed for
    // the creator, and letting go of them before the block is unmapped.
    void AttachRings(uint8_t* block);
    void DetachRings();

    std::string m_name;
    std::chrono::milliseconds m_busyBound;
    void* m_mapping = nullptr;  // the mapping's HANDLE while open
    bool m_creator = false;
    uint8_t* m_block = nullptr;
    std::optional<CSharedRing> m_writeRing;
    std::optional<CSharedRing> m_readRing;
};
