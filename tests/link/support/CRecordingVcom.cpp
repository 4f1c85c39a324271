// SPDX-License-Identifier: GPL-3.0-or-later
#include "CRecordingVcom.h"

CRecordingVcom::CRecordingVcom(int maxMessageSize, bool takeReceived,
                               const VcomThreadPriorities& priorities)
    : Vcom(maxMessageSize, priorities), m_takeReceived(takeReceived) {}

CRecordingVcom::~CRecordingVcom() {
    Shutdown();
}

void CRecordingVcom::Notify() {
    m_condition.notify_all();
}

void CRecordingVcom::OnReceive(int length) {
    std::vector<uint8_t> message;
    if (m_takeReceived) {
        message.resize(length);
        int taken = 0;
        if (Receive(message.data(), length, taken) == 0) {
            message.resize(taken);
        } else {
            message.clear();
        }
    }
    {
        std::lock_guard lock(m_mutex);
        announcedLengths.push_back(length);
        if (m_takeReceived) {
            received.push_back(std::move(message));
        }
    }
    Notify();
}

void CRecordingVcom::OnSent(int length) {
    {
        std::lock_guard lock(m_mutex);
        sentLengths.push_back(length);
    }
    Notify();
}

void CRecordingVcom::OnConnect() {
    {
        std::lock_guard lock(m_mutex);
        ++connects;
    }
    Notify();
}

void CRecordingVcom::OnDisconnect() {
    {
        std::lock_guard lock(m_mutex);
        ++disconnects;
        announcedAtLastDisconnect = announcedLengths.size();
    }
    Notify();
}

void CRecordingVcom::OnStatus(int code, int parameter) {
    {
        std::lock_guard lock(m_mutex);
        statuses.push_back({code, parameter});
    }
    Notify();
}

void CRecordingVcom::OnLinkEvent(int code) {
    {
        std::lock_guard lock(m_mutex);
        linkEvents.push_back(code);
    }
    Notify();
}

bool CRecordingVcom::WaitUntil(const std::function<bool()>& predicate,
                               std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    return m_condition.wait_for(lock, timeout, predicate);
}
