#pragma once
// The application's link object: messages of at most 250 bytes, and the
// link's callbacks handed as events to whoever listens (the desktop program's
// main window, torvo-cli's command loop). A received message is read out of
// the link on its session thread and travels inside its event.

#include <mutex>

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

private:
    void Deliver(LinkEvent event);

    std::mutex m_sinkLock;
    ILinkEventSink* m_sink = nullptr;
};
