// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "link/CLayer1.h"
#include "link/CStopSignal.h"
#include "link/SocketSupport.h"

// Layer 1 kind 2: a TCP connection, as server, accepting server or client.
//
// Parameter texts:
//   "SERVER port"                listen on every interface, take the first
//                                caller, stop listening;
//   "CONCURRENT_SERVER port"     listen and hand every caller to the owner's
//                                OnAccept (on the connection thread); when it
//                                returns 0 the caller is closed;
//   "CLIENT IP address port"     connect to a dotted address, each part's
//                                leading zeros removed first, or to an IPv6
//                                address written without brackets ("::1");
//   "CLIENT SN name port"        connect to a host name, looked up on a thread
//                                of its own (an address is used as it is);
//                                each of its IPv4 and IPv6 addresses is tried
//                                in turn, in the order the lookup gives them.
// With the extra argument, a pointer to a socket accepted by a concurrent
// server (a SocketHandle), the transport takes that connection over (setting
// the handle to kNoSocket) and is connected from the start; the text is not read.
//
// A connection thread listens or connects; the comm link thread reads and
// writes only once it is connected. A client's attempts are 550 ms apart,
// each failure reported as status 4 (once for all the addresses of a name
// together). Closing resets the connection (lingering
// on, time 0), writes are not delayed (TCP_NODELAY). The peer closing or
// resetting the connection loses the line.
//
// Construction starts the sockets library (Winsock 2.2 on Windows; nothing to
// start elsewhere): -10012 when it cannot be, and status 6 from Open. There is
// no notification window, the connection thread waits for its connect itself,
// so -10021 and status 14 never occur. A server binds and starts listening in Open, so that a port
// in use fails Connect (-10003, with status 3) and a port chosen by the system is known at once
// (LocalPort).
class CSocketLayer1 : public CLayer1 {
public:
    enum class Mode { Server, ConcurrentServer, Client };

    static constexpr int kBaudRate = 19200;
    static constexpr int kFreeTransmitSpace = 1000;
    static constexpr int kClientStepMs = 550;
    // How often the server looks for a caller, and so how soon it stops.
    static constexpr int kServerStepMs = 50;
    // A write waits this long at most for room in the system's buffer.
    static constexpr int kWriteTimeoutMs = 200;

    // acceptedSocket: null, or a connection to take over (see above).
    CSocketLayer1(const char* parameters, SocketHandle* acceptedSocket);
    ~CSocketLayer1() override;

    int ConstructionResult() const override { return m_constructionResult; }
    void SetOwner(Vcom* owner) override { m_owner = owner; }
    bool OnlyAccepts() const override { return m_mode == Mode::ConcurrentServer; }

    int IsReady() override { return m_connected.load() ? 1 : 0; }
    int BaudRate() override { return kBaudRate; }
    int FreeTransmitSpace() override { return kFreeTransmitSpace; }
    int BytesWaiting() override;
    int Open() override;
    int Close() override;
    int Write(const uint8_t* bytes, int count) override;
    int Read(uint8_t* buffer, int maximum) override;
    void WaitReadable(int milliseconds) override;

    // A server listens on this socket instead of binding its own: the
    // simulator keeps one listening socket across its links. Taken over.
    void UseListeningSocket(SocketHandle socket);
    // The port a server listens on, once open; -1 otherwise.
    int LocalPort() const;

    Mode GetMode() const { return m_mode; }
    int Port() const { return m_port; }
    const std::string& Address() const { return m_address; }
    const std::string& HostName() const { return m_hostName; }

private:
    int Parse(const char* parameters);
    void ConnectionThread();
    void Serve();
    void Accept();
    void RunClient();
    bool FindServers(std::vector<socket_support::SocketAddress>& servers);
    // One attempt: 0 when connected, else the error.
    int TryConnect(const socket_support::SocketAddress& server);
    static bool PrepareConnection(SocketHandle socket);
    void SetConnected(SocketHandle socket);
    void LoseLine(int statusCode, int error);
    void StopConnectionThread();

    int m_constructionResult = 0;
    Mode m_mode = Mode::Client;
    int m_port = 0;
    std::string m_address;   // dotted with leading zeros removed, or IPv6
    std::string m_hostName;  // looked up before connecting
    Vcom* m_owner = nullptr;
    SocketHandle m_listener = kNoSocket;  // the connection thread's once it runs
    int m_localPort = -1;
    SocketHandle m_socket = kNoSocket;  // written by the connection thread before connected is set
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_lossReported{false};
    CStopSignal m_stop;
    std::thread m_connectionThread;
};
