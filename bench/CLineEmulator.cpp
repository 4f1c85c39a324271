// SPDX-License-Identifier: GPL-3.0-or-later
#include "CLineEmulator.h"

#include <poll.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <deque>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// How long the pump waits for input when nothing is on the wire.
constexpr auto kIdleWait = std::chrono::milliseconds(50);

timespec ToTimespec(Clock::duration duration) {
    if (duration < Clock::duration::zero()) {
        duration = Clock::duration::zero();
    }
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    const auto nanoseconds =
        std::chrono::duration_cast<std::chrono::nanoseconds>(duration - seconds);
    return timespec{static_cast<time_t>(seconds.count()), static_cast<long>(nanoseconds.count())};
}

struct WireByte {
    uint8_t value;
    Clock::time_point arrival;
    bool lost;
};

}  // namespace

CLineEmulator::CLineEmulator(const Options& options) : m_options(options) {}

CLineEmulator::~CLineEmulator() {
    Stop();
}

bool CLineEmulator::Start() {
    if (!m_first.Open() || !m_second.Open()) {
        return false;
    }
    m_running.store(true);
    m_forward = std::thread(&CLineEmulator::Pump, this, m_first.MasterDescriptor(),
                            m_second.MasterDescriptor(), std::ref(m_firstToSecond), m_options.seed);
    m_backward = std::thread(&CLineEmulator::Pump, this, m_second.MasterDescriptor(),
                             m_first.MasterDescriptor(), std::ref(m_secondToFirst),
                             m_options.seed * 7919 + 1);
    return true;
}

void CLineEmulator::Stop() {
    m_running.store(false);
    if (m_forward.joinable()) {
        m_forward.join();
    }
    if (m_backward.joinable()) {
        m_backward.join();
    }
    m_first.Close();
    m_second.Close();
}

void CLineEmulator::ResetCounters() {
    m_firstToSecond.store(0);
    m_secondToFirst.store(0);
}

void CLineEmulator::Pump(int from, int to, std::atomic<int64_t>& counter, uint32_t seed) {
    pthread_setname_np(pthread_self(), "line-pump");
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    const auto byteTime = std::chrono::nanoseconds(10'000'000'000LL / m_options.baudRate);
    const auto start = Clock::now();
    std::deque<WireByte> wire;
    Clock::time_point lineFree = start;

    auto inSilence = [&](Clock::time_point at) {
        if (m_options.silenceEveryMs <= 0 || m_options.silenceLengthMs <= 0) {
            return false;
        }
        const auto sinceStart = std::chrono::duration_cast<std::chrono::milliseconds>(at - start);
        return sinceStart.count() % m_options.silenceEveryMs >=
               m_options.silenceEveryMs - m_options.silenceLengthMs;
    };

    while (m_running.load()) {
        const auto now = Clock::now();
        const auto wait = wire.empty() ? Clock::duration(kIdleWait) : wire.front().arrival - now;
        pollfd entry{from, POLLIN, 0};
        const timespec timeout = ToTimespec(wait);
        if (::ppoll(&entry, 1, &timeout, nullptr) > 0 && (entry.revents & POLLIN)) {
            uint8_t buffer[512];
            const ssize_t count = ::read(from, buffer, sizeof(buffer));
            const auto readTime = Clock::now();
            for (ssize_t i = 0; i < count; ++i) {
                // A byte starts when the previous one has left the wire.
                lineFree = std::max(lineFree, readTime) + byteTime;
                WireByte byte{buffer[i], lineFree, false};
                for (int bit = 0; bit < 8 && m_options.bitErrorRate > 0; ++bit) {
                    if (chance(random) < m_options.bitErrorRate) {
                        byte.value ^= static_cast<uint8_t>(1 << bit);
                    }
                }
                byte.lost = (m_options.dropRate > 0 && chance(random) < m_options.dropRate) ||
                            inSilence(byte.arrival);
                wire.push_back(byte);
                counter.fetch_add(1);
            }
        }

        std::vector<uint8_t> due;
        const auto deliverTime = Clock::now();
        while (!wire.empty() && wire.front().arrival <= deliverTime) {
            if (!wire.front().lost) {
                due.push_back(wire.front().value);
            }
            wire.pop_front();
        }
        size_t written = 0;
        while (written < due.size()) {
            const ssize_t result = ::write(to, due.data() + written, due.size() - written);
            if (result <= 0) {
                break;  // the far end is not reading: the bytes are lost, as on a cable
            }
            written += static_cast<size_t>(result);
        }
    }
}
