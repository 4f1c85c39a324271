// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's link object: messages of at most 250 bytes, and the
// link's callbacks handed as events to whoever listens (the desktop program's
// main window, torvo-cli's command loop). A received message is read out of
// the link on its session thread and travels inside its event.

#include <mutex>
#include <optional>

#include "link/LinkEvent.h"
#include "link/Vcom.h"

class CslVcom : public Vcom {
public:
    explicit CslVcom(const VcomThreadPriorities& priorities = {});
    ~CslVcom() override;

    // Where the events go; null drops them.
    void SetEventSink(ILinkEventSink* sink);

    void OnReceive(int length) override;
    void OnConnect() override;
    void OnDisconnect() override;
    void OnStatus(int code, int parameter) override;

    struct Status {
        int code;
        int parameter;
    };
    // The last status event the link reported (a failed connect, a lookup
    // that found nothing), to say why a connection does not come about.
    std::optional<Status> LastStatus();

private:
    void Deliver(LinkEvent event);

    std::mutex m_sinkLock;
    ILinkEventSink* m_sink = nullptr;
    std::mutex m_statusLock;
    std::optional<Status> m_lastStatus;
};
