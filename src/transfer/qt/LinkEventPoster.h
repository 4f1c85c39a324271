// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop program's link event sink: each event is posted to a window
// object, so that it is handled on the user-interface thread in arrival
// order. The event owns its received message, which is freed with it whether
// or not it is ever delivered.

#include <QEvent>
#include <QObject>

#include "link/LinkEvent.h"

class LinkNotification : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(QEvent::User + 200);

    explicit LinkNotification(LinkEvent event) : QEvent(kType), m_event(std::move(event)) {}
    const LinkEvent& Event() const { return m_event; }

private:
    LinkEvent m_event;
};

class LinkEventPoster : public ILinkEventSink {
public:
    explicit LinkEventPoster(QObject& target) : m_target(target) {}
    void Deliver(LinkEvent event) override;

private:
    QObject& m_target;
};
