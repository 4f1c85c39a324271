#pragma once

#include <functional>
#include <string>

#include "link/CLayer1.h"
#include "link/SerialSettings.h"

// Maps a port number (n of COMn) to the device to open.
using PortResolver = std::function<std::string(int port)>;

// Layer 1 kind 0: a COM port through the Win32 communications calls, opened
// exclusively and without overlapped I/O. All five time-outs are zero, so a
// read asks only for the bytes the driver already holds and never waits; a
// write is one synchronous WriteFile. Parameter text: see SerialSettings.
//
// A COM port's driver refuses a second open by itself. Where the driver does
// not (wine maps COM ports to Unix devices and lets any number of handles
// share them), a named mutex per port still keeps a second Torvo program off
// a port that one of them holds.
class CSerialLayer1 : public CLayer1 {
public:
    // The driver's transmit and receive buffer size, asked for at open.
    static constexpr int kDriverBufferSize = 1024;
    using Settings = SerialSettings;
    // An open line as the system knows it (a HANDLE).
    using LineHandle = void*;

    static Settings ParseParameters(const char* parameters) {
        return SerialSettings::Parse(parameters);
    }
    // "\\.\COMn": the device name form that reaches every port number.
    static std::string DefaultDevicePath(int port);
    // A second handle to an open line, or null.
    static LineHandle DuplicateLine(LineHandle line);

    CSerialLayer1(const char* parameters, PortResolver resolver);
    // Uses a line that is already open and configured (the simulator's port,
    // handed to each new link); the layer takes the handle over and closes it.
    CSerialLayer1(const char* parameters, LineHandle adoptedLine);
    ~CSerialLayer1() override;

    int BaudRate() override { return m_settings.baudRate; }
    int FreeTransmitSpace() override;
    int BytesWaiting() override;
    int Open() override;
    int Close() override;
    int Write(const uint8_t* bytes, int count) override;
    int Read(uint8_t* buffer, int maximum) override;

    // True while the carrier detect line is raised; a port that cannot tell
    // counts it as present.
    bool CarrierDetect() const;
    // The open line (null when closed), for a holder that hands out copies.
    LineHandle Handle() const { return m_handle; }

    const Settings& GetSettings() const { return m_settings; }
    const std::string& DevicePath() const { return m_devicePath; }
    // Why the last Open failed, as a user reads it; empty when it did not.
    const std::string& OpenProblem() const { return m_openProblem; }
    bool IsOpen() const { return m_open; }

private:
    bool ConfigureLine();
    void CloseHandle();
    // Claims the port among Torvo's programs; false when one of them holds it.
    bool ClaimPort();
    // The driver's queue counts; false when the query fails.
    bool QueryQueues(unsigned long& inputQueue, unsigned long& outputQueue) const;

    Settings m_settings;
    PortResolver m_resolver;
    std::string m_devicePath;
    std::string m_openProblem;
    LineHandle m_handle = nullptr;
    LineHandle m_adoptedLine = nullptr;
    void* m_portClaim = nullptr;  // the named mutex that marks the port as ours
    bool m_open = false;
};
