// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "link/posix/CPseudoTerminal.h"

// Two pseudo-terminals joined like the two ends of a serial cable. Each
// direction is paced at the baud rate (ten bits per byte: start, eight data,
// stop), so a program on either slave sees the timing of a real line. Bit
// errors, dropped bytes and periods of silence can be added.
class CLineEmulator {
public:
    struct Options {
        int baudRate = 19200;
        double bitErrorRate = 0.0;  // chance that any one bit arrives flipped
        double dropRate = 0.0;      // chance that a byte is lost
        int silenceEveryMs = 0;     // every so often the line goes dead...
        int silenceLengthMs = 0;    // ...for this long, losing what is sent meanwhile
        uint32_t seed = 1;
    };

    explicit CLineEmulator(const Options& options);
    CLineEmulator(const CLineEmulator&) = delete;
    CLineEmulator& operator=(const CLineEmulator&) = delete;
    ~CLineEmulator();

    bool Start();
    void Stop();

    // The devices for the two ends to open.
    const std::string& FirstPath() const { return m_first.SlavePath(); }
    const std::string& SecondPath() const { return m_second.SlavePath(); }

    // Bytes put on the wire in each direction since the last reset (lost ones included).
    int64_t BytesFirstToSecond() const { return m_firstToSecond.load(); }
    int64_t BytesSecondToFirst() const { return m_secondToFirst.load(); }
    void ResetCounters();

private:
    void Pump(int from, int to, std::atomic<int64_t>& counter, uint32_t seed);

    Options m_options;
    CPseudoTerminal m_first;
    CPseudoTerminal m_second;
    std::atomic<bool> m_running{false};
    std::atomic<int64_t> m_firstToSecond{0};
    std::atomic<int64_t> m_secondToFirst{0};
    std::thread m_forward;
    std::thread m_backward;
};
