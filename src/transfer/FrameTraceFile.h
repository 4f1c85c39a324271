// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A link trace: one line per packet-layer frame, both ways, written to a file
// as the frames pass.
//
//   2026-12-07T15:30:12.345Z TX data seq=3 len=108 04 03 67 ...
//
// The time is UTC with milliseconds; then the direction, the frame's kind
// (connect-request, confirm, poll, ack, data..., bad-crc), its sequence
// number, its length on the line and its bytes in hex.

#include <chrono>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>

#include "link/IFrameObserver.h"

class FrameTraceFile : public IFrameObserver {
public:
    using Clock = std::function<std::chrono::system_clock::time_point()>;

    // Replaces whatever path held; IsOpen tells whether it could be written.
    explicit FrameTraceFile(
        const std::string& path, Clock clock = [] { return std::chrono::system_clock::now(); });

    bool IsOpen() const { return m_out.is_open(); }
    // False once a line could not be written whole (a full disk): the trace
    // ends before the transfer did.
    bool Complete();
    void OnFrame(FrameDirection direction, const uint8_t* bytes, int length, bool checkOk) override;

    static std::string Timestamp(std::chrono::system_clock::time_point time);

private:
    std::mutex m_lock;
    std::ofstream m_out;
    Clock m_clock;
};
