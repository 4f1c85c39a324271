#pragma once

#include <atomic>
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
// The name as the system knows it: a name that already has the full form
// "\\server\pipe\rest" is used as it stands ("\\.\pipe\desk" is the local pipe
// "desk"; a client may name another computer's). Any other "\\name" is a pipe
// on this computer: "\\desk" becomes "\\.\pipe\desk", and "\\a\b" becomes
// "\\.\pipe\a\b" (a backslash is an ordinary character in a pipe's name).
//
// The server creates the pipe duplex, in byte mode, with up to 255 instances,
// a default time-out of 1000 ms, a security descriptor without an access
// list (anyone may open it) and an inheritable handle. Each server is one
// instance: a second server of the same name is a second instance, not a
// refusal, and each client is connected to one of the instances waiting.
//
// A connection thread, PipeConnectThread, waits for the other end in steps of
// 100 ms; until it is there, reads and writes do nothing. A read or write that
// fails (the other end went away) closes the pipe, reports status 0 and
// returns -1.
//
// Close asks the thread to stop and looks 10 times, 50 ms apart, whether it
// has. A std::thread cannot be forced to end, so instead every wait in the
// thread is bounded (100 ms at most) and it always ends within one step; a
// server then disconnects its pipe, flushes and closes it.
class CPipeLayer1 : public CLayer1 {
public:
    enum class Role { kNone, kServer, kClient };

    struct Parameters {
        Role role = Role::kNone;
        std::string name;  // empty when the text is not usable
    };

    static Parameters ParseParameters(const char* text);
    // The pipe's name as CreateNamedPipe and CreateFile take it (see above);
    // empty for an empty name.
    static std::string PipePath(const std::string& pipeName);

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
    // Looks at the bytes waiting, more often at first: a pipe has nothing
    // else to wait on without a read of its own in flight.
    void WaitReadable(int milliseconds) override;

    const Parameters& GetParameters() const { return m_parameters; }

private:
    using Handle = void*;  // a HANDLE

    bool CreatePipe();
    void PipeConnectThread();
    // One step of each role; true once connected.
    bool ServeStep(bool& reportedPending);
    bool ConnectStep();
    // Starts, and stops within a bounded time, the connection thread
    // (CPipeLayer1.cpp, the same on every platform).
    bool StartConnectThread();
    void StopConnectThread();
    void ClosePipe();
    int Failed(const char* text);
    // Waits for an overlapped transfer on the pipe at most the given time,
    // cancelling it after that; the bytes moved, or -1 when it failed.
    long FinishTransfer(void* overlapped, int milliseconds);

    Parameters m_parameters;
    std::string m_path;
    // The server's pipe from open to close; the client's once it has
    // connected. Set by the connection thread before it sets m_connected;
    // afterwards used by the comm link thread only.
    Handle m_pipe = nullptr;
    // Signalled when an overlapped transfer on the pipe completes.
    Handle m_transferEvent = nullptr;
    std::atomic<bool> m_connected{false};

    CStopSignal m_stop;
    std::atomic<bool> m_threadFinished{true};
    std::thread m_connectThread;
};
