#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <atomic>
#include <string>
#include <thread>

#include "link/CLayer1.h"
#include "link/CStopSignal.h"

// Layer 1 kind 1: a named pipe between two programs on this computer, one the
// server that makes the pipe and one the client that opens it.
//
// Parameter text: "SERVER \\name" or "CLIENT \\name" ("%s %s"). A name that
// does not begin with two backslashes, or another first word, leaves the name
// empty and open fails.
//
// On Linux a pipe is a Unix-domain stream socket in the user's runtime folder
// ($XDG_RUNTIME_DIR when it is the user's own with mode 0700, else
// /tmp/vcom-<uid> made so, and refused when it is not), named
// "vcom-pipe-" and the pipe name without its leading backslashes (other
// backslashes become '+', characters outside letters, digits, '.', '-' and
// '_' become %XX). The server holds an advisory lock on a ".lock" file beside
// it for as long as it is open: a second server of the same name is refused
// (open fails), while a socket file that nobody holds the lock for is one left
// behind and is replaced. The server serves one client: once it has it, it
// stops listening, and other clients keep trying until it closes.
//
// A connection thread waits for the other end in steps of 100 ms; until it is
// there, reads and writes do nothing. A read or write that fails (the other
// end went away) closes the pipe, reports status 0 and returns -1.
class CPipeLayer1 : public CLayer1 {
public:
    enum class Role { kNone, kServer, kClient };

    struct Parameters {
        Role role = Role::kNone;
        std::string name;  // empty when the text is not usable
    };

    static Parameters ParseParameters(const char* text);
    // A folder the socket files may go in: a directory (not a link to one)
    // of the user's own, with mode 0700.
    static bool IsPrivateFolder(const struct stat& status, uid_t user);
    // The socket file for a pipe name; empty when there is no private folder
    // for it or the path would be too long for a socket address.
    static std::string SocketPath(const std::string& pipeName);

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
    void WaitReadable(int milliseconds) override;

    const Parameters& GetParameters() const { return m_parameters; }

private:
    bool TakeServerLock();
    bool Listen();
    void PipeConnectThread();
    bool AcceptClient(bool& reportedPending);
    bool ConnectToServer();
    void SetConnected(int descriptor);
    // Starts, and stops within a bounded time, the connection thread
    // (CPipeLayer1.cpp, the same on every platform).
    bool StartConnectThread();
    void StopConnectThread();
    void ClosePipe();
    int Failed(const char* text);

    Parameters m_parameters;
    std::string m_path;
    int m_lockDescriptor = -1;
    int m_listener = -1;
    ino_t m_socketInode = 0;
    // Set by the connection thread before it sets m_connected; afterwards
    // used by the comm link thread only.
    int m_pipe = -1;
    std::atomic<bool> m_connected{false};

    CStopSignal m_stop;
    std::atomic<bool> m_threadFinished{true};
    std::thread m_connectThread;
};
