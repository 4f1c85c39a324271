// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "link/CLayer1.h"
#include "link/SocketHandle.h"

// Layer 1 kind 5: a member of an IP multicast group. Parameter text
// "MULTICAST_MEMBER group port" ("%s %s %d").
//
// Open joins the group on a receiving socket bound to the port (address reuse
// on, so that several members on one host share the port) and makes a sending
// socket with time-to-live 1. Each write is one datagram to the group; each
// read hands out the oldest datagram received, cut to the maximum asked for
// (the rest of it is lost). Close leaves the group.
//
// Loop-back stays on, so that members on the same host hear each other; a
// member's own datagrams (from one of this host's addresses and its sending
// socket's port) are dropped on arrival instead.
//
// Construction starts the sockets library (Winsock 2.2 on Windows): -10012
// when it cannot be, and status 6 from Open.
//
// Datagrams are taken off the socket by the reader, in BytesWaiting and Read
// on the comm link thread, and kept in a list under a lock: there is no
// receive thread and nothing to dispatch.
class CMulticastLayer1 : public CLayer1 {
public:
    static constexpr int kBaudRate = 19200;
    static constexpr int kFreeTransmitSpace = 1000;
    static constexpr int kMaxDatagram = 1472;

    // interfaceAddress: the dotted address of the interface to join and send
    // on; empty for any (the system's choice).
    CMulticastLayer1(const char* parameters, std::string interfaceAddress = {});
    ~CMulticastLayer1() override;

    int ConstructionResult() const override { return m_constructionResult; }
    int IsReady() override;
    int BaudRate() override { return kBaudRate; }
    int FreeTransmitSpace() override { return kFreeTransmitSpace; }
    int BytesWaiting() override;
    int Open() override;
    int Close() override;
    int Write(const uint8_t* bytes, int count) override;
    int Read(uint8_t* buffer, int maximum) override;
    void WaitReadable(int milliseconds) override;
    bool CarriesMessages() const override { return true; }

    // The sending socket's port, once open.
    int SendingPort() const;

private:
    using Datagram = std::vector<uint8_t>;

    int Parse(const char* parameters);
    bool OpenReceiver();
    void OpenSender();
    void TakeArrivals();
    bool IsOwnDatagram(const sockaddr_in& source) const;
    bool HasDatagrams();

    int m_constructionResult = 0;
    in_addr m_group{};
    int m_port = 0;
    in_addr m_interface{};
    ip_mreq m_membership{};
    SocketHandle m_receiver = kNoSocket;
    SocketHandle m_sender = kNoSocket;
    int m_sendingPort = -1;
    std::vector<in_addr> m_ownAddresses;
    std::array<uint8_t, kMaxDatagram> m_arrival{};  // the reader's

    mutable std::mutex m_mutex;  // guards the list and the open flag
    std::deque<Datagram> m_datagrams;
    bool m_open = false;
};
