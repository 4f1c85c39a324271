// SPDX-License-Identifier: GPL-3.0-or-later
#include "CLoopLayer2.h"

CLoopLayer2::CLoopLayer2(CLayer1& layer1, std::shared_ptr<Shared> shared, bool first,
                         int maxPayload)
    : CLayer2(layer1), m_shared(std::move(shared)), m_first(first), m_maxPayload(maxPayload) {}

std::deque<std::pair<std::vector<uint8_t>, int>>& CLoopLayer2::Input() {
    return m_first ? m_shared->toFirst : m_shared->toSecond;
}

std::deque<std::pair<std::vector<uint8_t>, int>>& CLoopLayer2::Output() {
    return m_first ? m_shared->toSecond : m_shared->toFirst;
}

int CLoopLayer2::IsLinkUp() {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->linkUp ? 1 : 0;
}

void CLoopLayer2::Process(int& rxPending, int& txPending) {
    std::lock_guard lock(m_shared->mutex);
    rxPending = Input().empty() ? 0 : 1;
    txPending = 0;
}

int CLoopLayer2::GetReceived(const uint8_t*& data, int& length, int& fragmentType) {
    std::lock_guard lock(m_shared->mutex);
    if (Input().empty()) {
        return 0;
    }
    m_delivered = std::move(Input().front().first);
    fragmentType = Input().front().second;
    Input().pop_front();
    data = m_delivered.data();
    length = static_cast<int>(m_delivered.size());
    return 1;
}

int CLoopLayer2::CanSend() {
    std::lock_guard lock(m_shared->mutex);
    return m_shared->accepting ? 1 : 0;
}

int CLoopLayer2::Send(const uint8_t* data, int length, int fragmentType) {
    std::lock_guard lock(m_shared->mutex);
    if (!m_shared->accepting || m_shared->refuseWhileAccepting) {
        return 0;
    }
    Output().emplace_back(std::vector<uint8_t>(data, data + length), fragmentType);
    if (m_first) {
        m_shared->typesSentByFirst.push_back(fragmentType);
    }
    return 1;
}
