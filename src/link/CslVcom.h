#pragma once
// The desktop program's link object: turns the link's callbacks, which run on
// its session thread, into events posted to the main window's transfer
// driver. A received message travels inside its event and is freed with it,
// whether or not the event is ever delivered.

#include <QEvent>
#include <QObject>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "link/Vcom.h"

class LinkNotification : public QEvent {
public:
    static constexpr QEvent::Type kDataReceived = static_cast<QEvent::Type>(QEvent::User + 200);
    static constexpr QEvent::Type kConnected = static_cast<QEvent::Type>(QEvent::User + 201);
    static constexpr QEvent::Type kConnectionLost = static_cast<QEvent::Type>(QEvent::User + 202);

    explicit LinkNotification(QEvent::Type type,
                              std::unique_ptr<std::vector<std::uint8_t>> data = nullptr)
        : QEvent(type), m_data(std::move(data)) {}

    const std::vector<std::uint8_t>* Data() const { return m_data.get(); }

private:
    std::unique_ptr<std::vector<std::uint8_t>> m_data;
};

class CslVcom : public Vcom {
public:
    static constexpr int kMaxMessageSize = 250;

    explicit CslVcom(const VcomThreadPriorities& priorities = {});
    ~CslVcom() override;

    // The receiver of the notifications; null drops them.
    void SetTargetWindow(QObject* target);

    void OnReceive(int length) override;
    void OnConnect() override;
    void OnDisconnect() override;

private:
    void Post(std::unique_ptr<LinkNotification> notification);

    std::mutex m_targetLock;
    QObject* m_target = nullptr;
};
