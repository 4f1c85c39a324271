// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CSocketLayer1.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "link/CHostLookup.h"
#include "link/SocketPlatform.h"
#include "link/SocketSupport.h"
#include "link/Vcom.h"
#include "link/VcomCodes.h"

namespace {

// Slices in which the client waits for its connect, so that a stop is seen.
constexpr int kConnectSliceMs = 50;

}  // namespace

CSocketLayer1::CSocketLayer1(const char* parameters, SocketHandle* acceptedSocket) {
    if (!socket_platform::StartLibrary()) {
        m_constructionResult = kVcomSocketLibraryFailed;
        return;
    }
    if (acceptedSocket == nullptr) {
        m_constructionResult = Parse(parameters);
        return;
    }
    const SocketHandle socket = *acceptedSocket;
    *acceptedSocket = kNoSocket;
    PrepareConnection(socket);
    SetConnected(socket);
}

CSocketLayer1::~CSocketLayer1() {
    Close();
}

int CSocketLayer1::Parse(const char* parameters) {
    if (parameters == nullptr || parameters[0] == '\0') {
        return kVcomSocketTextMissing;
    }
    char mode[64] = {};
    char type[64] = {};
    char address[256] = {};
    int port = 0;
    if (std::sscanf(parameters, "%63s", mode) != 1) {
        return kVcomSocketTextMissing;
    }
    const std::string modeWord = mode;
    if (modeWord == "SERVER" || modeWord == "CONCURRENT_SERVER") {
        if (std::sscanf(parameters, "%63s %d", mode, &port) != 2 || port < 0 || port > 65535) {
            return kVcomWrongWordCount;
        }
        m_mode = modeWord == "SERVER" ? Mode::Server : Mode::ConcurrentServer;
        m_port = port;
        return kVcomOk;
    }
    if (modeWord != "CLIENT") {
        return kVcomUnknownSocketMode;
    }
    if (std::sscanf(parameters, "%63s %63s %255s %d", mode, type, address, &port) != 4 ||
        port < 0 || port > 65535) {
        return kVcomWrongWordCount;
    }
    const std::string typeWord = type;
    m_mode = Mode::Client;
    m_port = port;
    socket_support::SocketAddress parsed;
    if (typeWord == "IP") {
        const bool ipv6 = std::strchr(address, ':') != nullptr;
        m_address = ipv6 ? address : socket_support::RemoveLeadingZeros(address);
        return socket_support::ParseNumeric(m_address, port, parsed) ? kVcomOk : kVcomBadAddress;
    }
    if (typeWord == "SN") {
        if (socket_support::ParseNumeric(address, port, parsed)) {
            m_address = address;
        } else {
            m_hostName = address;
        }
        return kVcomOk;
    }
    return kVcomBadAddressType;
}

void CSocketLayer1::UseListeningSocket(SocketHandle socket) {
    socket_platform::Close(m_listener);
    m_listener = socket;
}

int CSocketLayer1::LocalPort() const {
    return m_localPort;
}

int CSocketLayer1::Open() {
    if (!socket_platform::StartLibrary()) {
        PostStatus(kStatusNoSocketLibrary, 0);
        return -1;
    }
    if (m_mode == Mode::ConcurrentServer && m_owner == nullptr) {
        PostStatus(kStatusNoOwnerToAccept, 0);
        return -1;
    }
    if (m_connectionThread.joinable() || m_connected.load()) {
        Close();
    }
    if (m_mode != Mode::Client) {
        if (m_listener == kNoSocket) {
            in_addr any{};
            any.s_addr = htonl(INADDR_ANY);
            m_listener =
                socket_support::OpenListeningSocket(socket_support::FromIpv4(any, m_port), 1);
        }
        if (m_listener == kNoSocket) {
            PostStatus(kStatusSocketCallFailed, socket_platform::LastError());
            return -1;
        }
        m_localPort = socket_support::LocalPort(m_listener);
    }
    m_stop.Reset();
    try {
        m_connectionThread = std::thread(&CSocketLayer1::ConnectionThread, this);
    } catch (const std::system_error&) {
        PostStatus(kStatusConnectionThreadFailed, 0);
        socket_platform::Close(m_listener);
        return -1;
    }
    return 0;
}

int CSocketLayer1::Close() {
    StopConnectionThread();
    socket_platform::Close(m_listener);
    m_connected.store(false);
    socket_platform::Close(m_socket);
    return 0;
}

void CSocketLayer1::StopConnectionThread() {
    if (m_connectionThread.joinable()) {
        m_stop.Request();
        m_connectionThread.join();
    }
}

void CSocketLayer1::ConnectionThread() {
    if (m_mode == Mode::Client) {
        RunClient();
    } else {
        Serve();
    }
}

void CSocketLayer1::Serve() {
    while (!m_stop.IsRequested() && !m_connected.load() && !IsLineLost()) {
        const int ready = socket_platform::WaitReadable(m_listener, kServerStepMs);
        if (ready < 0) {
            LoseLine(kStatusAcceptFailed, socket_platform::LastError());
            return;
        }
        if (ready > 0) {
            Accept();
        }
    }
}

void CSocketLayer1::Accept() {
    SocketHandle caller = socket_platform::Accept(m_listener);
    if (caller == kNoSocket) {
        // A caller that gave up before being accepted is no failure.
        const int error = socket_platform::LastError();
        if (!socket_platform::CallerGaveUp(error)) {
            LoseLine(kStatusAcceptFailed, error);
        }
        return;
    }
    if (!PrepareConnection(caller)) {
        PostStatus(kStatusSocketCallFailed, socket_platform::LastError());
    }
    if (m_mode == Mode::ConcurrentServer) {
        if (m_owner->OnAccept(&caller) == 0) {
            socket_platform::Close(caller);
        }
        return;
    }
    socket_platform::Close(m_listener);
    SetConnected(caller);
}

void CSocketLayer1::RunClient() {
    std::vector<socket_support::SocketAddress> servers;
    if (!FindServers(servers)) {
        return;
    }
    using Clock = std::chrono::steady_clock;
    while (!m_stop.IsRequested() && !IsLineLost()) {
        const auto attempt = Clock::now();
        int error = 0;
        for (const auto& server : servers) {
            error = TryConnect(server);
            if (error == 0 || m_stop.IsRequested() || IsLineLost()) {
                return;
            }
        }
        PostStatus(kStatusConnectFailed, error);
        const auto spent =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - attempt).count();
        if (spent < kClientStepMs && m_stop.WaitFor(static_cast<int>(kClientStepMs - spent))) {
            return;
        }
    }
}

// The server's addresses: the one given, or the host name's, looked up again
// every step until the lookup finds one.
bool CSocketLayer1::FindServers(std::vector<socket_support::SocketAddress>& servers) {
    if (m_hostName.empty()) {
        servers.resize(1);
        return socket_support::ParseNumeric(m_address, m_port, servers[0]);
    }
    while (!m_stop.IsRequested()) {
        CHostLookup lookup;
        if (!lookup.Start(m_hostName, m_port)) {
            PostStatus(kStatusLookupFailed, 0);
        } else {
            while (!lookup.WaitFor(kConnectSliceMs)) {
                if (m_stop.IsRequested()) {
                    return false;
                }
            }
            servers = lookup.Addresses();
            if (lookup.Error() == 0 && !servers.empty()) {
                return true;
            }
            PostStatus(kStatusLookupFailed, lookup.Error());
        }
        if (m_stop.WaitFor(kClientStepMs)) {
            return false;
        }
    }
    return false;
}

int CSocketLayer1::TryConnect(const socket_support::SocketAddress& server) {
    SocketHandle socket = socket_platform::OpenSocket(SOCK_STREAM, server.Family());
    if (socket == kNoSocket) {
        const int error = socket_platform::LastError();
        LoseLine(kStatusSocketCallFailed, error);
        return error;
    }
    socket_support::SetResetOnClose(socket);
    int error = 0;
    if (::connect(socket, server.Get(), server.length) != 0) {
        error = socket_platform::LastError();
    }
    // The connect completes in the background; wait for it in slices.
    for (int waited = 0; socket_platform::ConnectPending(error) && waited < kClientStepMs;
         waited += kConnectSliceMs) {
        if (m_stop.IsRequested()) {
            break;
        }
        if (socket_platform::WaitConnected(socket, kConnectSliceMs) > 0) {
            error = socket_platform::ConnectError(socket);
        }
    }
    if (error != 0) {
        socket_platform::Close(socket);
        return socket_platform::ConnectPending(error) ? socket_platform::TimedOutError() : error;
    }
    if (!socket_platform::SetBlocking(socket, true)) {
        error = socket_platform::LastError();
        LoseLine(kStatusBlockingModeFailed, error);
        socket_platform::Close(socket);
        return error;
    }
    if (!PrepareConnection(socket)) {
        PostStatus(kStatusSocketCallFailed, socket_platform::LastError());
    }
    SetConnected(socket);
    return 0;
}

// Closing resets the connection, small writes go at once, and a write waits
// for room in the system's buffer for a bounded time only (reads never wait).
bool CSocketLayer1::PrepareConnection(SocketHandle socket) {
    return socket_support::SetResetOnClose(socket) && socket_support::SetNoDelay(socket) &&
           socket_platform::SetSendTimeout(socket, kWriteTimeoutMs);
}

void CSocketLayer1::SetConnected(SocketHandle socket) {
    m_socket = socket;
    m_connected.store(true);
}

void CSocketLayer1::LoseLine(int statusCode, int error) {
    if (!m_lossReported.exchange(true) && statusCode != 0) {
        PostStatus(statusCode, error);
    }
    SetLineLost();
}

int CSocketLayer1::BytesWaiting() {
    if (!m_connected.load()) {
        return 0;
    }
    return socket_platform::BytesReadable(m_socket) > 0 ? 1 : 0;
}

int CSocketLayer1::Read(uint8_t* buffer, int maximum) {
    if (!m_connected.load() || maximum <= 0 || IsLineLost()) {
        return 0;
    }
    const int count = socket_platform::Receive(m_socket, buffer, maximum);
    if (count > 0) {
        return count;
    }
    if (count == 0) {
        LoseLine(0, 0);  // the peer closed the connection
    } else if (const int error = socket_platform::LastError();
               !socket_platform::WouldBlock(error)) {
        LoseLine(kStatusSocketCallFailed, error);
    }
    return 0;
}

int CSocketLayer1::Write(const uint8_t* bytes, int count) {
    if (!m_connected.load() || count <= 0 || IsLineLost()) {
        return 0;
    }
    const int sent = socket_platform::Send(m_socket, bytes, count);
    if (sent >= 0) {
        return sent;
    }
    if (const int error = socket_platform::LastError(); !socket_platform::WouldBlock(error)) {
        LoseLine(kStatusSocketCallFailed, error);
    }
    return 0;
}

void CSocketLayer1::WaitReadable(int milliseconds) {
    if (!m_connected.load() || IsLineLost()) {
        CLayer1::WaitReadable(milliseconds);
        return;
    }
    socket_platform::WaitReadable(m_socket, milliseconds);
}
