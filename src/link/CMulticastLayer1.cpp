// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CMulticastLayer1.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "link/SocketPlatform.h"
#include "link/SocketSupport.h"
#include "link/VcomCodes.h"

namespace {

// Datagrams taken off the socket in one go, so that a flood cannot hold the
// comm link thread.
constexpr int kArrivalsPerCall = 64;

}  // namespace

CMulticastLayer1::CMulticastLayer1(const char* parameters, std::string interfaceAddress) {
    m_interface.s_addr = htonl(INADDR_ANY);
    if (!socket_platform::StartLibrary()) {
        m_constructionResult = kVcomSocketLibraryFailed;
        return;
    }
    m_constructionResult = Parse(parameters);
    if (m_constructionResult == kVcomOk && !interfaceAddress.empty() &&
        !socket_support::ParseDotted(interfaceAddress, m_interface)) {
        m_constructionResult = kVcomBadAddress;
    }
}

CMulticastLayer1::~CMulticastLayer1() {
    Close();
}

int CMulticastLayer1::Parse(const char* parameters) {
    if (parameters == nullptr || parameters[0] == '\0') {
        return kVcomSocketTextMissing;
    }
    char keyword[64] = {};
    char group[64] = {};
    int port = 0;
    const int words = std::sscanf(parameters, "%63s %63s %d", keyword, group, &port);
    if (words < 1) {
        return kVcomSocketTextMissing;
    }
    if (std::strcmp(keyword, "MULTICAST_MEMBER") != 0) {
        return kVcomUnknownSocketMode;
    }
    if (words != 3 || port < 0 || port > 65535) {
        return kVcomWrongWordCount;
    }
    if (!socket_support::ParseDotted(group, m_group) || !IN_MULTICAST(ntohl(m_group.s_addr))) {
        return kVcomBadAddress;
    }
    m_port = port;
    return kVcomOk;
}

int CMulticastLayer1::IsReady() {
    std::lock_guard lock(m_mutex);
    return m_open ? 1 : 0;
}

int CMulticastLayer1::SendingPort() const {
    std::lock_guard lock(m_mutex);
    return m_sendingPort;
}

int CMulticastLayer1::Open() {
    if (!socket_platform::StartLibrary()) {
        PostStatus(kStatusNoSocketLibrary, 0);
        return -1;
    }
    Close();
    if (!OpenReceiver()) {
        PostStatus(kStatusJoinFailed, socket_platform::LastError());
        socket_platform::Close(m_receiver);
        return -1;
    }
    OpenSender();
    if (m_sender == kNoSocket) {
        PostStatus(kStatusSocketCallFailed, socket_platform::LastError());
        Close();
        return -1;
    }
    m_ownAddresses = socket_platform::OwnAddresses();
    std::lock_guard lock(m_mutex);
    m_sendingPort = socket_support::LocalPort(m_sender);
    m_open = true;
    return 0;
}

bool CMulticastLayer1::OpenReceiver() {
    m_receiver = socket_platform::OpenSocket(SOCK_DGRAM);
    if (m_receiver == kNoSocket) {
        return false;
    }
    const int on = 1;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    local.sin_port = htons(static_cast<uint16_t>(m_port));
    m_membership.imr_multiaddr = m_group;
    m_membership.imr_interface = m_interface;
    if (!socket_platform::SetOption(m_receiver, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) ||
        ::bind(m_receiver, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0 ||
        !socket_platform::SetOption(m_receiver, IPPROTO_IP, IP_ADD_MEMBERSHIP, &m_membership,
                                    sizeof m_membership)) {
        return false;
    }
    // Only this group's datagrams, not those of every group joined on the host.
    socket_platform::ReceiveOnlyJoinedGroups(m_receiver);
    return true;
}

void CMulticastLayer1::OpenSender() {
    m_sender = socket_platform::OpenSocket(SOCK_DGRAM);
    if (m_sender == kNoSocket) {
        return;
    }
    const int timeToLive = 1;
    if (!socket_platform::SetOption(m_sender, IPPROTO_IP, IP_MULTICAST_TTL, &timeToLive,
                                    sizeof timeToLive)) {
        PostStatus(kStatusMulticastTtlFailed, socket_platform::LastError());
    }
    if (m_interface.s_addr != htonl(INADDR_ANY)) {
        socket_platform::SetOption(m_sender, IPPROTO_IP, IP_MULTICAST_IF, &m_interface,
                                   sizeof m_interface);
    }
    // Bound now, so that its port (the mark of this member's own datagrams) is known.
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr = m_interface;
    if (::bind(m_sender, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        socket_platform::Close(m_sender);
    }
}

int CMulticastLayer1::Close() {
    std::lock_guard lock(m_mutex);
    if (m_receiver != kNoSocket && m_open &&
        !socket_platform::SetOption(m_receiver, IPPROTO_IP, IP_DROP_MEMBERSHIP, &m_membership,
                                    sizeof m_membership)) {
        PostStatus(kStatusLeaveFailed, socket_platform::LastError());
    }
    socket_platform::Close(m_receiver);
    socket_platform::Close(m_sender);
    m_datagrams.clear();
    m_open = false;
    m_sendingPort = -1;
    return 0;
}

int CMulticastLayer1::Write(const uint8_t* bytes, int count) {
    if (m_sender == kNoSocket || count <= 0) {
        return 0;
    }
    sockaddr_in group{};
    group.sin_family = AF_INET;
    group.sin_addr = m_group;
    group.sin_port = htons(static_cast<uint16_t>(m_port));
    const int sent = socket_platform::SendTo(m_sender, bytes, count, group);
    if (sent < 0) {
        PostStatus(kStatusSocketCallFailed, socket_platform::LastError());
        return 0;
    }
    return sent;
}

void CMulticastLayer1::TakeArrivals() {
    if (m_receiver == kNoSocket) {
        return;
    }
    for (int i = 0; i < kArrivalsPerCall; ++i) {
        sockaddr_in source{};
        const int count = socket_platform::ReceiveFrom(m_receiver, m_arrival.data(),
                                                       static_cast<int>(m_arrival.size()), source);
        if (count < 0) {
            if (const int error = socket_platform::LastError();
                !socket_platform::WouldBlock(error)) {
                PostStatus(kStatusSocketCallFailed, error);
            }
            return;
        }
        if (IsOwnDatagram(source)) {
            continue;
        }
        std::lock_guard lock(m_mutex);
        m_datagrams.emplace_back(m_arrival.begin(), m_arrival.begin() + count);
    }
}

bool CMulticastLayer1::IsOwnDatagram(const sockaddr_in& source) const {
    if (ntohs(source.sin_port) != m_sendingPort) {
        return false;
    }
    return std::any_of(m_ownAddresses.begin(), m_ownAddresses.end(),
                       [&](in_addr own) { return own.s_addr == source.sin_addr.s_addr; });
}

bool CMulticastLayer1::HasDatagrams() {
    std::lock_guard lock(m_mutex);
    return !m_datagrams.empty();
}

int CMulticastLayer1::BytesWaiting() {
    TakeArrivals();
    return HasDatagrams() ? 1 : 0;
}

int CMulticastLayer1::Read(uint8_t* buffer, int maximum) {
    TakeArrivals();
    std::lock_guard lock(m_mutex);
    if (m_datagrams.empty() || maximum <= 0) {
        return 0;
    }
    const Datagram& oldest = m_datagrams.front();
    const int count = std::min(maximum, static_cast<int>(oldest.size()));
    std::copy_n(oldest.begin(), count, buffer);
    m_datagrams.pop_front();
    return count;
}

void CMulticastLayer1::WaitReadable(int milliseconds) {
    if (HasDatagrams()) {
        return;
    }
    if (m_receiver == kNoSocket) {
        CLayer1::WaitReadable(milliseconds);
        return;
    }
    socket_platform::WaitReadable(m_receiver, milliseconds);
}
