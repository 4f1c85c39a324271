// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/SocketSupport.h"

#include <charconv>
#include <cstring>

#include "link/SocketPlatform.h"

namespace socket_support {

SocketAddress FromIpv4(in_addr address, int port) {
    sockaddr_in ipv4{};
    ipv4.sin_family = AF_INET;
    ipv4.sin_addr = address;
    ipv4.sin_port = htons(static_cast<uint16_t>(port));
    SocketAddress result;
    std::memcpy(&result.storage, &ipv4, sizeof ipv4);
    result.length = sizeof ipv4;
    return result;
}

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

bool ParseNumeric(const std::string& text, int port, SocketAddress& address) {
    in_addr ipv4{};
    if (ParseDotted(text, ipv4)) {
        address = FromIpv4(ipv4, port);
        return true;
    }
    sockaddr_in6 ipv6{};
    if (::inet_pton(AF_INET6, text.c_str(), &ipv6.sin6_addr) != 1) {
        return false;
    }
    ipv6.sin6_family = AF_INET6;
    ipv6.sin6_port = htons(static_cast<uint16_t>(port));
    address = SocketAddress{};
    std::memcpy(&address.storage, &ipv6, sizeof ipv6);
    address.length = sizeof ipv6;
    return true;
}

std::string Describe(const SocketAddress& address) {
    socket_platform::StartLibrary();
    char text[INET6_ADDRSTRLEN] = {};
    if (address.Family() == AF_INET6) {
        const auto* ipv6 = reinterpret_cast<const sockaddr_in6*>(&address.storage);
        ::inet_ntop(AF_INET6, &ipv6->sin6_addr, text, sizeof text);
        return "[" + std::string(text) + "]:" + std::to_string(ntohs(ipv6->sin6_port));
    }
    const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(&address.storage);
    ::inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof text);
    return std::string(text) + ":" + std::to_string(ntohs(ipv4->sin_port));
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

std::string SplitHostPort(const std::string& text, std::string& host, std::string& port) {
    size_t colon = text.rfind(':');
    if (text.starts_with('[')) {
        const size_t close = text.find(']');
        if (close == std::string::npos) {
            return "the IPv6 address has no closing ']'";
        }
        if (close + 1 != colon) {
            return "the IPv6 address in brackets must be followed by :PORT";
        }
        host = text.substr(1, close - 1);
        SocketAddress address;
        if (host.find(':') == std::string::npos || !ParseNumeric(host, 0, address)) {
            return "'" + text.substr(0, close + 1) + "' is not an IPv6 address";
        }
    } else {
        if (colon == std::string::npos) {
            return "no :PORT after the host";
        }
        host = text.substr(0, colon);
        if (host.empty()) {
            return "no host before :PORT";
        }
        if (host.find(':') != std::string::npos) {
            return "an IPv6 address must be written in brackets, as in [::1]:PORT";
        }
    }
    port = text.substr(colon + 1);
    return {};
}

bool SetResetOnClose(SocketHandle socket) {
    const linger option{1, 0};
    return socket_platform::SetOption(socket, SOL_SOCKET, SO_LINGER, &option, sizeof option);
}

bool SetNoDelay(SocketHandle socket) {
    const int on = 1;
    return socket_platform::SetOption(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

SocketHandle OpenListeningSocket(const SocketAddress& address, int backlog) {
    SocketHandle socket = socket_platform::OpenSocket(SOCK_STREAM, address.Family());
    if (socket == kNoSocket) {
        return kNoSocket;
    }
    if (!socket_platform::SetQuickRebind(socket) || !SetResetOnClose(socket) ||
        ::bind(socket, address.Get(), address.length) != 0 || ::listen(socket, backlog) != 0) {
        socket_platform::Close(socket);
        return kNoSocket;
    }
    return socket;
}

SocketAddress LocalAddress(SocketHandle socket) {
    SocketAddress local;
    local.length = sizeof local.storage;
    if (::getsockname(socket, reinterpret_cast<sockaddr*>(&local.storage), &local.length) != 0) {
        local.length = 0;
    }
    return local;
}

int LocalPort(SocketHandle socket) {
    const SocketAddress local = LocalAddress(socket);
    if (local.length == 0) {
        return -1;
    }
    return ntohs(local.Family() == AF_INET6
                     ? reinterpret_cast<const sockaddr_in6*>(&local.storage)->sin6_port
                     : reinterpret_cast<const sockaddr_in*>(&local.storage)->sin_port);
}

}  // namespace socket_support
