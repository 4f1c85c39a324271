#include "CliLink.h"

#include "transfer/VcomTransferLink.h"

CliLink::CliLink() : Vcom(kMaxMessageSize) {}

CliLink::~CliLink() {
    Shutdown();
}

void CliLink::Push(Event event) {
    {
        const std::lock_guard lock(m_lock);
        m_events.push_back(std::move(event));
    }
    m_arrived.notify_one();
}

std::optional<CliLink::Event> CliLink::WaitForEvent(
    std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(m_lock);
    if (!m_arrived.wait_until(lock, deadline, [this] { return !m_events.empty(); })) {
        return std::nullopt;
    }
    Event event = std::move(m_events.front());
    m_events.pop_front();
    return event;
}

void CliLink::OnReceive(int length) {
    if (auto message = VcomTransferLink::ReadAnnouncedMessage(*this, length)) {
        Push({Event::Kind::DataReceived, std::move(message)});
    }
}

void CliLink::OnConnect() {
    Push({Event::Kind::Connected, nullptr});
}

void CliLink::OnDisconnect() {
    Push({Event::Kind::ConnectionLost, nullptr});
}
