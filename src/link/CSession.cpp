// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CSession.h"

#include <algorithm>

#include "link/CLayer1.h"
#include "link/CLayer2.h"
#include "link/CStatusQueue.h"
#include "link/VcomCodes.h"

CSession::CSession(Owner& owner, CStatusQueue& statusQueue, int maxMessageSize)
    : m_owner(owner),
      m_statusQueue(statusQueue),
      m_transmitBuffer(std::max(maxMessageSize, 1)),
      m_reassemblyBuffer(std::max(maxMessageSize, 1)),
      m_maxMessageSize(maxMessageSize) {}

CSession::~CSession() = default;

void CSession::Reset() {
    m_transmitQueue.Clear();
    m_receiveQueue.Clear();
    m_reassemblyLength = 0;
    m_discardingMessage = false;
    m_transmitOffset = 0;
    m_transmitLength = 0;
    m_transmitting = false;
    m_unannounced.store(0);
    m_lastLinkState = 0;
}

void CSession::TearDown() {
    m_owner.DropLink();
    Reset();
    m_owner.LinkDown();
}

void CSession::SetLowerLayer(CLayer2* layer2) {
    std::lock_guard receiveLock(m_receiveLock);
    m_lower = layer2;
}

void CSession::Step(int& idle) {
    idle = 1;
    if (m_lower == nullptr) {
        return;
    }

    CLayer1& layer1 = m_lower->Layer1();
    if (!layer1.IsLossHandled()) {
        const int linkUp = m_lower->IsLinkUp() ? 1 : 0;
        const bool lineLost = layer1.IsLineLost();
        if (lineLost || (linkUp == 0 && m_lastLinkState == 1)) {
            if (lineLost) {
                layer1.SetLossHandled();
            }
            m_lastLinkState = 0;
            if (AnnounceWhatArrived()) {
                TearDown();
            }
            return;
        }
        if (linkUp != m_lastLinkState) {
            m_lastLinkState = linkUp;
            m_owner.LinkUp();
        }
    }

    if (AnnounceNext() && m_unannounced.load() > 0) {
        idle = 0;
    }

    Transmit();

    if (HoldsUnsentMessages()) {
        idle = 0;
    }
}

// Announces the oldest message not announced yet; false when there was none.
bool CSession::AnnounceNext() {
    if (m_unannounced.load() <= 0) {
        return false;
    }
    const int length = m_receiveQueue.AnnounceNext();
    if (length < 0) {
        return false;
    }
    // Count down before the call: the owner may disconnect from inside it.
    m_unannounced.fetch_sub(1);
    m_owner.MessageReceived(length);
    return true;
}

// A far end may hang up right after its last message: everything received
// before a loss is announced before the loss, including frames the comm link
// thread has not taken from Layer 2 yet. False when the owner disconnected
// from inside one of the calls, which ends the link without a loss to report.
bool CSession::AnnounceWhatArrived() {
    ReceivePull();
    while (AnnounceNext()) {
        if (m_lower == nullptr) {
            return false;
        }
    }
    return m_lower != nullptr;
}

void CSession::Transmit() {
    // A callback may disconnect, which clears the lower layer: check every turn.
    while (m_lower != nullptr && m_lower->CanSend()) {
        if (m_transmitting) {
            const int rest = m_transmitLength - m_transmitOffset;
            const uint8_t* fragment = m_transmitBuffer.data() + m_transmitOffset;
            if (rest > m_fragmentSize) {
                if (!m_lower->Send(fragment, m_fragmentSize, kFragmentMiddle)) {
                    m_statusQueue.Push(kStatusFragmentRefused, 0);
                    return;  // the same fragment goes again on the next step
                }
                m_transmitOffset += m_fragmentSize;
            } else {
                if (!m_lower->Send(fragment, rest, kFragmentLast)) {
                    m_statusQueue.Push(kStatusFragmentRefused, 0);
                    return;
                }
                m_transmitting = false;
                m_transmitOffset = 0;
                m_owner.MessageSent(m_transmitLength);
            }
            continue;
        }

        int length = 0;
        if (!m_transmitQueue.Pop(m_transmitBuffer.data(), static_cast<int>(m_transmitBuffer.size()),
                                 length)) {
            return;
        }
        m_transmitLength = length;
        if (length > m_fragmentSize) {
            if (!m_lower->Send(m_transmitBuffer.data(), m_fragmentSize, kFragmentFirst)) {
                m_statusQueue.Push(kStatusFragmentRefused, 0);  // this message is lost
                return;
            }
            m_transmitting = true;
            m_transmitOffset = m_fragmentSize;
        } else {
            if (!m_lower->Send(m_transmitBuffer.data(), length, kFragmentWhole)) {
                m_statusQueue.Push(kStatusFragmentRefused, 0);
                return;
            }
            m_owner.MessageSent(length);
        }
    }
}

void CSession::StoreReceived(const uint8_t* data, int length) {
    if (m_receiveQueue.Push(data, length)) {
        m_unannounced.fetch_add(1);
    } else {
        m_statusQueue.Push(kStatusReceiveStoreFailed, 0);
    }
}

void CSession::AppendFragment(const uint8_t* data, int length) {
    if (m_discardingMessage) {
        return;
    }
    if (m_reassemblyLength + length > m_maxMessageSize) {
        // Never write past the buffer: drop the whole message and its later fragments.
        m_statusQueue.Push(kStatusReassemblyOverflow, m_reassemblyLength + length);
        m_discardingMessage = true;
        m_reassemblyLength = 0;
        return;
    }
    std::copy(data, data + length, m_reassemblyBuffer.begin() + m_reassemblyLength);
    m_reassemblyLength += length;
}

void CSession::ReceivePull() {
    std::lock_guard receiveLock(m_receiveLock);
    const uint8_t* data = nullptr;
    int length = 0;
    int fragmentType = 0;
    while (m_lower != nullptr && m_lower->GetReceived(data, length, fragmentType)) {
        switch (fragmentType) {
            case kFragmentFirst:
                m_discardingMessage = false;
                m_reassemblyLength = 0;
                AppendFragment(data, length);
                break;
            case kFragmentMiddle:
                AppendFragment(data, length);
                break;
            case kFragmentLast:
                AppendFragment(data, length);
                if (!m_discardingMessage) {
                    StoreReceived(m_reassemblyBuffer.data(), m_reassemblyLength);
                }
                m_discardingMessage = false;
                m_reassemblyLength = 0;
                break;
            default:
                if (length > m_maxMessageSize) {
                    m_statusQueue.Push(kStatusReassemblyOverflow, length);
                } else {
                    StoreReceived(data, length);
                }
                break;
        }
    }
}
