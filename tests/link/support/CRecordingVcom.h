// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "link/Vcom.h"

// A Vcom that records its callbacks. Received messages are taken with Receive
// inside OnReceive unless told otherwise. Waits are bounded: they only stop a
// broken test from hanging.
class CRecordingVcom : public Vcom {
public:
    struct Status {
        int code;
        int parameter;
    };

    explicit CRecordingVcom(int maxMessageSize = 250, bool takeReceived = true,
                            const VcomThreadPriorities& priorities = {});
    ~CRecordingVcom() override;

    void OnReceive(int length) override;
    void OnSent(int length) override;
    void OnConnect() override;
    void OnDisconnect() override;
    void OnStatus(int code, int parameter) override;
    void OnLinkEvent(int code) override;

    // Waits until the predicate holds on the recorded state; false on time-out.
    bool WaitUntil(const std::function<bool()>& predicate,
                   std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // Recorded state; read it under Lock() or after WaitUntil.
    std::unique_lock<std::mutex> Lock() { return std::unique_lock(m_mutex); }
    std::vector<std::vector<uint8_t>> received;
    std::vector<int> announcedLengths;
    std::vector<int> sentLengths;
    std::vector<Status> statuses;
    std::vector<int> linkEvents;
    int connects = 0;
    int disconnects = 0;
    std::size_t announcedAtLastDisconnect = 0;  // announcedLengths.size() at OnDisconnect

private:
    void Notify();

    bool m_takeReceived;
    std::mutex m_mutex;
    std::condition_variable m_condition;
};
