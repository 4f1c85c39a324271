// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "link/SocketHandle.h"

// The socket calls the socket and multicast transports share, on top of the
// platform's own (SocketPlatform). The multicast transport is IPv4 only; TCP
// takes IPv6 addresses too.
namespace socket_support {

// An IPv4 or IPv6 address with its port, as the socket calls take it.
struct SocketAddress {
    sockaddr_storage storage{};
    socklen_t length = 0;

    int Family() const { return storage.ss_family; }
    const sockaddr* Get() const { return reinterpret_cast<const sockaddr*>(&storage); }
};

SocketAddress FromIpv4(in_addr address, int port);

// "192.168.001.010" gives "192.168.1.10": each part loses its leading zeros,
// so that 010 reads as ten rather than as an octal number or an error.
std::string RemoveLeadingZeros(const std::string& dotted);
// A dotted address as it stands; false when it is not one.
bool ParseDotted(const std::string& text, in_addr& address);
// A dotted IPv4 address or an IPv6 address without brackets ("::1"), as it
// stands; false when the text is neither.
bool ParseNumeric(const std::string& text, int port, SocketAddress& address);
// "a.b.c.d:port", or "[v6]:port".
std::string Describe(const SocketAddress& address);
// A port number, 0 to 65535, as the whole of the text.
bool ParsePort(const std::string& text, int& port);
// Splits "HOST:PORT" at its last colon; an IPv6 address is written in brackets,
// "[::1]:PORT", and host is given without them. Empty when the text is of that
// form, otherwise why not; the port is left for the caller to read.
std::string SplitHostPort(const std::string& text, std::string& host, std::string& port);

// Closing resets the connection at once instead of lingering (lingering on,
// time 0).
bool SetResetOnClose(SocketHandle socket);
// Small writes go at once rather than being gathered.
bool SetNoDelay(SocketHandle socket);
// A TCP socket bound to the address (reused at once after a close), listening
// and not blocking; kNoSocket on failure, socket_platform::LastError telling why.
SocketHandle OpenListeningSocket(const SocketAddress& address, int backlog);
// The address a socket is bound to; of length 0 when that cannot be told.
SocketAddress LocalAddress(SocketHandle socket);
// The port a socket is bound to; -1 when that cannot be told.
int LocalPort(SocketHandle socket);

}  // namespace socket_support
