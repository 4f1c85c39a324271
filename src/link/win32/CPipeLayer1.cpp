// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CPipeLayer1.h"

#include <windows.h>

#include <algorithm>
#include <chrono>

#include "link/VcomTrace.h"
#include "link/win32/PipePath.h"

namespace {

constexpr int kConnectStepMs = 100;
constexpr DWORD kMaxInstances = PIPE_UNLIMITED_INSTANCES;  // 255
constexpr DWORD kDefaultTimeoutMs = 1000;
constexpr DWORD kBufferSize = 8192;
// A client waits this long at most for a free instance in each step.
constexpr DWORD kClientWaitMs = 50;
// A write waits this long at most for room in the pipe; a read of bytes that
// are already there completes at once, this is only its bound.
constexpr int kWriteTimeoutMs = 200;
constexpr int kReadTimeoutMs = 200;
// WaitReadable looks at the pipe this often, at first and at most.
constexpr auto kFirstLookStep = std::chrono::microseconds(50);
constexpr auto kLastLookStep = std::chrono::milliseconds(1);

HANDLE NewEvent() {
    return ::CreateEventA(nullptr, TRUE, FALSE, nullptr);  // manual reset
}

}  // namespace

struct CPipeLayer1::PlatformState {
    bool CreatePipe(const std::string& pipeName);
    // One step of each role; true once connected.
    bool ServeStep(CStopSignal& stop, bool& reportedPending);
    bool ConnectStep();
    // Waits for an overlapped transfer on the pipe at most the given time,
    // cancelling it after that; the bytes moved, or -1 when it failed.
    long FinishTransfer(OVERLAPPED& transfer, int milliseconds);

    std::string path;  // the pipe's name as the system knows it
    // The server's pipe from open to close; the client's once it has
    // connected. Set by the connection thread before it sets m_connected;
    // afterwards used by the comm link thread only.
    HANDLE pipe = nullptr;
    // Signalled when an overlapped transfer on the pipe completes.
    HANDLE transferEvent = nullptr;
};

CPipeLayer1::CPipeLayer1(const char* parameters)
    : m_parameters(ParseParameters(parameters)), m_os(std::make_unique<PlatformState>()) {}

CPipeLayer1::~CPipeLayer1() {
    Close();
}

int CPipeLayer1::Open() {
    if (m_parameters.name.empty()) {
        return -1;
    }
    Close();
    m_os->path = pipe_path::PipePath(m_parameters.name);
    m_os->transferEvent = NewEvent();
    if (m_os->transferEvent == nullptr ||
        (m_parameters.role == Role::kServer && !m_os->CreatePipe(m_parameters.name))) {
        Close();
        return -1;
    }
    if (!StartConnectThread()) {
        Close();
        return -1;
    }
    return 0;
}

bool CPipeLayer1::PlatformState::CreatePipe(const std::string& pipeName) {
    // No access list at all: everyone may open the pipe.
    SECURITY_DESCRIPTOR descriptor;
    if (!::InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !::SetSecurityDescriptorDacl(&descriptor, TRUE, nullptr, FALSE)) {
        return false;
    }
    SECURITY_ATTRIBUTES attributes{sizeof attributes, &descriptor, TRUE};  // inheritable
    const HANDLE created =
        ::CreateNamedPipeA(path.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                           PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT, kMaxInstances,
                           kBufferSize, kBufferSize, kDefaultTimeoutMs, &attributes);
    if (created == INVALID_HANDLE_VALUE) {
        VcomTrace("(CPipeLayer1::Open)  error: the pipe " + pipeName + " cannot be created\n");
        return false;
    }
    pipe = created;
    return true;
}

// Every wait in here is bounded (100 ms at most), so a stop request is seen
// within a step: a std::thread cannot be killed, and this one never has to be.
void CPipeLayer1::PipeConnectThread() {
    if (m_parameters.role == Role::kServer) {
        bool reportedPending = false;
        while (!m_stop.IsRequested()) {
            if (m_os->ServeStep(m_stop, reportedPending)) {
                m_connected.store(true);
                break;
            }
        }
    } else {
        while (!m_stop.IsRequested()) {
            if (m_os->ConnectStep()) {
                m_connected.store(true);
                break;
            }
            m_stop.WaitFor(kConnectStepMs);
        }
    }
    m_threadFinished.store(true);
}

bool CPipeLayer1::PlatformState::ServeStep(CStopSignal& stop, bool& reportedPending) {
    OVERLAPPED waiting{};
    waiting.hEvent = NewEvent();
    if (waiting.hEvent == nullptr) {
        stop.WaitFor(kConnectStepMs);
        return false;
    }
    bool connected = false;
    if (::ConnectNamedPipe(pipe, &waiting)) {
        connected = true;
    } else {
        switch (::GetLastError()) {
            case ERROR_PIPE_CONNECTED:  // the client came before the wait
                connected = true;
                break;
            case ERROR_IO_PENDING: {
                if (!reportedPending) {
                    VcomTrace("(Layer1) io pending PipeConnectThread\n");
                    reportedPending = true;
                }
                DWORD unused = 0;
                while (!stop.IsRequested()) {
                    if (::WaitForSingleObject(waiting.hEvent, kConnectStepMs) == WAIT_OBJECT_0) {
                        connected = ::GetOverlappedResult(pipe, &waiting, &unused, FALSE);
                        break;
                    }
                }
                if (!connected) {
                    // Told to stop, or the wait failed: the wait must be over
                    // before its OVERLAPPED goes.
                    ::CancelIoEx(pipe, &waiting);
                    ::GetOverlappedResult(pipe, &waiting, &unused, TRUE);
                }
                break;
            }
            case ERROR_NO_DATA:  // a client came and went already
                ::DisconnectNamedPipe(pipe);
                stop.WaitFor(kConnectStepMs);
                break;
            default:
                stop.WaitFor(kConnectStepMs);
                break;
        }
    }
    ::CloseHandle(waiting.hEvent);
    if (connected) {
        VcomTrace("(Layer1) pipe is connected\n");
    }
    return connected;
}

bool CPipeLayer1::PlatformState::ConnectStep() {
    // Returns at once when there is no such pipe; otherwise waits a little
    // for an instance that is free.
    if (!::WaitNamedPipeA(path.c_str(), kClientWaitMs)) {
        return false;
    }
    const HANDLE client = ::CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
    if (client == INVALID_HANDLE_VALUE) {
        return false;  // another client took the instance first
    }
    pipe = client;
    return true;
}

void CPipeLayer1::ClosePipe() {
    m_connected.store(false);
    HANDLE& pipe = m_os->pipe;
    if (pipe == nullptr) {
        return;
    }
    if (m_parameters.role == Role::kServer) {
        // After the disconnect there is nothing left to flush and the flush
        // returns at once. A client's flush would wait until the server had
        // read everything, which it may never do: a client just closes.
        ::DisconnectNamedPipe(pipe);
        ::FlushFileBuffers(pipe);
    }
    ::CloseHandle(pipe);
    pipe = nullptr;
}

int CPipeLayer1::Close() {
    StopConnectThread();
    ClosePipe();
    if (m_os->transferEvent != nullptr) {
        ::CloseHandle(m_os->transferEvent);
        m_os->transferEvent = nullptr;
    }
    return 0;
}

long CPipeLayer1::PlatformState::FinishTransfer(OVERLAPPED& transfer, int milliseconds) {
    if (::WaitForSingleObject(transfer.hEvent, static_cast<DWORD>(milliseconds)) != WAIT_OBJECT_0) {
        ::CancelIoEx(pipe, &transfer);
    }
    DWORD moved = 0;
    if (::GetOverlappedResult(pipe, &transfer, &moved, TRUE)) {
        return static_cast<long>(moved);
    }
    // Cut short by the cancel: what went through still counts.
    return ::GetLastError() == ERROR_OPERATION_ABORTED ? static_cast<long>(moved) : -1;
}

int CPipeLayer1::BytesWaiting() {
    if (!m_connected.load()) {
        return 0;
    }
    DWORD waiting = 0;
    if (!::PeekNamedPipe(m_os->pipe, nullptr, 0, nullptr, &waiting, nullptr)) {
        return 0;
    }
    return static_cast<int>(std::min<DWORD>(waiting, 0x7FFFFFFF));
}

int CPipeLayer1::Read(uint8_t* buffer, int maximum) {
    if (!m_connected.load() || maximum < 1) {
        return 0;
    }
    DWORD waiting = 0;
    if (!::PeekNamedPipe(m_os->pipe, nullptr, 0, nullptr, &waiting, nullptr)) {
        // Nothing more will come: the other end closed the pipe or it failed.
        return Failed("(CPipeLayer1::Read)  error: the pipe is broken\n");
    }
    if (waiting == 0) {
        return 0;
    }
    const DWORD wanted = std::min<DWORD>(waiting, static_cast<DWORD>(maximum));
    OVERLAPPED transfer{};
    transfer.hEvent = m_os->transferEvent;
    ::ResetEvent(m_os->transferEvent);
    DWORD got = 0;
    if (::ReadFile(m_os->pipe, buffer, wanted, &got, &transfer)) {
        return static_cast<int>(got);
    }
    const long result =
        ::GetLastError() == ERROR_IO_PENDING ? m_os->FinishTransfer(transfer, kReadTimeoutMs) : -1;
    if (result < 0) {
        return Failed("(CPipeLayer1::Read)  error: the pipe is broken\n");
    }
    return static_cast<int>(result);
}

int CPipeLayer1::Write(const uint8_t* bytes, int count) {
    if (!m_connected.load() || count < 1) {
        return 0;
    }
    OVERLAPPED transfer{};
    transfer.hEvent = m_os->transferEvent;
    ::ResetEvent(m_os->transferEvent);
    DWORD written = 0;
    if (::WriteFile(m_os->pipe, bytes, static_cast<DWORD>(count), &written, &transfer)) {
        return static_cast<int>(written);
    }
    // The other end is not reading: wait a little for room, then give up on
    // the rest as a serial line would.
    const long result =
        ::GetLastError() == ERROR_IO_PENDING ? m_os->FinishTransfer(transfer, kWriteTimeoutMs) : -1;
    if (result < 0) {
        return Failed("(CPipeLayer1::Write)  error: the pipe is broken\n");
    }
    return static_cast<int>(result);
}

void CPipeLayer1::WaitReadable(int milliseconds) {
    if (!m_connected.load()) {
        CLayer1::WaitReadable(milliseconds);
        return;
    }
    // A pipe whose other end went away reports at once; the next read then
    // finds it broken and closes it.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    std::chrono::microseconds step = kFirstLookStep;
    while (std::chrono::steady_clock::now() < deadline) {
        DWORD waiting = 0;
        if (!::PeekNamedPipe(m_os->pipe, nullptr, 0, nullptr, &waiting, nullptr) || waiting > 0) {
            return;
        }
        std::this_thread::sleep_for(step);
        step = std::min<std::chrono::microseconds>(step * 2, kLastLookStep);
    }
}
