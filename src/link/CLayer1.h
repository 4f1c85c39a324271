// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>

class CStatusQueue;
class CLinkEventQueue;
class Vcom;

// The byte transport under Layer 2. The comm link thread reads, writes and asks
// for the bytes waiting; open runs on the thread that connects and close on the
// one that disconnects, after the comm link thread has ended.
class CLayer1 {
public:
    CLayer1() = default;
    CLayer1(const CLayer1&) = delete;
    CLayer1& operator=(const CLayer1&) = delete;
    virtual ~CLayer1();

    virtual int IsReady() { return 1; }
    virtual int BaudRate() = 0;
    virtual int FreeTransmitSpace() = 0;
    virtual int BytesWaiting() = 0;
    virtual int Open() = 0;  // 0 on success
    virtual int Close() = 0;
    virtual int Write(const uint8_t* bytes, int count) = 0;
    virtual int Read(uint8_t* buffer, int maximum) = 0;  // negative on line failure
    // Waits until bytes can be read, at most the given time. The default
    // simply sleeps; a transport with something to wait on does better.
    virtual void WaitReadable(int milliseconds);

    // Non-zero when the parameter text could not be used; Connect returns it.
    virtual int ConstructionResult() const { return 0; }
    // The owner to hand accepted connections to (a concurrent socket server).
    virtual void SetOwner(Vcom*) {}
    // True for a transport that only accepts connections for its owner and
    // carries no link of its own: no comm link thread runs over it.
    virtual bool OnlyAccepts() const { return false; }
    // True for a transport that carries messages rather than a byte stream:
    // each read hands out at most what one write at the far end sent, and a
    // read shorter than that message loses its rest.
    virtual bool CarriesMessages() const { return false; }

    // A transport that contains another passes the queues on to it.
    virtual void SetQueues(CStatusQueue* statusQueue, CLinkEventQueue* linkEventQueue);
    void PostStatus(int code, int parameter);
    void PostLinkEvent(int code);

    bool IsLineLost() const { return m_lineLost.load(); }
    void SetLineLost() { m_lineLost.store(true); }
    bool IsLossHandled() const { return m_lossHandled; }
    void SetLossHandled() { m_lossHandled = true; }

private:
    CStatusQueue* m_statusQueue = nullptr;
    CLinkEventQueue* m_linkEventQueue = nullptr;
    std::atomic<bool> m_lineLost{false};
    bool m_lossHandled = false;  // session thread only
};
