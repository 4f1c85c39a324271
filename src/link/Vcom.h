// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "link/CLinkEventQueue.h"
#include "link/CSession.h"
#include "link/CStatisticsCounters.h"
#include "link/CStatusQueue.h"
#include "link/CWakeEvent.h"
#include "link/VcomStatistics.h"

class CLayer1;
class CLayer2;
class CLayerFactory;

// Priority levels for the two threads, as the desktop program reads them from
// its system settings. An absent session value means one step above normal; an
// absent comm link value leaves that thread at the default.
struct VcomThreadPriorities {
    std::optional<int> session;
    std::optional<int> commLink;
};

// Owner of the link stack: a session over Layer 2 over Layer 1, run by a
// session thread (for the object's whole life) and a comm link thread (while
// connected). Callbacks come on the session thread and must not block.
//
// A subclass whose callbacks use its own members calls Shutdown() first in its
// destructor, so that no callback runs while it is being torn down.
//
// The session reaches it only as its CSession::Owner.
class Vcom : public CSession::Owner {
public:
    explicit Vcom(int maxMessageSize, const VcomThreadPriorities& priorities = {});
    Vcom(const Vcom&) = delete;
    Vcom& operator=(const Vcom&) = delete;
    virtual ~Vcom();

    virtual void OnReceive(int length);
    virtual void OnSent(int length);
    virtual void OnConnect();
    virtual int OnAccept(void* acceptedSocket);
    virtual void OnDisconnect();
    virtual void OnStatus(int code, int parameter);
    virtual void OnLinkEvent(int code);
    virtual std::string GetText();

    int Connect(int layer2Kind, const char* layer2Parameters, int layer1Kind,
                const char* layer1Parameters, void* extra = nullptr);
    int Disconnect();
    int Send(const uint8_t* bytes, int length);
    int Receive(uint8_t* buffer, int bufferSize, int& length);
    void GetStatistics(VcomStatistics& statistics) const;
    int GetQueueCounts(int& transmitCount, int& receiveCount);
    // Every message handed to Send went out and the far end confirmed it;
    // false while not connected.
    bool AllSentAcknowledged();

    // Stops both threads; called by the destructor, and by subclasses first
    // thing in theirs. Connect fails afterwards with -10020.
    void Shutdown();

    // The factory that builds the layers at Connect (port resolver, clock).
    CLayerFactory& LayerFactory() { return *m_factory; }
    void SetLayerFactory(std::unique_ptr<CLayerFactory> factory);
    void SetCommLinkThreadPriority(std::optional<int> level) { m_commLinkPriority = level; }

    bool IsConnected() const { return m_connected.load(); }
    int MaxMessageSize() const { return m_maxMessageSize; }

private:
    // CSession::Owner: the session's calls become the callbacks above.
    void LinkUp() override { OnConnect(); }
    void MessageReceived(int length) override { OnReceive(length); }
    void MessageSent(int length) override { OnSent(length); }
    void DropLink() override { Disconnect(); }
    void LinkDown() override { OnDisconnect(); }

    void SessionThread(std::optional<int> priority);
    void CommLinkThread(CLayer2* layer2, CLayer1* layer1, std::optional<int> priority);
    void StopCommLinkThread();
    void DestroyLayers();
    static void WaitForThreadEnd(std::thread& thread, const std::atomic<bool>& finished,
                                 const char* name);

    CWakeEvent m_wakeEvent;
    std::atomic<bool> m_sessionRunning{true};
    std::atomic<bool> m_commRunning{true};
    CStatusQueue m_statusQueue;
    CLinkEventQueue m_linkEventQueue;
    std::unique_ptr<CSession> m_session;
    // Layer pointers change only under the session lock; the comm link thread
    // is handed its own copies while it runs.
    std::unique_ptr<CLayer2> m_layer2;
    std::unique_ptr<CLayer1> m_layer1;
    std::atomic<bool> m_connected{false};
    std::recursive_mutex m_sessionLock;
    std::thread m_commLinkThread;
    std::atomic<bool> m_commLinkFinished{true};
    std::thread m_sessionThread;
    std::atomic<bool> m_sessionFinished{false};
    bool m_sessionThreadStarted = false;
    std::atomic<int> m_layer1Kind{-1};
    CStatisticsCounters m_statistics;
    const int m_maxMessageSize;
    int m_layer2Kind = 0;
    std::optional<int> m_commLinkPriority;
    std::unique_ptr<CLayerFactory> m_factory;
    std::once_flag m_shutdownOnce;
};
