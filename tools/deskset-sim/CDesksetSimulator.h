// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "CDesksetResponder.h"
#include "DesksetSimOptions.h"
#include "link/SocketHandle.h"
#include "link/VcomStatistics.h"

class CDesksetLink;
class CLayer1;
class CLayerFactory;
class CNewPtyLine;
class CSerialLayer1;
class CSilentLine;

// A deskset stand-in on a serial line: answers the version and hardware
// requests, serves its database on a download and keeps an upload. It runs the
// link library's own stack and, while its link is down, waits for the
// computer's poll. After a link loss it listens again for the next connection,
// on the same open line. On its own pty the computer closing its port ends the
// link at once; where it cannot see that, a computer that connects again gets
// through all the same (the packet layer's "Passive" end).
class CDesksetSimulator {
public:
    explicit CDesksetSimulator(DesksetSimOptions options);
    CDesksetSimulator(const CDesksetSimulator&) = delete;
    CDesksetSimulator& operator=(const CDesksetSimulator&) = delete;
    ~CDesksetSimulator();

    // Creates a pseudo-terminal and serves on it; DevicePath() is then the
    // path for the computer to open.
    bool StartOnNewPty();
    // Serves on an existing serial device.
    bool StartOnDevice(const std::string& path);
    // Serves on a listening TCP socket, "[HOST:]PORT" (HOST 127.0.0.1 unless
    // given, PORT 0 for one the system picks); DevicePath() is then the
    // address listened on, "a.b.c.d:port".
    bool StartOnTcp(const std::string& address);
    // Serves over another line transport of the link library (the named
    // pipe, shared memory), given the deskset side's parameter text.
    bool StartOnTransport(int layer1Kind, const std::string& parameters);
    void Stop();

    const std::string& DevicePath() const { return m_devicePath; }
    const std::string& LastError() const { return m_lastError; }
    std::vector<uint8_t> Image() const;
    int CompletedUploads() const;
    int Downloads() const;
    bool IsListening() const;
    // The counters of the simulator's own link (link state, losses, ...).
    VcomStatistics LinkStatistics() const;
    // See CDesksetResponder::StopPartWay and AnswerAgain.
    void StopPartWay(int messages, int blocks);
    void AnswerAgain();

private:
    bool StartServing(std::unique_ptr<CLayerFactory> factory, std::unique_ptr<CLayer1> silentLine);
    bool ConnectLink();
    void Supervise();
    void OnLinkLost();
    void OnOutcomeSent();
    void HangUp();
    void SaveUpload(const std::vector<uint8_t>& image);
    std::string LayerOneParameters() const;
    bool OpenListener(const std::string& address);

    DesksetSimOptions m_options;
    mutable std::mutex m_responderMutex;
    CDesksetResponder m_responder;
    std::unique_ptr<CNewPtyLine> m_newPty;
    std::string m_devicePath;
    std::string m_layer1Parameters;  // of a transport other than a serial line or TCP
    std::string m_lastError;
    std::unique_ptr<CDesksetLink> m_link;
    std::unique_ptr<CSilentLine> m_silentLine;
    std::unique_ptr<CSerialLayer1> m_deviceLine;  // holds a serial device open across connections
    SocketHandle m_listener = kNoSocket;          // the listening socket, kept across connections
    int m_layer1Kind = 0;

    std::mutex m_superviseMutex;
    std::condition_variable m_superviseCondition;
    bool m_linkLost = false;
    bool m_hangUpRequested = false;
    bool m_stopping = false;
    std::thread m_supervisor;
};
