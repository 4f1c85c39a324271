#pragma once

// The BSD socket interface, as the socket and multicast transports use it.
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

// A socket is a file descriptor.
using SocketHandle = int;
inline constexpr SocketHandle kNoSocket = -1;
