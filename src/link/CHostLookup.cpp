// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CHostLookup.h"

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

#include "link/SocketPlatform.h"

struct CHostLookup::Answer {
    std::mutex mutex;
    std::condition_variable condition;
    bool done = false;
    int error = 0;
    std::vector<socket_support::SocketAddress> addresses;
};

CHostLookup::CHostLookup() = default;
CHostLookup::~CHostLookup() = default;

bool CHostLookup::Start(const std::string& name, int port) {
    if (!socket_platform::StartLibrary()) {
        return false;
    }
    auto answer = std::make_shared<Answer>();
    try {
        std::thread([answer, name, port] {
            addrinfo hints{};
            hints.ai_family = AF_UNSPEC;
            hints.ai_socktype = SOCK_STREAM;
            hints.ai_flags = AI_NUMERICSERV;
            addrinfo* found = nullptr;
            const int error =
                ::getaddrinfo(name.c_str(), std::to_string(port).c_str(), &hints, &found);
            {
                std::lock_guard lock(answer->mutex);
                answer->error = error;
                for (const addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
                    socket_support::SocketAddress address;
                    if ((entry->ai_family == AF_INET || entry->ai_family == AF_INET6) &&
                        entry->ai_addrlen <= sizeof address.storage) {
                        std::memcpy(&address.storage, entry->ai_addr, entry->ai_addrlen);
                        address.length = static_cast<socklen_t>(entry->ai_addrlen);
                        answer->addresses.push_back(address);
                    }
                }
                answer->done = true;
            }
            answer->condition.notify_all();
            if (found != nullptr) {
                ::freeaddrinfo(found);
            }
        }).detach();
    } catch (const std::system_error&) {
        return false;
    }
    m_answer = std::move(answer);
    return true;
}

bool CHostLookup::WaitFor(int milliseconds) {
    if (!m_answer) {
        return false;
    }
    std::unique_lock lock(m_answer->mutex);
    return m_answer->condition.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                        [this] { return m_answer->done; });
}

int CHostLookup::Error() const {
    std::lock_guard lock(m_answer->mutex);
    return m_answer->error;
}

std::vector<socket_support::SocketAddress> CHostLookup::Addresses() const {
    std::lock_guard lock(m_answer->mutex);
    return m_answer->addresses;
}
