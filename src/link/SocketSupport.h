#pragma once

#include <string>

#include "link/SocketHandle.h"

// The socket calls the socket and multicast transports share, on top of the
// platform's own (SocketPlatform). IPv4 only: the link's parameter texts carry
// dotted addresses.
namespace socket_support {

// "192.168.001.010" gives "192.168.1.10": each part loses its leading zeros,
// so that 010 reads as ten rather than as an octal number or an error.
std::string RemoveLeadingZeros(const std::string& dotted);
// A dotted address as it stands; false when it is not one.
bool ParseDotted(const std::string& text, in_addr& address);
// "a.b.c.d:port".
std::string Describe(in_addr address, int port);
// A port number, 0 to 65535, as the whole of the text.
bool ParsePort(const std::string& text, int& port);

// Closing resets the connection at once instead of lingering (lingering on,
// time 0).
bool SetResetOnClose(SocketHandle socket);
// Small writes go at once rather than being gathered.
bool SetNoDelay(SocketHandle socket);
// A TCP socket bound to address:port (reused at once after a close), listening
// and not blocking; kNoSocket on failure, socket_platform::LastError telling why.
SocketHandle OpenListeningSocket(in_addr address, int port, int backlog);
// The port a socket is bound to; -1 when that cannot be told.
int LocalPort(SocketHandle socket);

}  // namespace socket_support
