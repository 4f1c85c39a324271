// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/SocketPlatform.h"

#include <iphlpapi.h>

#include <algorithm>
#include <vector>

// Winsock 2.2. It has no per-call "do not wait" flag and no SIGPIPE: the
// connected sockets block, and a read or write first asks select whether it
// can go ahead at once, or within the send time-out.
namespace socket_platform {

namespace {

// select's time for a wait in milliseconds; a negative wait is none at all.
timeval SelectTime(int milliseconds) {
    const int wait = std::max(milliseconds, 0);
    return timeval{wait / 1000, (wait % 1000) * 1000};
}

// 1 when the socket is ready in one of the given senses, 0 when not, -1 on failure.
int Select(SocketHandle socket, bool read, bool write, int milliseconds) {
    fd_set readable;
    fd_set writable;
    fd_set failed;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_ZERO(&failed);
    if (read) {
        FD_SET(socket, &readable);
    }
    if (write) {
        // A connect that fails shows in the exceptions, not as writable.
        FD_SET(socket, &writable);
        FD_SET(socket, &failed);
    }
    timeval wait = SelectTime(milliseconds);
    const int ready = ::select(0, read ? &readable : nullptr, write ? &writable : nullptr,
                               write ? &failed : nullptr, &wait);
    if (ready == SOCKET_ERROR) {
        return WSAGetLastError() == WSAEINTR ? 0 : -1;
    }
    return ready > 0 ? 1 : 0;
}

void KeepFromChildren(SocketHandle socket) {
    ::SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0);
}

}  // namespace

bool StartLibrary() {
    static const bool started = [] {
        WSADATA data{};
        if (::WSAStartup(MAKEWORD(2, 2), &data) != 0) {
            return false;
        }
        if (LOBYTE(data.wVersion) != 2 || HIBYTE(data.wVersion) != 2) {
            ::WSACleanup();
            return false;
        }
        return true;
    }();
    return started;
}

int LastError() {
    return ::WSAGetLastError();
}

SocketHandle OpenSocket(int type, int family) {
    if (!StartLibrary()) {
        ::WSASetLastError(WSANOTINITIALISED);
        return kNoSocket;
    }
    SocketHandle socket = ::socket(family, type, 0);
    if (socket == kNoSocket) {
        return kNoSocket;
    }
    KeepFromChildren(socket);
    if (!SetBlocking(socket, false)) {
        Close(socket);
    }
    return socket;
}

void Close(SocketHandle& socket) {
    if (socket != kNoSocket) {
        const int error = ::WSAGetLastError();
        ::closesocket(socket);
        ::WSASetLastError(error);
        socket = kNoSocket;
    }
}

bool SetBlocking(SocketHandle socket, bool blocking) {
    u_long nonBlocking = blocking ? 0 : 1;
    return ::ioctlsocket(socket, FIONBIO, &nonBlocking) == 0;
}

bool SetOption(SocketHandle socket, int level, int name, const void* value, int length) {
    return ::setsockopt(socket, level, name, static_cast<const char*>(value), length) == 0;
}

// Winsock lets a closed listener's port be bound again anyway; SO_REUSEADDR
// would let a second listener take a port in use, so it is kept exclusive.
bool SetQuickRebind(SocketHandle socket) {
    const BOOL on = TRUE;
    return SetOption(socket, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, &on, sizeof on);
}

bool SetSendTimeout(SocketHandle socket, int milliseconds) {
    const DWORD timeout = static_cast<DWORD>(milliseconds);
    return SetOption(socket, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
}

// Winsock hands a socket only the groups it joined itself.
void ReceiveOnlyJoinedGroups(SocketHandle) {}

SocketHandle Accept(SocketHandle listener) {
    SocketHandle caller = ::accept(listener, nullptr, nullptr);
    if (caller == kNoSocket) {
        return kNoSocket;
    }
    KeepFromChildren(caller);
    // The caller's socket inherits the listener's mode that does not block.
    if (!SetBlocking(caller, true)) {
        Close(caller);
    }
    return caller;
}

SocketHandle DuplicateListener(SocketHandle listener) {
    WSAPROTOCOL_INFOW info{};
    if (::WSADuplicateSocketW(listener, ::GetCurrentProcessId(), &info) != 0) {
        return kNoSocket;
    }
    SocketHandle copy = ::WSASocketW(FROM_PROTOCOL_INFO, FROM_PROTOCOL_INFO, FROM_PROTOCOL_INFO,
                                     &info, 0, WSA_FLAG_OVERLAPPED);
    if (copy == kNoSocket) {
        return kNoSocket;
    }
    KeepFromChildren(copy);
    SetBlocking(copy, false);
    return copy;
}

int BytesReadable(SocketHandle socket) {
    u_long waiting = 0;
    return ::ioctlsocket(socket, FIONREAD, &waiting) == 0 ? static_cast<int>(waiting) : -1;
}

int WaitReadable(SocketHandle socket, int milliseconds) {
    return Select(socket, true, false, milliseconds);
}

int WaitConnected(SocketHandle socket, int milliseconds) {
    return Select(socket, false, true, milliseconds);
}

int ConnectError(SocketHandle socket) {
    int error = 0;
    int length = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0) {
        return ::WSAGetLastError();
    }
    return error;
}

int Receive(SocketHandle socket, uint8_t* buffer, int maximum) {
    const int ready = Select(socket, true, false, 0);
    if (ready <= 0) {
        if (ready == 0) {
            ::WSASetLastError(WSAEWOULDBLOCK);
        }
        return -1;
    }
    const int count = ::recv(socket, reinterpret_cast<char*>(buffer), maximum, 0);
    return count == SOCKET_ERROR ? -1 : count;
}

// The send time-out is read back from the socket, so that the wait for room
// is as long as a blocking send's would be.
int Send(SocketHandle socket, const uint8_t* bytes, int count) {
    DWORD timeout = 0;
    int length = sizeof timeout;
    if (::getsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<char*>(&timeout), &length) !=
        0) {
        timeout = 0;
    }
    const int ready = Select(socket, false, true, static_cast<int>(timeout));
    if (ready <= 0) {
        if (ready == 0) {
            ::WSASetLastError(WSAEWOULDBLOCK);
        }
        return -1;
    }
    const int sent = ::send(socket, reinterpret_cast<const char*>(bytes), count, 0);
    return sent == SOCKET_ERROR ? -1 : sent;
}

int SendTo(SocketHandle socket, const uint8_t* bytes, int count, const sockaddr_in& to) {
    const int sent = ::sendto(socket, reinterpret_cast<const char*>(bytes), count, 0,
                              reinterpret_cast<const sockaddr*>(&to), sizeof to);
    return sent == SOCKET_ERROR ? -1 : sent;
}

int ReceiveFrom(SocketHandle socket, uint8_t* buffer, int maximum, sockaddr_in& from) {
    int length = sizeof from;
    const int count = ::recvfrom(socket, reinterpret_cast<char*>(buffer), maximum, 0,
                                 reinterpret_cast<sockaddr*>(&from), &length);
    if (count != SOCKET_ERROR) {
        return count;
    }
    // A longer datagram fills the buffer and is reported as an error; the
    // rest of it is gone, as elsewhere.
    return ::WSAGetLastError() == WSAEMSGSIZE ? maximum : -1;
}

std::vector<in_addr> OwnAddresses() {
    std::vector<in_addr> addresses;
    const ULONG flags = GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST | GAA_FLAG_SKIP_DNS_SERVER;
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buffer;
    ULONG result = ERROR_BUFFER_OVERFLOW;
    for (int attempt = 0; attempt < 3 && result == ERROR_BUFFER_OVERFLOW; ++attempt) {
        buffer.resize(size);
        result = ::GetAdaptersAddresses(
            AF_INET, flags, nullptr, reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buffer.data()), &size);
    }
    if (result == NO_ERROR) {
        for (auto* adapter = reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buffer.data());
             adapter != nullptr; adapter = adapter->Next) {
            for (auto* unicast = adapter->FirstUnicastAddress; unicast != nullptr;
                 unicast = unicast->Next) {
                const sockaddr* address = unicast->Address.lpSockaddr;
                if (address != nullptr && address->sa_family == AF_INET) {
                    addresses.push_back(reinterpret_cast<const sockaddr_in*>(address)->sin_addr);
                }
            }
        }
    }
    // Loopback is not always listed as an adapter of its own.
    in_addr loopback{};
    loopback.s_addr = htonl(INADDR_LOOPBACK);
    if (std::none_of(addresses.begin(), addresses.end(),
                     [&](in_addr own) { return own.s_addr == loopback.s_addr; })) {
        addresses.push_back(loopback);
    }
    return addresses;
}

bool WouldBlock(int error) {
    return error == WSAEWOULDBLOCK || error == WSAEINTR;
}

bool ConnectPending(int error) {
    return error == WSAEWOULDBLOCK || error == WSAEINPROGRESS;
}

bool CallerGaveUp(int error) {
    return error == WSAEWOULDBLOCK || error == WSAECONNRESET || error == WSAEINTR;
}

int TimedOutError() {
    return WSAETIMEDOUT;
}

}  // namespace socket_platform
