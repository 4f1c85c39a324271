// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "link/CLayer1.h"

// One end of an in-memory line. Two ends made by MakePair write into each
// other's input. A filter can change (corrupt, cut, drop) what an end writes,
// and every write is recorded for the test to inspect.
class CMemoryLayer1 : public CLayer1 {
public:
    using WriteFilter = std::function<void(std::vector<uint8_t>& bytes)>;

    static std::pair<std::unique_ptr<CMemoryLayer1>, std::unique_ptr<CMemoryLayer1>> MakePair(
        int baudRate = 19200);

    int BaudRate() override { return m_baudRate; }
    int FreeTransmitSpace() override { return 1024; }
    int BytesWaiting() override;
    int Open() override { return 0; }
    int Close() override { return 0; }
    int Write(const uint8_t* bytes, int count) override;
    int Read(uint8_t* buffer, int maximum) override;
    void WaitReadable(int milliseconds) override;

    // Puts bytes straight into this end's input, as if the peer had sent them.
    void Inject(const std::vector<uint8_t>& bytes);
    void SetWriteFilter(WriteFilter filter);
    std::vector<uint8_t> TakeWritten();  // everything written since the last call

private:
    struct Inbox {
        std::mutex mutex;
        std::condition_variable condition;
        std::deque<uint8_t> bytes;
    };

    CMemoryLayer1(int baudRate, std::shared_ptr<Inbox> input, std::shared_ptr<Inbox> output);

    int m_baudRate;
    std::shared_ptr<Inbox> m_input;
    std::shared_ptr<Inbox> m_output;
    std::mutex m_tapMutex;
    WriteFilter m_filter;
    std::vector<uint8_t> m_written;
};
