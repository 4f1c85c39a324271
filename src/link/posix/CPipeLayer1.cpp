// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CPipeLayer1.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "link/VcomTrace.h"
#include "link/posix/PipePath.h"

namespace {

constexpr int kConnectStepMs = 100;
// A write waits this long at most for room in the socket's buffer.
constexpr int kWriteTimeoutMs = 200;

sockaddr_un SocketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

int NewSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

// A connection to the server at the path, or -1.
int ConnectToServer(const std::string& path) {
    const int descriptor = NewSocket();
    if (descriptor < 0) {
        return -1;
    }
    const sockaddr_un address = SocketAddress(path);
    if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(descriptor);  // no server yet, or it is busy with another client
        return -1;
    }
    return descriptor;
}

}  // namespace

struct CPipeLayer1::PlatformState {
    bool TakeServerLock(const std::string& pipeName);
    bool Listen();
    // The client taken from the listener, or -1.
    int AcceptClient(bool& reportedPending);

    std::string path;  // the socket file
    int lockDescriptor = -1;
    int listener = -1;
    ino_t socketInode = 0;
    // Set by the connection thread before it sets m_connected; afterwards
    // used by the comm link thread only.
    int pipe = -1;
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
    m_os->path = pipe_path::SocketPath(m_parameters.name);
    if (m_os->path.empty()) {
        return -1;
    }
    if (m_parameters.role == Role::kServer &&
        (!m_os->TakeServerLock(m_parameters.name) || !m_os->Listen())) {
        Close();
        return -1;
    }
    if (!StartConnectThread()) {
        Close();
        return -1;
    }
    return 0;
}

bool CPipeLayer1::PlatformState::TakeServerLock(const std::string& pipeName) {
    const std::string lockPath = path + ".lock";
    // Retried when the lock file was replaced between opening and locking it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int descriptor = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (descriptor < 0) {
            return false;
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            ::close(descriptor);
            VcomTrace("(CPipeLayer1::Open)  error: the pipe " + pipeName +
                      " has a server already\n");
            return false;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(descriptor, &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 &&
            held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
            lockDescriptor = descriptor;
            return true;
        }
        ::close(descriptor);
    }
    return false;
}

bool CPipeLayer1::PlatformState::Listen() {
    // Holding the lock, any socket file of this name is a stale one.
    ::unlink(path.c_str());
    listener = NewSocket();
    const sockaddr_un address = SocketAddress(path);
    if (listener < 0 ||
        ::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener, 1) != 0) {
        return false;
    }
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0) {
        socketInode = status.st_ino;
    }
    return true;
}

void CPipeLayer1::PipeConnectThread() {
    bool reportedPending = false;
    while (!m_stop.IsRequested()) {
        const bool server = m_parameters.role == Role::kServer;
        const int descriptor =
            server ? m_os->AcceptClient(reportedPending) : ConnectToServer(m_os->path);
        if (descriptor >= 0) {
            m_os->pipe = descriptor;
            m_connected.store(true);
            break;
        }
        if (server) {
            // Waits for a caller in steps of 100 ms.
            pollfd entry{m_os->listener, POLLIN, 0};
            (void)::poll(&entry, 1, kConnectStepMs);
        } else {
            m_stop.WaitFor(kConnectStepMs);
        }
    }
    m_threadFinished.store(true);
}

int CPipeLayer1::PlatformState::AcceptClient(bool& reportedPending) {
    const int descriptor = ::accept4(listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (descriptor < 0) {
        if (!reportedPending) {
            VcomTrace("(Layer1) io pending PipeConnectThread\n");
            reportedPending = true;
        }
        return -1;
    }
    // One client per server: later callers are refused until this one is gone.
    ::close(listener);
    listener = -1;
    VcomTrace("(Layer1) pipe is connected\n");
    return descriptor;
}

void CPipeLayer1::ClosePipe() {
    m_connected.store(false);
    if (m_os->pipe >= 0) {
        ::shutdown(m_os->pipe, SHUT_RDWR);
        ::close(m_os->pipe);
        m_os->pipe = -1;
    }
}

int CPipeLayer1::Close() {
    StopConnectThread();
    ClosePipe();
    PlatformState& os = *m_os;
    if (os.listener >= 0) {
        ::close(os.listener);
        os.listener = -1;
    }
    if (os.lockDescriptor >= 0) {
        // Only the socket file this server made: a stale one it replaced is gone.
        struct stat status {};
        if (::stat(os.path.c_str(), &status) == 0 && status.st_ino == os.socketInode) {
            ::unlink(os.path.c_str());
        }
        ::unlink((os.path + ".lock").c_str());
        ::close(os.lockDescriptor);
        os.lockDescriptor = -1;
    }
    os.socketInode = 0;
    return 0;
}

int CPipeLayer1::BytesWaiting() {
    if (!m_connected.load()) {
        return 0;
    }
    int waiting = 0;
    return ::ioctl(m_os->pipe, FIONREAD, &waiting) == 0 ? waiting : 0;
}

int CPipeLayer1::Read(uint8_t* buffer, int maximum) {
    if (!m_connected.load() || maximum < 1) {
        return 0;
    }
    const ssize_t result = ::recv(m_os->pipe, buffer, static_cast<size_t>(maximum), MSG_DONTWAIT);
    if (result > 0) {
        return static_cast<int>(result);
    }
    if (result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) {
        return 0;
    }
    // Nothing more will come: the other end closed the pipe or it failed.
    return Failed("(CPipeLayer1::Read)  error: the pipe is broken\n");
}

int CPipeLayer1::Write(const uint8_t* bytes, int count) {
    if (!m_connected.load()) {
        return 0;
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    int written = 0;
    while (written < count) {
        const ssize_t result =
            ::send(m_os->pipe, bytes + written, static_cast<size_t>(count - written),
                   MSG_DONTWAIT | MSG_NOSIGNAL);
        if (result >= 0) {
            written += static_cast<int>(result);
            continue;
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno != EAGAIN && errno != EWOULDBLOCK) {
            return Failed("(CPipeLayer1::Write)  error: the pipe is broken\n");
        }
        // The other end is not reading: wait a little for room, then give up
        // on the rest as a serial line would.
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd entry{m_os->pipe, POLLOUT, 0};
        if (left.count() <= 0 || ::poll(&entry, 1, static_cast<int>(left.count())) <= 0) {
            break;
        }
    }
    return written;
}

void CPipeLayer1::WaitReadable(int milliseconds) {
    if (!m_connected.load()) {
        CLayer1::WaitReadable(milliseconds);
        return;
    }
    // A pipe whose other end went away reports at once; the next read then
    // finds it broken and closes it.
    pollfd entry{m_os->pipe, POLLIN, 0};
    (void)::poll(&entry, 1, milliseconds);
}
