// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>

// One direction of the shared-memory line: a ring of bytes behind a 16-byte
// header, in memory that the process at the other end changes as well.
//
//   offset 0   busy: 1 while one side changes this ring
//   offset 4   count: bytes waiting, at most the ring size
//   offset 8   read position
//   offset 12  write position
//   offset 16  the ring
//
// The busy byte is the only guard between the two processes: it is taken with
// an atomic compare-exchange (0 to 1) and given back with an atomic store, and
// the count and positions are read and written only while it is held. A side
// that dies holding it must not stop the other for ever: after the bound the
// waiting side takes the ring over.
class CSharedRing {
public:
    static constexpr int kHeaderSize = 16;

    // half: the header followed by ringSize bytes, mapped by the caller.
    CSharedRing(uint8_t* half, int ringSize, std::chrono::milliseconds busyBound);

    // Always takes the whole count. When the ring fills up the oldest unread
    // bytes are overwritten, so the reader then gets the newest ringSize bytes
    // in their order. Returns count.
    int Write(const uint8_t* bytes, int count);
    // Takes up to maximum of the waiting bytes, oldest first.
    int Read(uint8_t* buffer, int maximum);
    int Count();

private:
    struct Header {
        uint32_t count;
        uint32_t readPosition;
        uint32_t writePosition;
    };
    class CBusyHold;

    void TakeBusy();
    void GiveBackBusy();
    Header LoadHeader();  // repairs a header that does not add up
    void StoreHeader(const Header& header);

    uint8_t* m_half;
    uint8_t* m_ring;
    uint32_t m_ringSize;
    std::chrono::milliseconds m_busyBound;
};
