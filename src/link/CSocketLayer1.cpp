#include "link/CSocketLayer1.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <system_error>

#include "link/CHostLookup.h"
#include "link/SocketSupport.h"
#include "link/Vcom.h"
#include "link/VcomCodes.h"

namespace {

// Slices in which the client waits for its connect, so that a stop is seen.
constexpr int kConnectSliceMs = 50;

void CloseDescriptor(int& descriptor) {
    if (descriptor >= 0) {
        ::close(descriptor);
        descriptor = -1;
    }
}

int SocketError(int descriptor) {
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(descriptor, SOL_SOCKET, SO_ERROR, &error, &length) != 0) {
        return errno;
    }
    return error;
}

}  // namespace

CSocketLayer1::CSocketLayer1(const char* parameters, int* acceptedSocket) {
    if (acceptedSocket == nullptr) {
        m_constructionResult = Parse(parameters);
        return;
    }
    const int descriptor = *acceptedSocket;
    *acceptedSocket = -1;
    PrepareConnection(descriptor);
    SetConnected(descriptor);
}

CSocketLayer1::~CSocketLayer1() {
    Close();
}

int CSocketLayer1::Parse(const char* parameters) {
    if (parameters == nullptr || parameters[0] == '\0') {
        return kVcomSocketTextMissing;
    }
    char mode[64] = {};
    char type[64] = {};
    char address[256] = {};
    int port = 0;
    if (std::sscanf(parameters, "%63s", mode) != 1) {
        return kVcomSocketTextMissing;
    }
    const std::string modeWord = mode;
    if (modeWord == "SERVER" || modeWord == "CONCURRENT_SERVER") {
        if (std::sscanf(parameters, "%63s %d", mode, &port) != 2 || port < 0 || port > 65535) {
            return kVcomWrongWordCount;
        }
        m_mode = modeWord == "SERVER" ? Mode::Server : Mode::ConcurrentServer;
        m_port = port;
        return kVcomOk;
    }
    if (modeWord != "CLIENT") {
        return kVcomUnknownSocketMode;
    }
    if (std::sscanf(parameters, "%63s %63s %255s %d", mode, type, address, &port) != 4 ||
        port < 0 || port > 65535) {
        return kVcomWrongWordCount;
    }
    const std::string typeWord = type;
    m_mode = Mode::Client;
    m_port = port;
    if (typeWord == "IP") {
        m_address = socket_support::RemoveLeadingZeros(address);
        in_addr parsed{};
        return socket_support::ParseDotted(m_address, parsed) ? kVcomOk : kVcomBadAddress;
    }
    if (typeWord == "SN") {
        in_addr parsed{};
        if (socket_support::ParseDotted(address, parsed)) {
            m_address = address;
        } else {
            m_hostName = address;
        }
        return kVcomOk;
    }
    return kVcomBadAddressType;
}

void CSocketLayer1::UseListeningSocket(int descriptor) {
    CloseDescriptor(m_listener);
    m_listener = descriptor;
}

int CSocketLayer1::LocalPort() const {
    return m_localPort;
}

int CSocketLayer1::Open() {
    if (m_mode == Mode::ConcurrentServer && m_owner == nullptr) {
        PostStatus(kStatusNoOwnerToAccept, 0);
        return -1;
    }
    if (m_connectionThread.joinable() || m_connected.load()) {
        Close();
    }
    if (m_mode != Mode::Client) {
        if (m_listener < 0) {
            m_listener = socket_support::OpenListeningSocket(in_addr{htonl(INADDR_ANY)}, m_port, 1);
        }
        if (m_listener < 0) {
            PostStatus(kStatusSocketCallFailed, errno);
            return -1;
        }
        m_localPort = socket_support::LocalPort(m_listener);
    }
    m_stop.Reset();
    try {
        m_connectionThread = std::thread(&CSocketLayer1::ConnectionThread, this);
    } catch (const std::system_error&) {
        PostStatus(kStatusConnectionThreadFailed, 0);
        CloseDescriptor(m_listener);
        return -1;
    }
    return 0;
}

int CSocketLayer1::Close() {
    StopConnectionThread();
    CloseDescriptor(m_listener);
    m_connected.store(false);
    CloseDescriptor(m_socket);
    return 0;
}

void CSocketLayer1::StopConnectionThread() {
    if (m_connectionThread.joinable()) {
        m_stop.Request();
        m_connectionThread.join();
    }
}

void CSocketLayer1::ConnectionThread() {
    if (m_mode == Mode::Client) {
        RunClient();
    } else {
        Serve();
    }
}

void CSocketLayer1::Serve() {
    while (!m_stop.IsRequested() && !m_connected.load() && !IsLineLost()) {
        pollfd caller{m_listener, POLLIN, 0};
        const int ready = ::poll(&caller, 1, kServerStepMs);
        if (ready < 0 && errno != EINTR) {
            LoseLine(kStatusAcceptFailed, errno);
            return;
        }
        if (ready > 0) {
            Accept();
        }
    }
}

void CSocketLayer1::Accept() {
    int descriptor = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (descriptor < 0) {
        // A caller that gave up before being accepted is no failure.
        if (errno != EAGAIN && errno != EWOULDBLOCK && errno != ECONNABORTED && errno != EINTR) {
            LoseLine(kStatusAcceptFailed, errno);
        }
        return;
    }
    if (!PrepareConnection(descriptor)) {
        PostStatus(kStatusSocketCallFailed, errno);
    }
    if (m_mode == Mode::ConcurrentServer) {
        if (m_owner->OnAccept(&descriptor) == 0) {
            CloseDescriptor(descriptor);
        }
        return;
    }
    CloseDescriptor(m_listener);
    SetConnected(descriptor);
}

void CSocketLayer1::RunClient() {
    in_addr address{};
    if (!FindServer(address)) {
        return;
    }
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_addr = address;
    server.sin_port = htons(static_cast<uint16_t>(m_port));
    using Clock = std::chrono::steady_clock;
    while (!m_stop.IsRequested() && !IsLineLost()) {
        const auto attempt = Clock::now();
        if (TryConnect(server)) {
            return;
        }
        const auto spent =
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - attempt).count();
        if (spent < kClientStepMs && m_stop.WaitFor(static_cast<int>(kClientStepMs - spent))) {
            return;
        }
    }
}

// The server's address: the dotted one given, or the host name's, looked up
// again every step until the lookup succeeds.
bool CSocketLayer1::FindServer(in_addr& address) {
    if (m_hostName.empty()) {
        return socket_support::ParseDotted(m_address, address);
    }
    while (!m_stop.IsRequested()) {
        CHostLookup lookup;
        if (!lookup.Start(m_hostName)) {
            PostStatus(kStatusLookupFailed, 0);
        } else {
            while (!lookup.WaitFor(kConnectSliceMs)) {
                if (m_stop.IsRequested()) {
                    return false;
                }
            }
            if (lookup.Error() == 0) {
                address = lookup.Address();
                return true;
            }
            PostStatus(kStatusLookupFailed, lookup.Error());
        }
        if (m_stop.WaitFor(kClientStepMs)) {
            return false;
        }
    }
    return false;
}

bool CSocketLayer1::TryConnect(const sockaddr_in& server) {
    int descriptor = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (descriptor < 0) {
        LoseLine(kStatusSocketCallFailed, errno);
        return false;
    }
    socket_support::SetResetOnClose(descriptor);
    int error = 0;
    if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&server), sizeof server) != 0) {
        error = errno;
    }
    // The connect completes in the background; wait for it in slices.
    for (int waited = 0; error == EINPROGRESS && waited < kClientStepMs;
         waited += kConnectSliceMs) {
        if (m_stop.IsRequested()) {
            CloseDescriptor(descriptor);
            return false;
        }
        pollfd pending{descriptor, POLLOUT, 0};
        if (::poll(&pending, 1, kConnectSliceMs) > 0) {
            error = SocketError(descriptor);
        }
    }
    if (error != 0) {
        PostStatus(kStatusConnectFailed, error == EINPROGRESS ? ETIMEDOUT : error);
        CloseDescriptor(descriptor);
        return false;
    }
    if (!socket_support::SetBlocking(descriptor)) {
        LoseLine(kStatusBlockingModeFailed, errno);
        CloseDescriptor(descriptor);
        return false;
    }
    if (!PrepareConnection(descriptor)) {
        PostStatus(kStatusSocketCallFailed, errno);
    }
    SetConnected(descriptor);
    return true;
}

// Closing resets the connection, small writes go at once, and a write waits
// for room in the system's buffer for a bounded time only (reads never wait).
bool CSocketLayer1::PrepareConnection(int descriptor) {
    const timeval writeTimeout{0, kWriteTimeoutMs * 1000};
    return socket_support::SetResetOnClose(descriptor) && socket_support::SetNoDelay(descriptor) &&
           ::setsockopt(descriptor, SOL_SOCKET, SO_SNDTIMEO, &writeTimeout, sizeof writeTimeout) ==
               0;
}

void CSocketLayer1::SetConnected(int descriptor) {
    m_socket = descriptor;
    m_connected.store(true);
}

void CSocketLayer1::LoseLine(int statusCode, int error) {
    if (!m_lossReported.exchange(true) && statusCode != 0) {
        PostStatus(statusCode, error);
    }
    SetLineLost();
}

int CSocketLayer1::BytesWaiting() {
    if (!m_connected.load()) {
        return 0;
    }
    int waiting = 0;
    return ::ioctl(m_socket, FIONREAD, &waiting) == 0 && waiting > 0 ? 1 : 0;
}

int CSocketLayer1::Read(uint8_t* buffer, int maximum) {
    if (!m_connected.load() || maximum <= 0 || IsLineLost()) {
        return 0;
    }
    const ssize_t count = ::recv(m_socket, buffer, static_cast<size_t>(maximum), MSG_DONTWAIT);
    if (count > 0) {
        return static_cast<int>(count);
    }
    if (count == 0) {
        LoseLine(0, 0);  // the peer closed the connection
    } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
        LoseLine(kStatusSocketCallFailed, errno);
    }
    return 0;
}

int CSocketLayer1::Write(const uint8_t* bytes, int count) {
    if (!m_connected.load() || count <= 0 || IsLineLost()) {
        return 0;
    }
    const ssize_t sent = ::send(m_socket, bytes, static_cast<size_t>(count), MSG_NOSIGNAL);
    if (sent >= 0) {
        return static_cast<int>(sent);
    }
    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
        LoseLine(kStatusSocketCallFailed, errno);
    }
    return 0;
}

void CSocketLayer1::WaitReadable(int milliseconds) {
    if (!m_connected.load() || IsLineLost()) {
        CLayer1::WaitReadable(milliseconds);
        return;
    }
    pollfd line{m_socket, POLLIN, 0};
    ::poll(&line, 1, milliseconds);
}
