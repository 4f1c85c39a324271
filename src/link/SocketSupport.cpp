#include "link/SocketSupport.h"

#include <charconv>

#include "link/SocketPlatform.h"

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
    socket_platform::StartLibrary();
    return ::inet_pton(AF_INET, text.c_str(), &address) == 1;
}

std::string Describe(in_addr address, int port) {
    socket_platform::StartLibrary();
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

bool SetResetOnClose(SocketHandle socket) {
    const linger option{1, 0};
    return socket_platform::SetOption(socket, SOL_SOCKET, SO_LINGER, &option, sizeof option);
}

bool SetNoDelay(SocketHandle socket) {
    const int on = 1;
    return socket_platform::SetOption(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

SocketHandle OpenListeningSocket(in_addr address, int port, int backlog) {
    SocketHandle socket = socket_platform::OpenSocket(SOCK_STREAM);
    if (socket == kNoSocket) {
        return kNoSocket;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr = address;
    local.sin_port = htons(static_cast<uint16_t>(port));
    if (!socket_platform::SetQuickRebind(socket) || !SetResetOnClose(socket) ||
        ::bind(socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        ::listen(socket, backlog) != 0) {
        socket_platform::Close(socket);
        return kNoSocket;
    }
    return socket;
}

int LocalPort(SocketHandle socket) {
    sockaddr_in local{};
    socklen_t length = sizeof local;
    if (::getsockname(socket, reinterpret_cast<sockaddr*>(&local), &length) != 0) {
        return -1;
    }
    return ntohs(local.sin_port);
}

}  // namespace socket_support
