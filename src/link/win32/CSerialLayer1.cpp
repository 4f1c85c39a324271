// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CSerialLayer1.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <system_error>
#include <utility>

#include "link/LineProblems.h"
#include "link/VcomCodes.h"

namespace {

// Receive-character, break and line-error events.
constexpr DWORD kEventMask = EV_RXCHAR | EV_BREAK | EV_ERR;
constexpr DWORD kPurgeBoth = PURGE_TXCLEAR | PURGE_RXCLEAR;
constexpr int kXonXoffLimit = 100;
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;

enum FlowControlBit { kDsrDtr = 1, kCtsRts = 2, kXonXoff = 4 };

std::string OpenErrorText(const std::string& device, DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return line_problems::NoSuchDevice(device);
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return line_problems::InUse(device, 0);  // a COM port open elsewhere says "denied"
        default:
            return line_problems::Failed(device, std::system_category().message(error));
    }
}

}  // namespace

struct CSerialLayer1::PlatformState {
    bool ConfigureLine(const Settings& settings);
    void CloseHandle();
    // Claims the port among Torvo's programs; false when one of them holds it.
    bool ClaimPort(const std::string& devicePath);
    // The driver's queue counts; false when the query fails.
    bool QueryQueues(unsigned long& inputQueue, unsigned long& outputQueue) const;

    HANDLE handle = nullptr;
    HANDLE adoptedLine = nullptr;
    HANDLE portClaim = nullptr;  // the named mutex that marks the port as ours
};

std::string CSerialLayer1::DefaultDevicePath(int port) {
    return "\\\\.\\COM" + std::to_string(port);
}

CSerialLayer1::LineHandle CSerialLayer1::DuplicateLine(LineHandle line) {
    HANDLE copy = nullptr;
    const HANDLE process = ::GetCurrentProcess();
    if (!::DuplicateHandle(process, line, process, &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        return nullptr;
    }
    return copy;
}

CSerialLayer1::CSerialLayer1(const char* parameters, PortResolver resolver)
    : m_settings(ParseParameters(parameters)),
      m_resolver(std::move(resolver)),
      m_os(std::make_unique<PlatformState>()) {}

CSerialLayer1::CSerialLayer1(const char* parameters, LineHandle adoptedLine)
    : m_settings(ParseParameters(parameters)), m_os(std::make_unique<PlatformState>()) {
    m_os->adoptedLine = adoptedLine;
}

CSerialLayer1::~CSerialLayer1() {
    Close();
    if (m_os->adoptedLine != nullptr) {
        ::CloseHandle(m_os->adoptedLine);
    }
}

int CSerialLayer1::Open() {
    if (m_open) {
        return -1;
    }
    if (m_os->adoptedLine != nullptr) {
        // Already configured by its holder; what it has received is ours.
        m_os->handle = std::exchange(m_os->adoptedLine, nullptr);
        m_devicePath.clear();
        m_open = true;
        return 0;
    }
    m_openProblem.clear();
    m_devicePath = m_resolver ? m_resolver(m_settings.port) : DefaultDevicePath(m_settings.port);
    const HANDLE handle = ::CreateFileA(m_devicePath.c_str(), GENERIC_READ | GENERIC_WRITE,
                                        0,  // no sharing: the port is ours alone
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        m_openProblem = OpenErrorText(m_devicePath, ::GetLastError());
        PostStatus(kStatusSerialOpenFailed, 0);
        return -1;
    }
    m_os->handle = handle;
    if (!m_os->ClaimPort(m_devicePath)) {
        m_openProblem = line_problems::InUse(m_devicePath, 0);
        m_os->CloseHandle();
        PostStatus(kStatusSerialOpenFailed, 0);
        return -1;
    }
    COMMTIMEOUTS noTimeouts{};
    ::SetCommMask(handle, kEventMask);
    ::SetupComm(handle, kDriverBufferSize, kDriverBufferSize);
    ::SetCommTimeouts(handle, &noTimeouts);
    ::PurgeComm(handle, kPurgeBoth);
    if (!m_os->ConfigureLine(m_settings)) {
        m_os->CloseHandle();
        return -1;
    }
    m_open = true;
    return 0;
}

bool CSerialLayer1::PlatformState::ConfigureLine(const Settings& settings) {
    DCB line{};
    line.DCBlength = sizeof line;
    if (!::GetCommState(handle, &line)) {
        return false;
    }
    const int flow = settings.flowControl;
    line.BaudRate = static_cast<DWORD>(settings.baudRate);
    line.ByteSize = static_cast<BYTE>(settings.dataBits);
    line.Parity = static_cast<BYTE>(settings.parity);
    line.StopBits = static_cast<BYTE>(settings.stopBits);
    line.fBinary = TRUE;
    line.fParity = TRUE;
    line.fOutxDsrFlow = (flow & kDsrDtr) != 0;
    line.fDtrControl = (flow & kDsrDtr) != 0 ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_ENABLE;
    line.fOutxCtsFlow = (flow & kCtsRts) != 0;
    line.fRtsControl = (flow & kCtsRts) != 0 ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    line.fDsrSensitivity = FALSE;
    line.fOutX = (flow & kXonXoff) != 0;
    line.fInX = (flow & kXonXoff) != 0;
    line.fErrorChar = FALSE;
    line.fNull = FALSE;
    line.fAbortOnError = FALSE;
    line.XonLim = kXonXoffLimit;
    line.XoffLim = kXonXoffLimit;
    line.XonChar = kXon;
    line.XoffChar = kXoff;
    return ::SetCommState(handle, &line) != 0;
}

int CSerialLayer1::Close() {
    m_os->CloseHandle();
    m_open = false;
    return 0;
}

CSerialLayer1::LineHandle CSerialLayer1::Handle() const {
    return m_os->handle;
}

void CSerialLayer1::PlatformState::CloseHandle() {
    if (handle != nullptr) {
        ::CloseHandle(handle);
        handle = nullptr;
    }
    if (portClaim != nullptr) {
        ::CloseHandle(portClaim);
        portClaim = nullptr;
    }
}

bool CSerialLayer1::PlatformState::ClaimPort(const std::string& devicePath) {
    // "\\.\com3" and "COM3" are one port.
    const std::string longForm = "\\\\.\\";
    std::string port =
        devicePath.starts_with(longForm) ? devicePath.substr(longForm.size()) : devicePath;
    std::transform(port.begin(), port.end(), port.begin(),
                   [](unsigned char c) { return c == '\\' ? '+' : std::toupper(c); });
    const std::string name = "Local\\vcom-port-" + port;
    portClaim = ::CreateMutexA(nullptr, FALSE, name.c_str());
    return portClaim != nullptr && ::GetLastError() != ERROR_ALREADY_EXISTS;
}

bool CSerialLayer1::PlatformState::QueryQueues(unsigned long& inputQueue,
                                               unsigned long& outputQueue) const {
    DWORD errors = 0;
    COMSTAT status{};
    // Also clears a pending line error (framing, overrun, parity, break): the
    // bytes it spoilt reach the packet layer, whose check refuses the frame.
    if (!::ClearCommError(handle, &errors, &status)) {
        return false;
    }
    inputQueue = status.cbInQue;
    outputQueue = status.cbOutQue;
    return true;
}

int CSerialLayer1::FreeTransmitSpace() {
    unsigned long input = 0;
    unsigned long output = 0;
    if (m_os->handle == nullptr || !m_os->QueryQueues(input, output)) {
        return 0;
    }
    return std::max(0, kDriverBufferSize - static_cast<int>(output));
}

int CSerialLayer1::BytesWaiting() {
    unsigned long input = 0;
    unsigned long output = 0;
    if (m_os->handle == nullptr || !m_os->QueryQueues(input, output)) {
        return 0;
    }
    return static_cast<int>(input);
}

int CSerialLayer1::Write(const uint8_t* bytes, int count) {
    if (m_os->handle == nullptr || count <= 0) {
        return 0;
    }
    DWORD written = 0;
    ::WriteFile(m_os->handle, bytes, static_cast<DWORD>(count), &written, nullptr);
    return static_cast<int>(written);
}

int CSerialLayer1::Read(uint8_t* buffer, int maximum) {
    DWORD mask = 0;
    if (m_os->handle == nullptr || !::GetCommMask(m_os->handle, &mask) || (mask & EV_RXCHAR) == 0) {
        return 0;
    }
    unsigned long input = 0;
    unsigned long output = 0;
    if (!m_os->QueryQueues(input, output)) {
        return 0;
    }
    const DWORD wanted = std::min<DWORD>(input, static_cast<DWORD>(std::max(0, maximum)));
    DWORD read = 0;
    if (wanted > 0) {
        ::ReadFile(m_os->handle, buffer, wanted, &read, nullptr);
    }
    return static_cast<int>(read);
}

bool CSerialLayer1::CarrierDetect() const {
    DWORD status = 0;
    if (m_os->handle == nullptr || !::GetCommModemStatus(m_os->handle, &status)) {
        return true;
    }
    return (status & MS_RLSD_ON) != 0;
}

void CSerialLayer1::WaitReadable(int milliseconds) {
    // Simply sleeps, as a layer with nothing to wait on does.
    CLayer1::WaitReadable(milliseconds);
}
