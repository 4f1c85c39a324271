#include "link/SocketSupport.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <ifaddrs.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>

namespace socket_support {

std::string RemoveLeadingZeros(const std::string& dotted) {
    std::string result;
    size_t start = 0;
    while (start <= dotted.size()) {
        size_t end = dotted.find('.', start);
        if (end == std::string::npos) {
            end = dotted.size();
        }
        size_t first = start;
        while (first + 1 < end && dotted[first] == '0') {
            ++first;
        }
        if (start > 0) {
            result += '.';
        }
        result.append(dotted, first, end - first);
        start = end + 1;
    }
    return result;
}

bool ParseDotted(const std::string& text, in_addr& address) {
    return ::inet_pton(AF_INET, text.c_str(), &address) == 1;
}

std::string Describe(in_addr address, int port) {
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &address, text, sizeof text);
    return std::string(text) + ":" + std::to_string(port);
}

bool ParsePort(const std::string& text, int& port) {
    int parsed = -1;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || parsed < 0 ||
        parsed > 65535) {
        return false;
    }
    port = parsed;
    return true;
}

bool SetResetOnClose(int descriptor) {
    const linger option{1, 0};
    return ::setsockopt(descriptor, SOL_SOCKET, SO_LINGER, &option, sizeof option) == 0;
}

bool SetNoDelay(int descriptor) {
    const int on = 1;
    return ::setsockopt(descriptor, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) == 0;
}

bool SetBlocking(int descriptor) {
    const int flags = ::fcntl(descriptor, F_GETFL);
    return flags >= 0 && ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

int OpenListeningSocket(in_addr address, int port, int backlog) {
    const int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (descriptor < 0) {
        return -1;
    }
    const int on = 1;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr = address;
    local.sin_port = htons(static_cast<uint16_t>(port));
    if (::setsockopt(descriptor, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        !SetResetOnClose(descriptor) ||
        ::bind(descriptor, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        ::listen(descriptor, backlog) != 0) {
        const int error = errno;
        ::close(descriptor);
        errno = error;
        return -1;
    }
    return descriptor;
}

int LocalPort(int descriptor) {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (::getsockname(descriptor, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        return -1;
    }
    return ntohs(local.sin_port);
}

std::vector<in_addr> OwnAddresses() {
    std::vector<in_addr> addresses;
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0) {
        return addresses;
    }
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr != nullptr && entry->ifa_addr->sa_family == AF_INET) {
            addresses.push_back(reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr);
        }
    }
    ::freeifaddrs(list);
    return addresses;
}

}  // namespace socket_support
