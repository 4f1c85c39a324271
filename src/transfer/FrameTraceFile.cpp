// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/FrameTraceFile.h"

#include <cstdio>
#include <ctime>

#include "model/PlatformFiles.h"

FrameTraceFile::FrameTraceFile(const std::string& path, Clock clock)
    : m_out(path, std::ios::out | std::ios::trunc), m_clock(std::move(clock)) {}

void FrameTraceFile::OnFrame(FrameDirection direction, const uint8_t* bytes, int length,
                             bool checkOk) {
    const std::string line =
        Timestamp(m_clock()) + " " + DescribeFrame(direction, bytes, length, checkOk) + "\n";
    std::lock_guard lock(m_lock);
    // Flushed line by line: the trace of a transfer that hangs is the one wanted.
    m_out << line << std::flush;
}

bool FrameTraceFile::Complete() {
    std::lock_guard lock(m_lock);
    return m_out.good();
}

std::string FrameTraceFile::Timestamp(std::chrono::system_clock::time_point time) {
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<milliseconds>(time.time_since_epoch());
    const std::time_t seconds =
        static_cast<std::time_t>(floor<std::chrono::seconds>(sinceEpoch).count());
    const int millis = static_cast<int>(sinceEpoch.count() - seconds * 1000LL);
    const std::tm utc = platform_files::UtcTime(seconds);
    char text[40];
    const std::size_t used = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
    std::snprintf(text + used, sizeof text - used, ".%03dZ", millis);
    return text;
}
