// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/SocketPlatform.h"

#include <fcntl.h>
#include <ifaddrs.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>

// BSD sockets: nothing to start, descriptors closed on exec, reads that do not
// wait asked for per call (MSG_DONTWAIT), writes that never raise SIGPIPE.
namespace socket_platform {

bool StartLibrary() {
    return true;
}

int LastError() {
    return errno;
}

SocketHandle OpenSocket(int type, int family) {
    return ::socket(family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

void Close(SocketHandle& socket) {
    if (socket != kNoSocket) {
        const int error = errno;
        ::close(socket);
        errno = error;
        socket = kNoSocket;
    }
}

bool SetBlocking(SocketHandle socket, bool blocking) {
    const int flags = ::fcntl(socket, F_GETFL);
    if (flags < 0) {
        return false;
    }
    const int wanted = blocking ? flags & ~O_NONBLOCK : flags | O_NONBLOCK;
    return ::fcntl(socket, F_SETFL, wanted) == 0;
}

bool SetOption(SocketHandle socket, int level, int name, const void* value, int length) {
    return ::setsockopt(socket, level, name, value, static_cast<socklen_t>(length)) == 0;
}

bool SetQuickRebind(SocketHandle socket) {
    const int on = 1;
    return SetOption(socket, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
}

bool SetSendTimeout(SocketHandle socket, int milliseconds) {
    const timeval timeout{milliseconds / 1000, (milliseconds % 1000) * 1000};
    return SetOption(socket, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
}

void ReceiveOnlyJoinedGroups(SocketHandle socket) {
    const int off = 0;
    SetOption(socket, IPPROTO_IP, IP_MULTICAST_ALL, &off, sizeof off);
}

SocketHandle Accept(SocketHandle listener) {
    return ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
}

SocketHandle DuplicateListener(SocketHandle listener) {
    return ::fcntl(listener, F_DUPFD_CLOEXEC, 0);
}

int BytesReadable(SocketHandle socket) {
    int waiting = 0;
    return ::ioctl(socket, FIONREAD, &waiting) == 0 ? waiting : -1;
}

int WaitReadable(SocketHandle socket, int milliseconds) {
    pollfd entry{socket, POLLIN, 0};
    const int ready = ::poll(&entry, 1, milliseconds);
    if (ready < 0) {
        return errno == EINTR ? 0 : -1;
    }
    return ready > 0 ? 1 : 0;
}

int WaitConnected(SocketHandle socket, int milliseconds) {
    pollfd entry{socket, POLLOUT, 0};
    const int ready = ::poll(&entry, 1, milliseconds);
    if (ready < 0) {
        return errno == EINTR ? 0 : -1;
    }
    return ready > 0 ? 1 : 0;
}

int ConnectError(SocketHandle socket) {
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
        return errno;
    }
    return error;
}

int Receive(SocketHandle socket, uint8_t* buffer, int maximum) {
    return static_cast<int>(::recv(socket, buffer, static_cast<size_t>(maximum), MSG_DONTWAIT));
}

int Send(SocketHandle socket, const uint8_t* bytes, int count) {
    return static_cast<int>(::send(socket, bytes, static_cast<size_t>(count), MSG_NOSIGNAL));
}

int SendTo(SocketHandle socket, const uint8_t* bytes, int count, const sockaddr_in& to) {
    return static_cast<int>(::sendto(socket, bytes, static_cast<size_t>(count), MSG_NOSIGNAL,
                                     reinterpret_cast<const sockaddr*>(&to), sizeof to));
}

int ReceiveFrom(SocketHandle socket, uint8_t* buffer, int maximum, sockaddr_in& from) {
    socklen_t length = sizeof from;
    // A longer datagram is cut to the maximum by the receive itself.
    return static_cast<int>(::recvfrom(socket, buffer, static_cast<size_t>(maximum), MSG_DONTWAIT,
                                       reinterpret_cast<sockaddr*>(&from), &length));
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

bool WouldBlock(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == EINTR;
}

bool ConnectPending(int error) {
    return error == EINPROGRESS;
}

bool CallerGaveUp(int error) {
    return error == EAGAIN || error == EWOULDBLOCK || error == ECONNABORTED || error == EINTR;
}

int TimedOutError() {
    return ETIMEDOUT;
}

}  // namespace socket_platform
