// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CSharedRing.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>

#include "link/VcomTrace.h"

namespace {

constexpr int kCountOffset = 4;
constexpr int kReadPositionOffset = 8;
constexpr int kWritePositionOffset = 12;
constexpr int kSpinsBeforeSleeping = 64;
constexpr auto kBusyPause = std::chrono::microseconds(50);

static_assert(std::atomic_ref<uint8_t>::is_always_lock_free,
              "the busy byte is shared with another process and must be lock-free");

uint32_t LoadField(const uint8_t* at) {
    uint32_t value = 0;
    std::memcpy(&value, at, sizeof value);
    return value;
}

void StoreField(uint8_t* at, uint32_t value) {
    std::memcpy(at, &value, sizeof value);
}

}  // namespace

class CSharedRing::CBusyHold {
public:
    explicit CBusyHold(CSharedRing& ring) : m_ring(ring) { m_ring.TakeBusy(); }
    ~CBusyHold() { m_ring.GiveBackBusy(); }
    CBusyHold(const CBusyHold&) = delete;
    CBusyHold& operator=(const CBusyHold&) = delete;

private:
    CSharedRing& m_ring;
};

CSharedRing::CSharedRing(uint8_t* half, int ringSize, std::chrono::milliseconds busyBound)
    : m_half(half),
      m_ring(half + kHeaderSize),
      m_ringSize(static_cast<uint32_t>(ringSize)),
      m_busyBound(busyBound) {}

void CSharedRing::TakeBusy() {
    std::atomic_ref<uint8_t> busy(m_half[0]);
    const auto deadline = std::chrono::steady_clock::now() + m_busyBound;
    for (int attempt = 0;; ++attempt) {
        uint8_t expected = 0;
        if (busy.compare_exchange_weak(expected, 1, std::memory_order_acquire,
                                       std::memory_order_relaxed)) {
            return;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            // The other side died while changing the ring, or hangs: go on
            // without it rather than stop this line too.
            VcomTrace("(CSharedMemoryLayer1)  error: busy byte held too long, taking it over\n");
            busy.exchange(1, std::memory_order_acquire);
            return;
        }
        if (attempt < kSpinsBeforeSleeping) {
            std::this_thread::yield();
        } else {
            std::this_thread::sleep_for(kBusyPause);
        }
    }
}

void CSharedRing::GiveBackBusy() {
    std::atomic_ref<uint8_t>(m_half[0]).store(0, std::memory_order_release);
}

CSharedRing::Header CSharedRing::LoadHeader() {
    Header header{LoadField(m_half + kCountOffset), LoadField(m_half + kReadPositionOffset),
                  LoadField(m_half + kWritePositionOffset)};
    // The other process may have died half-way through a change, or may not be
    // this program at all: a header that does not add up is an empty ring.
    const bool consistent =
        header.count <= m_ringSize && header.readPosition < m_ringSize &&
        header.writePosition < m_ringSize &&
        (header.readPosition + header.count) % m_ringSize == header.writePosition;
    if (!consistent) {
        VcomTrace("(CSharedMemoryLayer1)  error: ring header damaged, emptying the ring\n");
        header = Header{0, 0, 0};
        StoreHeader(header);
    }
    return header;
}

void CSharedRing::StoreHeader(const Header& header) {
    StoreField(m_half + kCountOffset, header.count);
    StoreField(m_half + kReadPositionOffset, header.readPosition);
    StoreField(m_half + kWritePositionOffset, header.writePosition);
}

int CSharedRing::Write(const uint8_t* bytes, int count) {
    if (count <= 0) {
        return 0;
    }
    // Of more than a ring's worth only the newest bytes can survive.
    uint32_t length = static_cast<uint32_t>(count);
    if (length > m_ringSize) {
        bytes += length - m_ringSize;
        length = m_ringSize;
    }
    CBusyHold hold(*this);
    Header header = LoadHeader();
    const uint32_t first = std::min(length, m_ringSize - header.writePosition);
    std::memcpy(m_ring + header.writePosition, bytes, first);
    std::memcpy(m_ring, bytes + first, length - first);
    header.writePosition = (header.writePosition + length) % m_ringSize;
    header.count += length;
    if (header.count > m_ringSize) {
        // Overrun: the oldest byte still kept is the one just past the newest.
        header.count = m_ringSize;
        header.readPosition = header.writePosition;
    }
    StoreHeader(header);
    return count;
}

int CSharedRing::Read(uint8_t* buffer, int maximum) {
    if (maximum <= 0) {
        return 0;
    }
    CBusyHold hold(*this);
    Header header = LoadHeader();
    const uint32_t length = std::min(header.count, static_cast<uint32_t>(maximum));
    const uint32_t first = std::min(length, m_ringSize - header.readPosition);
    std::memcpy(buffer, m_ring + header.readPosition, first);
    std::memcpy(buffer + first, m_ring, length - first);
    header.readPosition = (header.readPosition + length) % m_ringSize;
    header.count -= length;
    StoreHeader(header);
    return static_cast<int>(length);
}

int CSharedRing::Count() {
    CBusyHold hold(*this);
    return static_cast<int>(LoadHeader().count);
}
