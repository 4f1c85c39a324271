// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "link/CLayer1.h"
#include "link/SerialSettings.h"

// An open serial line as the system knows it: a HANDLE on Windows, a
// descriptor elsewhere.
#ifdef _WIN32
using SerialLineHandle = void*;
#else
using SerialLineHandle = int;
#endif

// Maps a port number (n of COMn) to the device to open.
using PortResolver = std::function<std::string(int port)>;

// Layer 1 kind 0: a serial port. A read takes only the bytes the driver
// already holds and never waits for input. Parameter text: see SerialSettings.
//
// On Windows: a COM port through the Win32 communications calls, opened
// exclusively and without overlapped I/O. All five time-outs are zero, so a
// read never waits; a write is one synchronous WriteFile. A COM port's driver
// refuses a second open by itself. Where it does not (wine maps COM ports to
// Unix devices and lets any number of handles share them), a named mutex per
// port still keeps a second Torvo program off a port that one of them holds.
//
// On Linux: a tty through termios. Writes are synchronous but bounded in time,
// so that the comm link thread always ends when asked. What a tty cannot do
// like the desktop platform's serial driver:
//  - its buffers have fixed sizes (4096 bytes each way), so the 1024-byte
//    driver buffers exist only as the figure free transmit space counts from;
//  - there is no event mask to set or check: a read simply asks FIONREAD;
//  - line errors (framing, overrun, parity, break) are not queried or cleared:
//    the bytes arrive as the driver has them and the packet layer's check
//    rejects the frame;
//  - a line can hang up (a USB adapter pulled out, the far end of a pty
//    closed) or fail outright; a read then reports a line failure instead of
//    returning nothing for ever, and the waits sleep rather than spin;
//  - opening takes the port the way Linux serial programs do: a lock file,
//    an advisory lock and exclusive mode. A program that opens the port with
//    none of these cannot be detected;
//  - XON/XOFF limits have no termios counterpart (flow control is off anyway);
//  - one and a half stop bits do not exist; two are used.
class CSerialLayer1 : public CLayer1 {
public:
    // The driver's transmit and receive buffer size: asked for at open on
    // Windows, the figure free transmit space counts from on both.
    static constexpr int kDriverBufferSize = 1024;

    using Settings = SerialSettings;
    using LineHandle = SerialLineHandle;

    // What the far end hanging up means to a line (SetHangUp; a COM port under
    // Windows never reports it).
    enum class HangUp {
        LosesTheLine,     // a computer's port: status event and line lost
        AwaitsTheFarEnd,  // a listening end: a link that is up ends, the line stays for the next
                          // caller
    };

    static Settings ParseParameters(const char* parameters) {
        return SerialSettings::Parse(parameters);
    }
    // "\\.\COMn" on Windows, the device name form that reaches every port
    // number; "/dev/ttyS<n-1>" on Linux.
    static std::string DefaultDevicePath(int port);
    // A second handle to an open line, or null (on Linux a descriptor closed
    // on exec, or -1).
    static LineHandle DuplicateLine(LineHandle line);

    CSerialLayer1(const char* parameters, PortResolver resolver);
    // Uses a line that is already open (the simulator's port handed to each
    // new link, the master side of a pseudo-terminal); the layer takes it over
    // and closes it. Windows uses it as it is, configured by its holder; Linux
    // configures it but keeps the bytes waiting in it.
    CSerialLayer1(const char* parameters, LineHandle adoptedLine);
    ~CSerialLayer1() override;

    int BaudRate() override { return m_settings.baudRate; }
    int FreeTransmitSpace() override;
    int BytesWaiting() override;
    int Open() override;
    int Close() override;
    int Write(const uint8_t* bytes, int count) override;
    // Negative when the line hung up or failed (Linux).
    int Read(uint8_t* buffer, int maximum) override;
    // Waits on the line on Linux; on Windows simply sleeps.
    void WaitReadable(int milliseconds) override;

    // True while the carrier detect line is raised; a port that cannot tell
    // counts it as present (a pseudo-terminal has no modem lines: the query
    // fails there).
    bool CarrierDetect() const;
    // The open line (null when closed, -1 on Linux), for a holder that hands
    // out copies of it.
    LineHandle Handle() const;

    const Settings& GetSettings() const { return m_settings; }
    const std::string& DevicePath() const { return m_devicePath; }
    // Why the last Open failed, as a user reads it; empty when it did not.
    const std::string& OpenProblem() const { return m_openProblem; }
    bool IsOpen() const { return m_open; }

#ifndef _WIN32
    // The hang-up and the lock file are Linux's alone.
    void SetHangUp(HangUp meaning);
    // True when the far end has hung up: the other side of a pty was closed,
    // or the device went away.
    bool HasHungUp() const;
    // Where the port's lock file goes (the system's lock folder by default).
    void SetLockFolder(std::string folder);
#endif

private:
    // The open line and what goes with it on this platform.
    struct PlatformState;

    Settings m_settings;
    PortResolver m_resolver;
    std::string m_devicePath;
    std::string m_openProblem;
    bool m_open = false;
    std::unique_ptr<PlatformState> m_os;
};
