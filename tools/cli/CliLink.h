#pragma once
// torvo-cli's link object: the link's callbacks, which come on its session
// thread, become events in a queue that the command's own thread takes out in
// arrival order.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include "link/Vcom.h"

class CliLink : public Vcom {
public:
    static constexpr int kMaxMessageSize = 250;

    struct Event {
        enum class Kind { DataReceived, Connected, ConnectionLost };
        Kind kind;
        std::unique_ptr<std::vector<std::uint8_t>> data;
    };

    CliLink();
    ~CliLink() override;

    // The next event, or nothing when none arrived before the deadline.
    std::optional<Event> WaitForEvent(std::chrono::steady_clock::time_point deadline);

    void OnReceive(int length) override;
    void OnConnect() override;
    void OnDisconnect() override;

private:
    void Push(Event event);

    std::mutex m_lock;
    std::condition_variable m_arrived;
    std::deque<Event> m_events;
};
