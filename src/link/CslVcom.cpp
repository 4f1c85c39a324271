#include "link/CslVcom.h"

#include <QCoreApplication>

#include "transfer/VcomTransferLink.h"

CslVcom::CslVcom(const VcomThreadPriorities& priorities) : Vcom(kMaxMessageSize, priorities) {}

CslVcom::~CslVcom() {
    // No callback may run while this object is half destroyed.
    Shutdown();
}

void CslVcom::SetTargetWindow(QObject* target) {
    const std::lock_guard lock(m_targetLock);
    m_target = target;
}

void CslVcom::Post(std::unique_ptr<LinkNotification> notification) {
    const std::lock_guard lock(m_targetLock);
    if (m_target) {
        QCoreApplication::postEvent(m_target, notification.release());
    }
}

void CslVcom::OnReceive(int length) {
    if (auto message = VcomTransferLink::ReadAnnouncedMessage(*this, length)) {
        Post(std::make_unique<LinkNotification>(LinkNotification::kDataReceived,
                                                std::move(message)));
    }
}

void CslVcom::OnConnect() {
    Post(std::make_unique<LinkNotification>(LinkNotification::kConnected));
}

void CslVcom::OnDisconnect() {
    Post(std::make_unique<LinkNotification>(LinkNotification::kConnectionLost));
}
