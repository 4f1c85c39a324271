// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Vcom.h"

#include <chrono>
#include <system_error>

#include "link/CLayer1.h"
#include "link/CLayer2.h"
#include "link/CLayerFactory.h"
#include "link/ThreadPriority.h"
#include "link/VcomCodes.h"
#include "link/VcomTrace.h"

namespace {

constexpr int kIdleWaitMs = 200;
constexpr int kPassSleepMs = 10;
constexpr int kCommWaitMs = 10;
constexpr int kBusyPassesBeforeSleep = 10;
constexpr int kDefaultSessionPriority = 1;
// Threads are given 80 x 50 ms to end; the wait checks often so that a
// disconnect does not cost a whole 50 ms step.
constexpr int kThreadEndBoundMs = 80 * 50;

void SleepMs(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

Vcom::Vcom(int maxMessageSize, const VcomThreadPriorities& priorities)
    : m_maxMessageSize(maxMessageSize),
      m_commLinkPriority(priorities.commLink),
      m_factory(std::make_unique<CLayerFactory>()) {
    m_session = std::make_unique<CSession>(*this, m_statusQueue, maxMessageSize);
    m_statusQueue.SetEvent(&m_wakeEvent);
    m_linkEventQueue.SetEvent(&m_wakeEvent);
    try {
        m_sessionThread = std::thread(&Vcom::SessionThread, this,
                                      priorities.session.value_or(kDefaultSessionPriority));
        m_sessionThreadStarted = true;
    } catch (const std::system_error&) {
        VcomTrace("(Vcom::Vcom)  error: the session thread could not be started\n");
    }
}

Vcom::~Vcom() {
    Shutdown();
}

void Vcom::Shutdown() {
    std::call_once(m_shutdownOnce, [this] {
        m_sessionRunning.store(false);
        Disconnect();
        m_wakeEvent.Pulse();
        if (!m_sessionThread.joinable()) {
            return;
        }
        if (m_sessionThread.get_id() == std::this_thread::get_id()) {
            // Called from a callback: the thread ends by itself after this pass.
            VcomTrace("(Vcom::Shutdown)  error: called on the session thread\n");
            m_sessionThread.detach();
            return;
        }
        WaitForThreadEnd(m_sessionThread, m_sessionFinished, "session");
    });
}

void Vcom::OnReceive(int) {}
void Vcom::OnSent(int) {}
void Vcom::OnConnect() {}
int Vcom::OnAccept(void*) {
    return 0;
}
void Vcom::OnDisconnect() {}
void Vcom::OnStatus(int, int) {}
void Vcom::OnLinkEvent(int) {}
std::string Vcom::GetText() {
    return {};
}

void Vcom::SetLayerFactory(std::unique_ptr<CLayerFactory> factory) {
    std::lock_guard sessionLock(m_sessionLock);
    m_factory = std::move(factory);
}

int Vcom::Connect(int layer2Kind, const char* layer2Parameters, int layer1Kind,
                  const char* layer1Parameters, void* extra) {
    std::lock_guard sessionLock(m_sessionLock);
    if (!m_sessionThreadStarted || !m_sessionRunning.load()) {
        return kVcomSessionNotRunning;
    }
    if (m_layer1) {
        return kVcomAlreadyConnected;
    }
    if (!m_session) {
        return kVcomNoSession;
    }

    m_session->Reset();
    m_layer2Kind = layer2Kind;
    m_layer1Kind.store(layer1Kind);

    try {
        m_layer1 = m_factory->CreateLayer1(layer1Kind, layer1Parameters, extra);
        if (!m_layer1) {
            m_statusQueue.Push(kStatusUnknownLayer1, 0);
            VcomTrace("(Vcom::Connect)  error: unknown Layer1\n");
            return kVcomUnknownLayer1;
        }
        if (const int constructed = m_layer1->ConstructionResult(); constructed != kVcomOk) {
            m_layer1.reset();
            return constructed;
        }
        m_layer1->SetQueues(&m_statusQueue, &m_linkEventQueue);
        // A socket handed over is connected already; a multicast member given
        // the extra argument is not opened either.
        const bool handedOver = extra != nullptr && (layer1Kind == CLayerFactory::kSocketLayer1 ||
                                                     layer1Kind == CLayerFactory::kMulticastLayer1);
        if (layer1Kind == CLayerFactory::kSocketLayer1 && extra == nullptr) {
            m_layer1->SetOwner(this);
        }
        if (!handedOver && m_layer1->Open() != 0) {
            m_layer1.reset();
            return kVcomLayer1OpenFailed;
        }

        m_layer2 = m_factory->CreateLayer2(layer2Kind, *m_layer1, layer2Parameters);
        if (!m_layer2) {
            m_statusQueue.Push(kStatusUnknownLayer2, 0);
            VcomTrace("(Vcom::Connect)  error: unknown Layer2\n");
            DestroyLayers();
            return kVcomUnknownLayer2;
        }
        m_layer2->SetQueues(&m_statusQueue, &m_linkEventQueue);
        m_layer2->SetStatistics(&m_statistics);
        m_session->SetLowerLayer(m_layer2.get());
        m_session->SetFragmentSize(m_layer2->MaxPayload());
        m_connected.store(true);
        m_wakeEvent.Pulse();
        if (m_layer1->OnlyAccepts()) {
            return kVcomOk;
        }

        m_commRunning.store(true);
        m_commLinkFinished.store(false);
        try {
            m_commLinkThread = std::thread(&Vcom::CommLinkThread, this, m_layer2.get(),
                                           m_layer1.get(), m_commLinkPriority);
        } catch (const std::system_error&) {
            m_commLinkFinished.store(true);
            m_session->SetLowerLayer(nullptr);
            m_connected.store(false);
            DestroyLayers();
            m_statusQueue.Push(kStatusCommThreadFailed, 0);
            return kVcomCommThreadFailed;
        }
        return kVcomOk;
    } catch (...) {
        m_session->SetLowerLayer(nullptr);
        m_connected.store(false);
        m_commRunning.store(false);
        StopCommLinkThread();
        DestroyLayers();
        return kVcomConnectException;
    }
}

int Vcom::Disconnect() {
    std::lock_guard sessionLock(m_sessionLock);
    m_session->SetLowerLayer(nullptr);
    m_connected.store(false);
    m_session->Reset();
    m_wakeEvent.Pulse();
    m_commRunning.store(false);

    int result = kVcomOk;
    try {
        StopCommLinkThread();
        DestroyLayers();
    } catch (...) {
        result = kVcomDisconnectException;
        m_layer2.reset();
        m_layer1.reset();
    }
    m_statistics.SetLinkState(0);
    m_statistics.Set(VcomStatistics::kFramesWaitingToSend, 0);
    m_statistics.Set(VcomStatistics::kFramesWaitingToDeliver, 0);
    return result;
}

void Vcom::DestroyLayers() {
    m_layer2.reset();
    if (m_layer1) {
        m_layer1->Close();
        m_layer1.reset();
    }
}

void Vcom::StopCommLinkThread() {
    if (m_commLinkThread.joinable()) {
        WaitForThreadEnd(m_commLinkThread, m_commLinkFinished, "comm link");
    }
}

void Vcom::WaitForThreadEnd(std::thread& thread, const std::atomic<bool>& finished,
                            const char* name) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kThreadEndBoundMs);
    while (!finished.load() && Clock::now() < deadline) {
        SleepMs(1);
    }
    if (!finished.load()) {
        // Threads are never killed: report the overrun and keep waiting.
        VcomTrace(std::string("(Vcom::WaitForThreadEnd)  error: the ") + name +
                  " thread did not end in time\n");
    }
    thread.join();
}

int Vcom::Send(const uint8_t* bytes, int length) {
    if (!m_session) {
        return kVcomNoSession;
    }
    if (!m_connected.load()) {
        return kVcomNotConnected;
    }
    if (length < 1) {
        return kVcomLengthTooSmall;
    }
    if (length > m_maxMessageSize) {
        return kVcomTooLong;
    }
    if (bytes == nullptr) {
        return kVcomBadBuffer;
    }
    if (!m_session->TransmitQueue().Push(bytes, length)) {
        return kVcomQueueFailed;
    }
    m_wakeEvent.Pulse();
    return kVcomOk;
}

int Vcom::Receive(uint8_t* buffer, int bufferSize, int& length) {
    length = 0;
    if (!m_session) {
        return kVcomNoSession;
    }
    if (!m_connected.load()) {
        return kVcomNotConnected;
    }
    if (buffer == nullptr || bufferSize < 1) {
        return kVcomBadBuffer;
    }
    CMsgQueue& queue = m_session->ReceiveQueue();
    const int headLength = queue.HeadLength();
    if (headLength < 1) {
        queue.RemoveHead();
        return kVcomNoMessage;
    }
    if (bufferSize < headLength) {
        return kVcomBufferTooSmall;
    }
    if (!queue.Pop(buffer, bufferSize, length)) {
        return kVcomNoMessage;  // emptied by a disconnect in the meantime
    }
    m_wakeEvent.Pulse();
    return kVcomOk;
}

void Vcom::GetStatistics(VcomStatistics& statistics) const {
    statistics = m_statistics.Snapshot();
}

int Vcom::GetQueueCounts(int& transmitCount, int& receiveCount) {
    if (!m_connected.load()) {
        return 0;
    }
    transmitCount = m_session->TransmitQueue().Count();
    receiveCount = m_session->ReceiveQueue().Count();
    return 1;
}

bool Vcom::AllSentAcknowledged() {
    std::lock_guard sessionLock(m_sessionLock);
    CLayer2* lower = m_session->LowerLayer();
    return lower != nullptr && !m_session->HoldsUnsentMessages() &&
           lower->UnacknowledgedFrames() == 0;
}

void Vcom::SessionThread(std::optional<int> priority) {
    NameCurrentThread("vcom-session");
    if (priority) {
        ApplyCurrentThreadPriority(*priority);
    }
    int idle = 0;
    int busyCount = 0;
    uint64_t seenGeneration = m_wakeEvent.Generation();
    while (m_sessionRunning.load()) {
        if (idle) {
            m_wakeEvent.WaitFor(kIdleWaitMs, seenGeneration);
            busyCount = 0;
        } else {
            bool linkDown = false;
            {
                std::lock_guard sessionLock(m_sessionLock);
                CLayer2* lower = m_session->LowerLayer();
                linkDown = lower != nullptr && !lower->IsLinkUp();
            }
            if (linkDown) {
                SleepMs(kPassSleepMs);
            }
        }
        if (!m_sessionRunning.load()) {
            break;
        }

        seenGeneration = m_wakeEvent.Generation();
        {
            std::lock_guard sessionLock(m_sessionLock);
            idle = 1;
            if (m_session->LowerLayer() != nullptr) {
                m_session->Step(idle);
            }
        }
        int code = 0;
        int parameter = 0;
        if (m_statusQueue.Pop(code, parameter)) {
            OnStatus(code, parameter);
            idle = 0;
        }
        if (m_linkEventQueue.Pop(code)) {
            OnLinkEvent(code);
            idle = 0;
        }
        if (!idle && ++busyCount > kBusyPassesBeforeSleep) {
            SleepMs(kPassSleepMs);
        }
    }
    m_sessionFinished.store(true);
}

void Vcom::CommLinkThread(CLayer2* layer2, CLayer1* layer1, std::optional<int> priority) {
    NameCurrentThread("vcom-comm");
    if (priority) {
        ApplyCurrentThreadPriority(*priority);
    }
    // A socket transport may need to accept its peer before it is ready.
    while (m_commRunning.load() && m_layer1Kind.load() == CLayerFactory::kSocketLayer1 &&
           !layer1->IsReady()) {
        SleepMs(kPassSleepMs);
    }
    int linkUp = layer2->IsLinkUp();
    while (m_commRunning.load()) {
        int rxPending = 0;
        int txPending = 0;
        layer2->Process(rxPending, txPending);
        if (rxPending) {
            m_session->ReceivePull();
            m_wakeEvent.Pulse();
        }
        // The session reports the link going up or down at once rather than
        // at its next idle wake-up; a reset layer reads nothing more and would
        // otherwise leave the line's bytes waiting until then.
        if (const int up = layer2->IsLinkUp(); up != linkUp) {
            linkUp = up;
            m_wakeEvent.Pulse();
        }
        if (layer1->BytesWaiting() > 0) {
            continue;
        }
        // Wait for the line instead of sleeping blindly: the timers advance by
        // measured time, so waking early on data only lowers the latency.
        layer1->WaitReadable(kCommWaitMs);
    }
    m_commLinkFinished.store(true);
}
