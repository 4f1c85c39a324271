// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDesksetLink.h"

#include <vector>

#include "CDesksetResponder.h"
#include "transfer/MessageCodec.h"

CDesksetLink::CDesksetLink(CDesksetResponder& responder, std::mutex& responderMutex,
                           std::function<void()> onLinkLost, std::function<void()> onOutcomeSent)
    : Vcom(250),
      m_responder(responder),
      m_responderMutex(responderMutex),
      m_onLinkLost(std::move(onLinkLost)),
      m_onOutcomeSent(std::move(onOutcomeSent)) {}

CDesksetLink::~CDesksetLink() {
    Shutdown();
}

void CDesksetLink::OnReceive(int length) {
    std::vector<uint8_t> message(length);
    int received = 0;
    if (Receive(message.data(), length, received) != 0) {
        return;
    }
    std::vector<CDesksetResponder::Message> answers;
    {
        std::lock_guard lock(m_responderMutex);
        answers = m_responder.Handle(message.data(), received);
    }
    for (const auto& answer : answers) {
        Send(answer.data(), static_cast<int>(answer.size()));
        const std::uint8_t type = answer[1];
        if (m_onOutcomeSent && type >= transfer::kUploadCompleted &&
            type <= transfer::kDownloadFailed) {
            m_onOutcomeSent();
        }
    }
}

void CDesksetLink::OnConnect() {
    std::lock_guard lock(m_responderMutex);
    m_responder.ResetTransfer();
}

void CDesksetLink::OnDisconnect() {
    m_onLinkLost();
}
