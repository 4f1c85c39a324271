// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

class CLayer1;
class CStatusQueue;
class CLinkEventQueue;
class CStatisticsCounters;

// The framing layer between the session and a CLayer1. Process and
// GetReceived run on the comm link thread; CanSend and Send on the session
// thread; IsLinkUp on either.
class CLayer2 {
public:
    explicit CLayer2(CLayer1& layer1) : m_layer1(layer1) {}
    CLayer2(const CLayer2&) = delete;
    CLayer2& operator=(const CLayer2&) = delete;
    virtual ~CLayer2();

    virtual int IsLinkUp() = 0;
    virtual void Process(int& rxPending, int& txPending) = 0;
    // Hands out the oldest received payload; 1 when one was taken. The data
    // stays valid until the next call.
    virtual int GetReceived(const uint8_t*& data, int& length, int& fragmentType) = 0;
    virtual int CanSend() = 0;
    virtual int Send(const uint8_t* data, int length, int fragmentType) = 0;  // 1 when queued
    virtual int MaxPayload() = 0;
    // Payloads handed to Send that the peer has not confirmed yet; a framing
    // without acknowledgements counts only those not yet written. Any thread.
    virtual int UnacknowledgedFrames() const = 0;

    void SetQueues(CStatusQueue* statusQueue, CLinkEventQueue* linkEventQueue);
    void SetStatistics(CStatisticsCounters* statistics) { m_statistics = statistics; }
    CLayer1& Layer1() { return m_layer1; }

protected:
    void PostStatus(int code, int parameter);
    void PostLinkEvent(int code);
    void SetStatistic(int index, int32_t value);
    void AddStatistic(int index);

private:
    CLayer1& m_layer1;
    CStatusQueue* m_statusQueue = nullptr;
    CLinkEventQueue* m_linkEventQueue = nullptr;
    CStatisticsCounters* m_statistics = nullptr;
};
