// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "link/CFrameQueue.h"
#include "link/CLayer2.h"
#include "link/IFrameObserver.h"
#include "link/PacketFrame.h"
#include "link/VcomClock.h"

// Layer 2 kind 0, the packet layer: each payload becomes one frame with a
// sequence number and a CRC; frames go one at a time and wait for their
// acknowledgement (stop-and-wait), are retransmitted on time-out, and the link
// is set up by a small handshake and held up by polls.
//
// Parameter keywords (anywhere in the text, case-sensitive):
//   "SlowMedia"  doubles every timer;
//   "UseCRC8"    uses the one-byte check instead of the CRC-16;
//   "Passive"    the deskset simulator's end: never polls while the link is
//                down but waits for its peer's poll, and lets a peer that has
//                started over (closed and opened its port) through a new
//                handshake at once: while up, it answers each poll with a poll
//                of its own, which a peer whose link is down answers with a
//                connect request; that request resets this end, which answers
//                it as a down end would (acknowledgement and connect confirm),
//                for its owner to listen again on the same line. A connect
//                request answering any other frame of this end resets it
//                without an answer, as at any end. It reads no further than
//                the frame it is receiving, leaving the rest to the next layer.
//   "PollAtOnce" the computer's end: polls on its first pass instead of after
//                the poll interval, unless it has had to answer a frame
//                already; a peer that is waiting comes up in milliseconds.
//                Everything after that first poll runs as without it.
class CPacketLayer2 : public CLayer2 {
public:
    static constexpr int kFrameQueueCapacity = 129;
    static constexpr int kMaxPayload = kFrameMaxPayload;
    static constexpr int kMaxRetries = 5;

    CPacketLayer2(CLayer1& layer1, const char* parameters,
                  MillisecondClock clock = SteadyMillisecondClock(),
                  std::shared_ptr<IFrameObserver> frameObserver = nullptr);

    int IsLinkUp() override;
    void Process(int& rxPending, int& txPending) override;
    int GetReceived(const uint8_t*& data, int& length, int& fragmentType) override;
    int CanSend() override;
    int Send(const uint8_t* data, int length, int fragmentType) override;
    int MaxPayload() override { return kMaxPayload; }
    int UnacknowledgedFrames() const override { return m_unacknowledgedFrames.load(); }

    int PollInterval() const { return m_pollInterval; }
    int AckTimeout() const { return m_ackTimeout; }
    int FrameTimeout() const { return m_frameTimeout; }
    bool UsesCrc8() const { return m_useCrc8; }
    bool IsSlowMedia() const { return m_slowMedia; }
    bool IsPassive() const { return m_passive; }
    static constexpr const char* kPollAtOnce = "PollAtOnce";
    bool IsStopped() const { return m_stopped; }

private:
    enum class SequenceMode { kNew, kAgain, kAnswer };
    enum ReceiveState {
        kStateType = 1,
        kStateSequence = 2,
        kStateLength = 3,
        kStatePayload = 4,
        kStateSecondCheck = 5,
        kStateFirstCheck = 6,
        kStateCrc8 = 7,
    };

    void ProcessLine();
    void FeedByte(uint8_t byte);
    void UpdateReceiveCheck(uint8_t byte);
    void EnterCheckState();
    void RestartReceive();
    int BytesToEndOfFrame() const;
    void HandleFrame();
    void HandleFrameWhileDown(uint8_t type);
    void SendFrame(FrameRecord& frame, SequenceMode mode);
    void SendControl(uint8_t type, SequenceMode mode);
    void SendPoll();
    void SendNextDataFrame();
    void CheckBackOnPeer();
    void TimerPass();
    void Retransmit();
    void ResetLink();
    void SetLinkUp(bool up);
    void ReportFrame(FrameDirection direction, const uint8_t* bytes, int length, bool checkOk);

    const MillisecondClock m_clock;
    const std::shared_ptr<IFrameObserver> m_frameObserver;
    bool m_slowMedia = false;
    bool m_useCrc8 = false;
    bool m_passive = false;
    bool m_firstPollDue = false;  // "PollAtOnce" until the first frame is sent

    bool m_stopped = false;
    std::atomic<bool> m_linkUp{false};  // read by the session thread
    uint16_t m_receiveCrc16 = 0;
    uint8_t m_receiveCrc8 = 0;
    uint8_t m_lastReceivedSequence = 0xFF;
    uint8_t m_transmitSequence = 0xFE;
    uint32_t m_lastTick = 0;
    int m_receiveState = kStateType;
    int m_receiveCount = 0;
    CFrameQueue m_receiveQueue;
    CFrameQueue m_transmitQueue;
    FrameRecord m_receiveFrame{};
    FrameRecord m_awaitedFrame{};
    FrameRecord m_deliveredFrame{};
    int m_pollTimer = 0;
    int m_pollInterval = 0;
    int m_frameTimeout = 0;
    uint32_t m_frameStartTick = 0;
    bool m_awaitingAck = false;
    // Data frames queued or sent and not yet acknowledged; read by the owner.
    std::atomic<int> m_unacknowledgedFrames{0};
    int m_ackTimer = 0;
    int m_ackTimeout = 0;
    int m_retries = 0;
    // A passive end's poll back is safe to confirm: the peer has just polled,
    // so its poll timer has just started again. A connect request that answers
    // any other frame of this end (its own poll, data, a retransmission) comes
    // from a peer whose poll timer may run out during the handshake; the poll
    // would reach this end's next layer while down, whose connect request in
    // answer would then reset the peer, up by then. Such a request is only
    // obeyed, and the peer's own poll starts the handshake with the next layer.
    // Set when the peer polls; cleared when this end sends a frame of its own
    // other than the poll back.
    bool m_peerJustPolled = false;
};
