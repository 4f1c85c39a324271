// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "link/Vcom.h"

// The computer's end of a transfer for the benchmarks: keeps every received
// message and lets the caller wait for one of a given type.
class CBenchClient : public Vcom {
public:
    using Message = std::vector<uint8_t>;

    explicit CBenchClient(const std::string& devicePath);
    ~CBenchClient() override;

    void OnReceive(int length) override;
    void OnConnect() override;

    // Over the serial line (Layer 1 kind 0) to the device given at construction
    // unless told otherwise.
    bool ConnectAndWait(std::chrono::milliseconds timeout, int layer1Kind = 0,
                        const std::string& layer1Parameters = "1 8 0 0 19200");
    bool SendMessage(uint8_t type, const std::vector<uint8_t>& payload);
    // Waits for a message of the given type arriving after the first `skip` messages.
    bool WaitForType(uint8_t type, size_t skip, std::chrono::milliseconds timeout);
    size_t ReceivedCount();
    std::vector<Message> Received();

private:
    std::mutex m_mutex;
    std::condition_variable m_condition;
    std::vector<Message> m_received;
    bool m_connected = false;
};
