// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <mutex>

#include "link/Vcom.h"

class CDesksetResponder;

// The simulator's end of the link: hands each received message to the
// responder and sends back what it answers. Runs on the session thread.
class CDesksetLink : public Vcom {
public:
    // onOutcomeSent, when given, is called each time a transfer's outcome is
    // handed to the link.
    CDesksetLink(CDesksetResponder& responder, std::mutex& responderMutex,
                 std::function<void()> onLinkLost, std::function<void()> onOutcomeSent = {});
    ~CDesksetLink() override;

    void OnReceive(int length) override;
    void OnConnect() override;
    void OnDisconnect() override;

private:
    CDesksetResponder& m_responder;
    std::mutex& m_responderMutex;
    std::function<void()> m_onLinkLost;
    std::function<void()> m_onOutcomeSent;
};
