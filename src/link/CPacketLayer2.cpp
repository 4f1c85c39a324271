// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CPacketLayer2.h"

#include <algorithm>
#include <cstring>

#include "link/CCrc16.h"
#include "link/CCrc8.h"
#include "link/CLayer1.h"
#include "link/VcomCodes.h"
#include "link/VcomStatistics.h"

namespace {

constexpr int kFastBaudRate = 9600;
constexpr int kPollIntervalMs = 3000;
constexpr int kAckTimeoutMs = 1800;
constexpr int kFrameTimeoutMs = 1200;
constexpr int kReadChunk = 255;

bool Contains(const char* text, const char* keyword) {
    return text != nullptr && std::strstr(text, keyword) != nullptr;
}

}  // namespace

CPacketLayer2::CPacketLayer2(CLayer1& layer1, const char* parameters, MillisecondClock clock,
                             std::shared_ptr<IFrameObserver> frameObserver)
    : CLayer2(layer1),
      m_clock(std::move(clock)),
      m_frameObserver(std::move(frameObserver)),
      m_slowMedia(Contains(parameters, "SlowMedia")),
      m_useCrc8(Contains(parameters, "UseCRC8")),
      m_passive(Contains(parameters, "Passive")),
      m_firstPollDue(Contains(parameters, kPollAtOnce)),
      m_receiveQueue(kFrameQueueCapacity),
      m_transmitQueue(kFrameQueueCapacity) {
    m_lastTick = m_clock();
    // Slow lines get twice the time; "SlowMedia" doubles that again.
    const int factor = (layer1.BaudRate() < kFastBaudRate ? 2 : 1) * (m_slowMedia ? 2 : 1);
    m_pollInterval = kPollIntervalMs * factor;
    m_ackTimeout = kAckTimeoutMs * factor;
    m_frameTimeout = kFrameTimeoutMs * factor;
    m_pollTimer = m_pollInterval;
    m_ackTimer = m_ackTimeout;
}

int CPacketLayer2::IsLinkUp() {
    return m_linkUp.load() ? 1 : 0;
}

void CPacketLayer2::SetLinkUp(bool up) {
    m_linkUp.store(up);
    SetStatistic(VcomStatistics::kLinkState, up ? 1 : 0);
}

int CPacketLayer2::CanSend() {
    return m_transmitQueue.Count() < kFrameQueueCapacity - 1 ? 1 : 0;
}

int CPacketLayer2::Send(const uint8_t* data, int length, int fragmentType) {
    if (m_transmitQueue.Count() >= kFrameQueueCapacity - 1) {
        return 0;
    }
    length = std::clamp(length, 0, kMaxPayload);
    FrameRecord frame{};
    frame[kFrameTypeOffset] = static_cast<uint8_t>(kFrameDataWhole + fragmentType);
    frame[kFrameLengthOffset] = static_cast<uint8_t>(length);
    if (length > 0) {
        std::memcpy(frame.data() + kFramePayloadOffset, data, length);
    }
    m_unacknowledgedFrames.fetch_add(1);
    m_transmitQueue.Push(frame);
    SetStatistic(VcomStatistics::kFramesWaitingToSend, m_transmitQueue.Count());
    return 1;
}

int CPacketLayer2::GetReceived(const uint8_t*& data, int& length, int& fragmentType) {
    if (!m_receiveQueue.Pop(m_deliveredFrame)) {
        return 0;
    }
    data = m_deliveredFrame.data() + kFramePayloadOffset;
    length = m_deliveredFrame[kFrameLengthOffset];
    const uint8_t type = m_deliveredFrame[kFrameTypeOffset];
    fragmentType = (type >= kFrameDataWhole && type <= kFrameDataLast) ? type - kFrameDataWhole
                                                                       : kFragmentWhole;
    SetStatistic(VcomStatistics::kFramesWaitingToDeliver, m_receiveQueue.Count());
    return 1;
}

void CPacketLayer2::Process(int& rxPending, int& txPending) {
    if (!m_stopped) {
        ProcessLine();
    }
    // Frames received before the link was reset are still handed up.
    rxPending = m_receiveQueue.IsEmpty() ? 0 : 1;
    txPending = m_stopped || m_transmitQueue.IsEmpty() ? 0 : 1;
}

void CPacketLayer2::ProcessLine() {
    if (m_receiveState != kStateType &&
        static_cast<int>(m_clock() - m_frameStartTick) > m_frameTimeout) {
        RestartReceive();
        PostLinkEvent(kLinkEventFrameTimeout);
    }

    // A passive end reads a byte stream frame by frame, up to the same amount
    // per pass. Over a transport of messages each read is one whole frame (a
    // frame is written at once), which must not be cut.
    const bool frameByFrame = m_passive && !Layer1().CarriesMessages();
    uint8_t bytes[kReadChunk];
    int total = 0;
    while (true) {
        const int wanted =
            frameByFrame ? std::min(BytesToEndOfFrame(), kReadChunk - total) : kReadChunk;
        const int count = Layer1().Read(bytes, wanted);
        if (count < 0) {
            if (m_linkUp.load()) {
                ResetLink();
            }
            return;
        }
        for (int i = 0; i < count && !m_stopped; ++i) {
            FeedByte(bytes[i]);
        }
        total += count;
        if (!frameByFrame || m_stopped || count < wanted || total >= kReadChunk) {
            break;
        }
    }

    if (!m_stopped) {
        TimerPass();
    }
    if (!m_stopped) {
        SendNextDataFrame();
    }
    if (!m_stopped) {
        TimerPass();
    }
}

// A passive end's owner builds its next layer on the same line when this one
// is reset (by a connect request): what follows that frame is the next layer's
// to read, so a passive end reads no further than the frame it is receiving.
int CPacketLayer2::BytesToEndOfFrame() const {
    const int checkSize = m_useCrc8 ? 1 : 2;
    switch (m_receiveState) {
        case kStateSequence:
            return 2;
        case kStateLength:
            return 1;
        case kStatePayload:
            return m_receiveFrame[kFrameLengthOffset] - m_receiveCount + checkSize;
        case kStateFirstCheck:
            return 2;
        case kStateSecondCheck:
        case kStateCrc8:
            return 1;
        default:
            return kFrameHeaderSize;
    }
}

void CPacketLayer2::RestartReceive() {
    m_receiveState = kStateType;
    m_receiveCount = 0;
}

void CPacketLayer2::UpdateReceiveCheck(uint8_t byte) {
    if (m_useCrc8) {
        m_receiveCrc8 = CCrc8::Update(m_receiveCrc8, byte);
    } else {
        m_receiveCrc16 = CCrc16::Update(m_receiveCrc16, byte);
    }
}

void CPacketLayer2::EnterCheckState() {
    m_receiveState = m_useCrc8 ? kStateCrc8 : kStateFirstCheck;
}

void CPacketLayer2::FeedByte(uint8_t byte) {
    const int length = m_receiveFrame[kFrameLengthOffset];
    switch (m_receiveState) {
        case kStateType:
            m_receiveFrame[kFrameTypeOffset] = byte;
            m_receiveCrc16 = CCrc16::kInitial;
            m_receiveCrc8 = CCrc8::kInitial;
            UpdateReceiveCheck(byte);
            m_frameStartTick = m_clock();
            m_receiveState = kStateSequence;
            break;
        case kStateSequence:
            m_receiveFrame[kFrameSequenceOffset] = byte;
            UpdateReceiveCheck(byte);
            m_receiveState = kStateLength;
            break;
        case kStateLength: {
            // The record has room for 250 payload bytes and two check bytes
            // (251 and one with CRC8); a longer frame cannot be ours.
            const int maxLength = m_useCrc8 ? kMaxPayload + 1 : kMaxPayload;
            if (byte > maxLength) {
                const uint8_t header[] = {m_receiveFrame[kFrameTypeOffset],
                                          m_receiveFrame[kFrameSequenceOffset], byte};
                ReportFrame(FrameDirection::Received, header, kFrameHeaderSize, false);
                PostLinkEvent(kLinkEventCheckFailed);
                RestartReceive();
                break;
            }
            m_receiveFrame[kFrameLengthOffset] = byte;
            UpdateReceiveCheck(byte);
            if (byte > 0) {
                m_receiveState = kStatePayload;
            } else {
                EnterCheckState();
            }
            break;
        }
        case kStatePayload:
            m_receiveFrame[kFramePayloadOffset + m_receiveCount] = byte;
            UpdateReceiveCheck(byte);
            ++m_receiveCount;
            if (m_receiveCount >= length) {
                EnterCheckState();
            }
            break;
        case kStateFirstCheck:
            m_receiveFrame[kFramePayloadOffset + length] = byte;
            ++m_receiveCount;
            m_receiveState = kStateSecondCheck;
            break;
        case kStateSecondCheck: {
            m_receiveFrame[kFramePayloadOffset + length + 1] = byte;
            const uint16_t sent =
                static_cast<uint16_t>(m_receiveFrame[kFramePayloadOffset + length] * 256 + byte);
            RestartReceive();
            ReportFrame(FrameDirection::Received, m_receiveFrame.data(),
                        kFrameHeaderSize + length + 2, sent == m_receiveCrc16);
            if (sent == m_receiveCrc16) {
                HandleFrame();
            } else {
                PostLinkEvent(kLinkEventCheckFailed);
            }
            break;
        }
        case kStateCrc8:
            m_receiveFrame[kFramePayloadOffset + length] = byte;
            RestartReceive();
            ReportFrame(FrameDirection::Received, m_receiveFrame.data(),
                        kFrameHeaderSize + length + 1, byte == m_receiveCrc8);
            if (byte == m_receiveCrc8) {
                HandleFrame();
            } else {
                PostLinkEvent(kLinkEventCheckFailed);
            }
            break;
        default:
            RestartReceive();
            break;
    }
}

void CPacketLayer2::HandleFrame() {
    AddStatistic(VcomStatistics::kFramesReceived);
    const uint8_t type = m_receiveFrame[kFrameTypeOffset];
    const uint8_t sequence = m_receiveFrame[kFrameSequenceOffset];

    if (!m_linkUp.load()) {
        if (type != kFrameAcknowledgement) {
            m_lastReceivedSequence = sequence;
        }
        HandleFrameWhileDown(type);
        return;
    }

    if (type == kFrameAcknowledgement) {
        if (sequence == m_transmitSequence && m_awaitingAck) {
            m_awaitingAck = false;
            if (m_awaitedFrame[kFrameTypeOffset] >= kFrameDataWhole &&
                m_awaitedFrame[kFrameTypeOffset] <= kFrameDataLast) {
                m_unacknowledgedFrames.fetch_sub(1);
            }
        }
        return;
    }
    if (sequence == m_lastReceivedSequence) {
        SendControl(kFrameAcknowledgement, SequenceMode::kAnswer);  // duplicate
        if (type == kFramePoll) {
            // A peer that has started over may begin with the sequence number
            // its previous link ended on.
            m_peerJustPolled = true;
            CheckBackOnPeer();
        }
        return;
    }
    m_lastReceivedSequence = sequence;
    switch (type) {
        case kFrameConnectRequest:
            // Only an end whose link is down asks for a connection: the peer
            // has started over. A passive end's owner listens again at once on
            // the same line; when the request answers its poll back, it
            // answers the request as a down end does and the peer's handshake
            // goes on without waiting for a time-out. See m_peerJustPolled.
            if (m_passive && m_peerJustPolled) {
                SendControl(kFrameAcknowledgement, SequenceMode::kAnswer);
                SendControl(kFrameConnectConfirm, SequenceMode::kNew);
            }
            ResetLink();
            break;
        case kFramePoll:
            SendControl(kFrameAcknowledgement, SequenceMode::kAnswer);
            m_peerJustPolled = true;
            CheckBackOnPeer();
            break;
        case kFrameConnectConfirm:
            SendControl(kFrameAcknowledgement, SequenceMode::kAnswer);
            break;
        case kFrameDataWhole:
        case kFrameDataFirst:
        case kFrameDataMiddle:
        case kFrameDataLast:
            SendControl(kFrameAcknowledgement, SequenceMode::kAnswer);
            m_receiveQueue.Push(m_receiveFrame);
            SetStatistic(VcomStatistics::kFramesWaitingToDeliver, m_receiveQueue.Count());
            break;
        default:
            break;  // type 8 and unknown types are accepted and ignored
    }
}

void CPacketLayer2::HandleFrameWhileDown(uint8_t type) {
    SetStatistic(VcomStatistics::kLinkState, 2);
    switch (type) {
        case kFrameAcknowledgement:
            break;
        case kFrameConnectRequest:
            SendControl(kFrameAcknowledgement, SequenceMode::kAnswer);
            SendControl(kFrameConnectConfirm, SequenceMode::kNew);
            break;
        case kFrameConnectConfirm:
            SendControl(kFrameAcknowledgement, SequenceMode::kAnswer);
            SendControl(kFrameConnectConfirm, SequenceMode::kNew);
            SetLinkUp(true);
            break;
        default:
            SendControl(kFrameAcknowledgement, SequenceMode::kAnswer);
            SendControl(kFrameConnectRequest, SequenceMode::kNew);
            break;
    }
}

void CPacketLayer2::SendFrame(FrameRecord& frame, SequenceMode mode) {
    switch (mode) {
        case SequenceMode::kNew:
            ++m_transmitSequence;
            if (m_transmitSequence == 0xFF) {
                m_transmitSequence = 0;
            }
            frame[kFrameSequenceOffset] = m_transmitSequence;
            break;
        case SequenceMode::kAgain:
            frame[kFrameSequenceOffset] = m_transmitSequence;
            break;
        case SequenceMode::kAnswer:
            frame[kFrameSequenceOffset] = m_lastReceivedSequence;
            break;
    }

    const int length = frame[kFrameLengthOffset];
    const int covered = kFrameHeaderSize + length;
    int total = covered;
    if (m_useCrc8) {
        frame[covered] = CCrc8::Compute(frame.data(), covered);
        total += 1;
    } else {
        const uint16_t crc = CCrc16::Compute(frame.data(), covered);
        frame[covered] = static_cast<uint8_t>(crc >> 8);
        frame[covered + 1] = static_cast<uint8_t>(crc & 0xFF);
        total += 2;
    }
    ReportFrame(FrameDirection::Sent, frame.data(), total, true);
    // A short write is not examined: the retransmission covers the loss.
    Layer1().Write(frame.data(), total);

    if (m_linkUp.load() || frame[kFrameTypeOffset] == kFramePoll) {
        m_pollTimer = m_pollInterval;
    }
    m_firstPollDue = false;
    AddStatistic(VcomStatistics::kFramesSent);
}

void CPacketLayer2::SendControl(uint8_t type, SequenceMode mode) {
    FrameRecord frame{};
    frame[kFrameTypeOffset] = type;
    frame[kFrameLengthOffset] = 0;
    SendFrame(frame, mode);
}

void CPacketLayer2::SendPoll() {
    FrameRecord frame{};
    frame[kFrameTypeOffset] = kFramePoll;
    SendFrame(frame, SequenceMode::kNew);
    m_retries = 0;
    m_awaitedFrame = frame;
    m_ackTimer = m_ackTimeout;
    m_awaitingAck = true;
}

// A peer that closed its port and opened it again polls a passive end whose
// link is still up. Its link is down, so it ignores the acknowledgement, and a
// passive end would only answer its polls until its own supervision gave up.
// A poll back is answered with a connect request by such a peer, and with an
// acknowledgement by a peer that is up. Two passive ends never bring a link
// up, so polls cannot go back and forth without end.
//
// A data frame waiting for its acknowledgement keeps its place (its
// retransmission reaches such a peer too); an earlier poll that is still
// unanswered, perhaps sent just before the peer closed its port, is replaced.
void CPacketLayer2::CheckBackOnPeer() {
    if (m_passive && (!m_awaitingAck || m_awaitedFrame[kFrameTypeOffset] == kFramePoll)) {
        SendPoll();
    }
}

void CPacketLayer2::SendNextDataFrame() {
    // Data waits in the queue until the link is up. Sent during the handshake,
    // a frame would be retransmitted under the sequence number of the last
    // connect confirm, taken by the peer as a duplicate and silently lost.
    if (m_awaitingAck || !m_linkUp.load()) {
        return;
    }
    if (!m_transmitQueue.Pop(m_awaitedFrame)) {
        return;
    }
    SetStatistic(VcomStatistics::kFramesWaitingToSend, m_transmitQueue.Count());
    m_retries = 0;
    m_awaitingAck = true;
    m_ackTimer = m_ackTimeout;
    m_peerJustPolled = false;
    SendFrame(m_awaitedFrame, SequenceMode::kNew);
}

void CPacketLayer2::TimerPass() {
    const uint32_t now = m_clock();
    const int elapsed = static_cast<int>(now - m_lastTick);
    m_lastTick = now;

    if (m_awaitingAck && m_ackTimer != 0) {
        m_ackTimer -= elapsed;
        if (m_ackTimer <= 0) {
            m_ackTimer = 0;
            ++m_retries;
            if (m_retries >= kMaxRetries) {
                // While down nothing more happens until the next poll.
                if (m_linkUp.load()) {
                    ResetLink();
                }
                return;
            }
            Retransmit();
            return;
        }
    }

    if (m_pollTimer != 0 && !(m_passive && !m_linkUp.load())) {
        m_pollTimer -= elapsed;
        if (m_pollTimer <= 0 || m_firstPollDue) {
            m_peerJustPolled = false;
            SendPoll();
        }
    }
}

void CPacketLayer2::Retransmit() {
    m_peerJustPolled = false;
    AddStatistic(VcomStatistics::kRetransmissions);
    SendFrame(m_awaitedFrame, SequenceMode::kAgain);
    m_ackTimer = m_ackTimeout;
}

void CPacketLayer2::ReportFrame(FrameDirection direction, const uint8_t* bytes, int length,
                                bool checkOk) {
    if (m_frameObserver) {
        m_frameObserver->OnFrame(direction, bytes, length, checkOk);
    }
}

void CPacketLayer2::ResetLink() {
    m_linkUp.store(false);
    m_stopped = true;
    m_lastReceivedSequence = 0xFF;
    m_transmitSequence = 0;
    m_transmitQueue.Clear();
    SetStatistic(VcomStatistics::kLinkState, 0);
    SetStatistic(VcomStatistics::kFramesWaitingToSend, 0);
    SetStatistic(VcomStatistics::kFramesWaitingToDeliver, m_receiveQueue.Count());
}
