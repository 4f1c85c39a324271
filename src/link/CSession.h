// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

#include "link/CMsgQueue.h"

class CLayer2;
class CStatusQueue;

// The session between its owner (Vcom) and Layer 2: queues whole messages,
// cuts them into Layer 2 payloads, reassembles received fragments and notices
// the link going up and down. Step runs on the session thread under the
// session lock; ReceivePull on the comm link thread, and on the session
// thread when the link goes down, under the session's own receive lock.
class CSession {
public:
    static constexpr int kInitialFragmentSize = 10;

    // What the session tells its owner, and asks of it; all from Step, on the
    // session thread. The owner may disconnect from inside any of them.
    class Owner {
    public:
        virtual ~Owner() = default;
        // The link came up.
        virtual void LinkUp() = 0;
        // A whole message of this length waits in the receive queue.
        virtual void MessageReceived(int length) = 0;
        // A message of this length went to Layer 2 whole.
        virtual void MessageSent(int length) = 0;
        // The line was lost: the owner first lets go of the layers, and once
        // the session has been reset hears that the link is down.
        virtual void DropLink() = 0;
        virtual void LinkDown() = 0;
    };

    CSession(Owner& owner, CStatusQueue& statusQueue, int maxMessageSize);
    CSession(const CSession&) = delete;
    CSession& operator=(const CSession&) = delete;
    virtual ~CSession();

    // One step of the session thread; clears idle when it did some work.
    virtual void Step(int& idle);

    void Reset();
    // Takes what Layer 2 received into the receive message queue.
    void ReceivePull();
    // A message waits in the transmit queue or is being cut into fragments.
    bool HoldsUnsentMessages() const { return m_transmitting || !m_transmitQueue.IsEmpty(); }

    void SetLowerLayer(CLayer2* layer2);
    CLayer2* LowerLayer() const { return m_lower; }
    void SetFragmentSize(int size) { m_fragmentSize = size; }
    int FragmentSize() const { return m_fragmentSize; }
    int MaxMessageSize() const { return m_maxMessageSize; }
    CMsgQueue& TransmitQueue() { return m_transmitQueue; }
    CMsgQueue& ReceiveQueue() { return m_receiveQueue; }

private:
    bool AnnounceNext();
    bool AnnounceWhatArrived();
    void Transmit();
    void StoreReceived(const uint8_t* data, int length);
    void AppendFragment(const uint8_t* data, int length);
    void TearDown();

    Owner& m_owner;
    CStatusQueue& m_statusQueue;
    CLayer2* m_lower = nullptr;
    std::vector<uint8_t> m_transmitBuffer;
    std::vector<uint8_t> m_reassemblyBuffer;
    int m_lastLinkState = 0;
    const int m_maxMessageSize;
    int m_reassemblyLength = 0;
    bool m_discardingMessage = false;  // the message being reassembled overflowed
    int m_transmitOffset = 0;
    int m_transmitLength = 0;
    bool m_transmitting = false;
    std::atomic<int> m_unannounced{0};  // raised by the comm link thread
    int m_fragmentSize = kInitialFragmentSize;
    CMsgQueue m_transmitQueue;
    CMsgQueue m_receiveQueue;
    std::mutex m_receiveLock;  // the lower layer's received frames and the reassembly
};
