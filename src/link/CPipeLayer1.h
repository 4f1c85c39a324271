// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "link/CLayer1.h"
#include "link/CStopSignal.h"

// Layer 1 kind 1: a named pipe between two programs, one the server that
// makes the pipe and one the client that opens it.
//
// Parameter text: "SERVER \\name" or "CLIENT \\name" ("%s %s"). A name that
// does not begin with two backslashes, or another first word, leaves the name
// empty and open fails.
//
// A connection thread, PipeConnectThread, waits for the other end in steps of
// 100 ms; until it is there, reads and writes do nothing. A read or write that
// fails (the other end went away) closes the pipe, reports status 0 and
// returns -1. Close asks the thread to stop and looks 10 times, 50 ms apart,
// whether it has. A std::thread cannot be forced to end, so instead every wait
// in the thread is bounded (100 ms at most) and it always ends within one step.
//
// On Windows it is a named pipe. The name as the system knows it
// (link/win32/PipePath.h): a name that already has the full form
// "\\server\pipe\rest" is used as it stands ("\\.\pipe\desk" is the local pipe
// "desk"; a client may name another computer's). Any other "\\name" is a pipe
// on this computer: "\\desk" becomes "\\.\pipe\desk", and "\\a\b" becomes
// "\\.\pipe\a\b" (a backslash is an ordinary character in a pipe's name).
// The server creates the pipe duplex, in byte mode, with up to 255 instances,
// a default time-out of 1000 ms, a security descriptor without an access
// list (anyone may open it) and an inheritable handle. Each server is one
// instance: a second server of the same name is a second instance, not a
// refusal, and each client is connected to one of the instances waiting. A
// server that closes disconnects its pipe, flushes and closes it.
//
// On Linux it is a Unix-domain stream socket in the user's runtime folder
// (link/posix/PipePath.h: $XDG_RUNTIME_DIR when it is the user's own with mode
// 0700, else /tmp/vcom-<uid> made so, and refused when it is not), named
// "vcom-pipe-" and the pipe name without its leading backslashes (other
// backslashes become '+', characters outside letters, digits, '.', '-' and
// '_' become %XX). The server holds an advisory lock on a ".lock" file beside
// it for as long as it is open: a second server of the same name is refused
// (open fails), while a socket file that nobody holds the lock for is one left
// behind and is replaced. The server serves one client: once it has it, it
// stops listening, and other clients keep trying until it closes.
class CPipeLayer1 : public CLayer1 {
public:
    enum class Role { kNone, kServer, kClient };

    struct Parameters {
        Role role = Role::kNone;
        std::string name;  // empty when the text is not usable
    };

    static Parameters ParseParameters(const char* text);

    explicit CPipeLayer1(const char* parameters);
    ~CPipeLayer1() override;

    int IsReady() override { return m_connected.load() ? 1 : 0; }
    int BaudRate() override { return 19200; }
    int FreeTransmitSpace() override { return 5000; }
    int BytesWaiting() override;
    int Open() override;
    int Close() override;
    int Write(const uint8_t* bytes, int count) override;
    int Read(uint8_t* buffer, int maximum) override;
    // On Windows looks at the bytes waiting, more often at first: a pipe has
    // nothing else to wait on without a read of its own in flight.
    void WaitReadable(int milliseconds) override;

    const Parameters& GetParameters() const { return m_parameters; }

private:
    // The pipe and what goes with it on this platform.
    struct PlatformState;

    void PipeConnectThread();
    // Starts, and stops within a bounded time, the connection thread
    // (CPipeLayer1.cpp, the same on every platform).
    bool StartConnectThread();
    void StopConnectThread();
    void ClosePipe();
    int Failed(const char* text);

    Parameters m_parameters;
    std::unique_ptr<PlatformState> m_os;
    std::atomic<bool> m_connected{false};

    CStopSignal m_stop;
    std::atomic<bool> m_threadFinished{true};
    std::thread m_connectThread;
};
