// SPDX-License-Identifier: GPL-3.0-or-later
// What the shared-memory line does alike on every platform: the two rings in
// the mapped block. Making, mapping and removing the block is in
// posix/CSharedMemoryLayer1.cpp and win32/CSharedMemoryLayer1.cpp.
#include "link/CSharedMemoryLayer1.h"

#include <algorithm>
#include <thread>

namespace {

// WaitReadable looks at the count this often, at first and at most.
constexpr auto kFirstLookStep = std::chrono::microseconds(50);
constexpr auto kLastLookStep = std::chrono::milliseconds(1);

}  // namespace

void CSharedMemoryLayer1::AttachRings(uint8_t* block) {
    m_block = block;
    uint8_t* const firstHalf = m_block;
    uint8_t* const secondHalf = m_block + kHalfSize;
    m_writeRing.emplace(m_creator ? secondHalf : firstHalf, kRingSize, m_busyBound);
    m_readRing.emplace(m_creator ? firstHalf : secondHalf, kRingSize, m_busyBound);
}

void CSharedMemoryLayer1::DetachRings() {
    m_writeRing.reset();
    m_readRing.reset();
}

int CSharedMemoryLayer1::BytesWaiting() {
    return m_readRing ? m_readRing->Count() : 0;
}

int CSharedMemoryLayer1::Write(const uint8_t* bytes, int count) {
    return m_writeRing ? m_writeRing->Write(bytes, count) : 0;
}

int CSharedMemoryLayer1::Read(uint8_t* buffer, int maximum) {
    return m_readRing ? m_readRing->Read(buffer, maximum) : 0;
}

void CSharedMemoryLayer1::WaitReadable(int milliseconds) {
    if (!m_readRing) {
        CLayer1::WaitReadable(milliseconds);
        return;
    }
    // The other side mostly answers within microseconds: look again soon at
    // first, then less and less often, so that an idle line costs little.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::chrono::microseconds step = kFirstLookStep;
    while (m_readRing->Count() == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(step);
        step = std::min<std::chrono::microseconds>(step * 2, kLastLookStep);
    }
}
