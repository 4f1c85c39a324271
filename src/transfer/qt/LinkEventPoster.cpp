// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/qt/LinkEventPoster.h"

#include <QCoreApplication>

void LinkEventPoster::Deliver(LinkEvent event) {
    QCoreApplication::postEvent(&m_target, new LinkNotification(std::move(event)));
}
