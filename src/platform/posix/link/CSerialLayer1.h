#pragma once

#include <functional>
#include <string>

#include "link/CLayer1.h"
#include "link/SerialSettings.h"
#include "link/posix/CSerialPortLock.h"

// Maps a port number (n of COMn) to the device to open.
using PortResolver = std::function<std::string(int port)>;

// Layer 1 kind 0: a serial port through termios. Reads only what the driver
// already holds and never waits for input; writes are synchronous but bounded
// in time so that the comm link thread always ends when asked. Parameter text:
// see SerialSettings.
//
// What a Linux tty cannot do like the desktop platform's serial driver:
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
    // The transmit and receive buffer size the link expects of the driver.
    static constexpr int kDriverBufferSize = 1024;

    using Settings = SerialSettings;
    // An open line as the system knows it (a descriptor).
    using LineHandle = int;

    // What the far end hanging up means to this line.
    enum class HangUp {
        LosesTheLine,     // a computer's port: status event and line lost
        AwaitsTheFarEnd,  // a listening end: a link that is up ends, the line stays for the next
                          // caller
    };

    static Settings ParseParameters(const char* parameters) {
        return SerialSettings::Parse(parameters);
    }
    static std::string DefaultDevicePath(int port);  // "/dev/ttyS<n-1>"
    // A second descriptor of an open line (close-on-exec), or -1.
    static LineHandle DuplicateLine(LineHandle line);

    CSerialLayer1(const char* parameters, PortResolver resolver);
    // Uses a descriptor that is already open (for instance the master side of
    // a pseudo-terminal); the layer takes it over and closes it.
    CSerialLayer1(const char* parameters, int adoptedDescriptor);
    ~CSerialLayer1() override;

    int BaudRate() override { return m_settings.baudRate; }
    int FreeTransmitSpace() override;
    int BytesWaiting() override;
    int Open() override;
    int Close() override;
    int Write(const uint8_t* bytes, int count) override;
    // Negative when the line hung up or failed.
    int Read(uint8_t* buffer, int maximum) override;
    void WaitReadable(int milliseconds) override;

    // True when the far end has hung up: the other side of a pty was closed,
    // or the device went away.
    bool HasHungUp() const;
    // True while the carrier detect line is raised. A pseudo-terminal has no
    // modem lines: the query fails there and the carrier counts as present.
    bool CarrierDetect() const;
    void SetHangUp(HangUp meaning) { m_hangUp = meaning; }
    // Where the port's lock file goes (the system's lock folder by default).
    void SetLockFolder(std::string folder) { m_portLock.SetFolder(std::move(folder)); }
    // The open line (-1 when closed), for a holder that hands out copies of it.
    LineHandle Handle() const { return m_descriptor; }

    const Settings& GetSettings() const { return m_settings; }
    const std::string& DevicePath() const { return m_devicePath; }
    // Why the last Open failed, as a user reads it; empty when it did not.
    const std::string& OpenProblem() const { return m_openProblem; }
    bool IsOpen() const { return m_open; }

private:
    int OpenDevice();
    bool ConfigureLine();
    void ReleaseDescriptor();
    // Reports a hung-up or failed line once; returns the read's result.
    int LineFailed(int error);

    Settings m_settings;
    PortResolver m_resolver;
    std::string m_devicePath;
    std::string m_openProblem;
    int m_descriptor = -1;
    int m_adoptedDescriptor = -1;
    bool m_exclusive = false;
    bool m_adopted = false;  // the line was open before; its bytes are not ours to drop
    bool m_open = false;
    HangUp m_hangUp = HangUp::LosesTheLine;
    bool m_failureReported = false;
    CSerialPortLock m_portLock;
};
