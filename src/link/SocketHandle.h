// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The system's socket interface, as the socket and multicast transports use
// it: Winsock 2 on Windows, BSD sockets elsewhere.
#ifdef _WIN32
// Included before anything that brings in windows.h, so that the old
// winsock.h stays out.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <ws2tcpip.h>

using SocketHandle = SOCKET;
inline constexpr SocketHandle kNoSocket = INVALID_SOCKET;
#else
#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

// A socket is a file descriptor.
using SocketHandle = int;
inline constexpr SocketHandle kNoSocket = -1;
#endif
