// SPDX-License-Identifier: GPL-3.0-or-later
#include "CBenchClient.h"

#include "link/CLayerFactory.h"
#include "link/CPacketLayer2.h"

CBenchClient::CBenchClient(const std::string& devicePath) : Vcom(250) {
    LayerFactory().SetPortResolver([devicePath](int) { return devicePath; });
}

CBenchClient::~CBenchClient() {
    Shutdown();
}

void CBenchClient::OnReceive(int length) {
    Message message(length);
    int received = 0;
    if (Receive(message.data(), length, received) != 0) {
        return;
    }
    message.resize(received);
    {
        std::lock_guard lock(m_mutex);
        m_received.push_back(std::move(message));
    }
    m_condition.notify_all();
}

void CBenchClient::OnConnect() {
    {
        std::lock_guard lock(m_mutex);
        m_connected = true;
    }
    m_condition.notify_all();
}

bool CBenchClient::ConnectAndWait(std::chrono::milliseconds timeout, int layer1Kind,
                                  const std::string& layer1Parameters) {
    {
        std::lock_guard lock(m_mutex);
        m_connected = false;
    }
    // As the program connects: the first poll goes out as soon as the port is open.
    if (Connect(0, CPacketLayer2::kPollAtOnce, layer1Kind, layer1Parameters.c_str()) != 0) {
        return false;
    }
    std::unique_lock lock(m_mutex);
    return m_condition.wait_for(lock, timeout, [this] { return m_connected; });
}

bool CBenchClient::SendMessage(uint8_t type, const std::vector<uint8_t>& payload) {
    Message message{static_cast<uint8_t>(payload.size() + 1), type};
    message.insert(message.end(), payload.begin(), payload.end());
    return Send(message.data(), static_cast<int>(message.size())) == 0;
}

bool CBenchClient::WaitForType(uint8_t type, size_t skip, std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_condition.wait_for(lock, timeout, [&] {
        for (size_t i = skip; i < m_received.size(); ++i) {
            if (m_received[i].size() >= 2 && m_received[i][1] == type) {
                return true;
            }
        }
        return false;
    });
}

size_t CBenchClient::ReceivedCount() {
    std::lock_guard lock(m_mutex);
    return m_received.size();
}

std::vector<CBenchClient::Message> CBenchClient::Received() {
    std::lock_guard lock(m_mutex);
    return m_received;
}
