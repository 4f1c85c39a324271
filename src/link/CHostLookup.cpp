#include "link/CHostLookup.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <system_error>
#include <thread>

#include "link/SocketPlatform.h"

struct CHostLookup::Answer {
    std::mutex mutex;
    std::condition_variable condition;
    bool done = false;
    int error = 0;
    in_addr address{};
};

CHostLookup::CHostLookup() = default;
CHostLookup::~CHostLookup() = default;

bool CHostLookup::Start(const std::string& name) {
    if (!socket_platform::StartLibrary()) {
        return false;
    }
    auto answer = std::make_shared<Answer>();
    try {
        std::thread([answer, name] {
            addrinfo hints{};
            hints.ai_family = AF_INET;
            hints.ai_socktype = SOCK_STREAM;
            addrinfo* found = nullptr;
            const int error = ::getaddrinfo(name.c_str(), nullptr, &hints, &found);
            {
                std::lock_guard lock(answer->mutex);
                answer->error = error;
                if (error == 0) {
                    answer->address =
                        reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
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

in_addr CHostLookup::Address() const {
    std::lock_guard lock(m_answer->mutex);
    return m_answer->address;
}
