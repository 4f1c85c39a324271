// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/CslVcom.h"

#include <algorithm>

#include "transfer/MessageCodec.h"

CslVcom::CslVcom(const VcomThreadPriorities& priorities)
    : Vcom(static_cast<int>(transfer::kMaxLinkMessage), priorities) {}

CslVcom::~CslVcom() {
    // No callback may run while this object is half destroyed.
    Shutdown();
}

void CslVcom::SetEventSink(ILinkEventSink* sink) {
    const std::lock_guard lock(m_sinkLock);
    m_sink = sink;
}

void CslVcom::Deliver(LinkEvent event) {
    const std::lock_guard lock(m_sinkLock);
    if (m_sink) {
        m_sink->Deliver(std::move(event));
    }
}

void CslVcom::OnReceive(int length) {
    if (length <= 0) {
        return;
    }
    auto message = std::make_unique<std::vector<std::uint8_t>>(static_cast<std::size_t>(length));
    int received = 0;
    if (Receive(message->data(), length, received) != 0 || received < 2) {
        return;
    }
    message->resize(std::min<std::size_t>(received, transfer::kMaxLinkMessage));
    // Taken as the message is announced: by the time its event is handled,
    // more may have gone out and been confirmed.
    Deliver({LinkEvent::Kind::DataReceived, std::move(message), AllSentAcknowledged()});
}

void CslVcom::OnConnect() {
    Deliver({LinkEvent::Kind::Connected, nullptr});
}

void CslVcom::OnDisconnect() {
    Deliver({LinkEvent::Kind::ConnectionLost, nullptr});
}

void CslVcom::OnStatus(int code, int parameter) {
    const std::lock_guard lock(m_statusLock);
    m_lastStatus = Status{code, parameter};
}

std::optional<CslVcom::Status> CslVcom::LastStatus() {
    const std::lock_guard lock(m_statusLock);
    return m_lastStatus;
}
