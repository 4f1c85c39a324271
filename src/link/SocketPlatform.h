// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "link/SocketHandle.h"

// What differs between the platforms' socket interfaces (BSD sockets, Winsock),
// for the socket and multicast transports. Error codes are the
// platform's own (errno, or Winsock's WSAGetLastError) as LastError gives them,
// and are what the transports report in their status events.
namespace socket_platform {

// Starts the sockets library, version 2.2, once per process; later calls only
// tell the first one's result. False when no usable library could be started.
bool StartLibrary();
// The error code of the last failed socket call on this thread.
int LastError();

// A socket of the given type (SOCK_STREAM, SOCK_DGRAM) and address family
// that does not block and is not inherited by child processes; kNoSocket on
// failure.
SocketHandle OpenSocket(int type, int family = AF_INET);
// Closes the socket, if any, and forgets it; LastError stays as it was.
void Close(SocketHandle& socket);
bool SetBlocking(SocketHandle socket, bool blocking);
bool SetOption(SocketHandle socket, int level, int name, const void* value, int length);
// A listening socket can be bound again at once after a close, yet a port that
// another listener holds still fails the bind.
bool SetQuickRebind(SocketHandle socket);
// A write waits at most this long for room in the system's buffer.
bool SetSendTimeout(SocketHandle socket, int milliseconds);
// Only the datagrams of the groups this socket joined, not those of every
// group joined on the host.
void ReceiveOnlyJoinedGroups(SocketHandle socket);

// A caller waiting on a listening socket, as a blocking socket not inherited
// by child processes; kNoSocket when there is none or on failure.
SocketHandle Accept(SocketHandle listener);
// A copy of a listening socket that stays usable when the original is closed;
// kNoSocket on failure.
SocketHandle DuplicateListener(SocketHandle listener);

// The bytes the system holds for reading; -1 on failure.
int BytesReadable(SocketHandle socket);
// Waits at most the given time: 1 when there is something to read (or the
// peer closed, or a caller waits), 0 when not, -1 on failure.
int WaitReadable(SocketHandle socket, int milliseconds);
// Waits at most the given time for a connect in progress: 1 once it has
// finished either way (ConnectError tells which), 0 while pending, -1 on failure.
int WaitConnected(SocketHandle socket, int milliseconds);
// The error a finished connect left, 0 for none.
int ConnectError(SocketHandle socket);

// Receives without waiting: the count, 0 when the peer closed the connection,
// -1 otherwise (WouldBlock(LastError()) when nothing was there).
int Receive(SocketHandle socket, uint8_t* buffer, int maximum);
// Sends, waiting for room no longer than the send time-out and never raising a
// signal: the count sent, or -1.
int Send(SocketHandle socket, const uint8_t* bytes, int count);
// One datagram: the count sent, or -1.
int SendTo(SocketHandle socket, const uint8_t* bytes, int count, const sockaddr_in& to);
// One datagram without waiting, a longer one cut to the maximum (the rest is
// lost): the count, or -1.
int ReceiveFrom(SocketHandle socket, uint8_t* buffer, int maximum, sockaddr_in& from);

// This host's own IPv4 addresses, those of every interface and loopback's.
std::vector<in_addr> OwnAddresses();

// Nothing to do now, try again (a socket that does not block, an interruption).
bool WouldBlock(int error);
// A connect on a socket that does not block goes on in the background.
bool ConnectPending(int error);
// A caller that gave up before being accepted, or none there after all.
bool CallerGaveUp(int error);
// The error for a connect that did not finish in time.
int TimedOutError();

}  // namespace socket_platform
