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
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "link/VcomTrace.h"

namespace {

constexpr int kConnectStepMs = 100;
// A write waits this long at most for room in the socket's buffer.
constexpr int kWriteTimeoutMs = 200;

// A folder this user may keep its socket files in: one named folder of its own
// that nobody else may enter, list or write to.
bool IsUsableFolder(const std::string& folder) {
    struct stat status {};
    if (::lstat(folder.c_str(), &status) == 0 &&
        CPipeLayer1::IsPrivateFolder(status, ::geteuid())) {
        return true;
    }
    VcomTrace("(CPipeLayer1)  error: " + folder + " is not a private folder\n");
    return false;
}

// The user's own folder for the socket files: $XDG_RUNTIME_DIR when it is
// private to the user, else a folder under /tmp made private to the user.
// A /tmp folder someone else made, or one others can enter, is not used.
std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && IsUsableFolder(runtime)) {
        return runtime;
    }
    const std::string folder = "/tmp/vcom-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) == 0) {
        ::chmod(folder.c_str(), 0700);  // whatever the umask took away
    } else if (errno != EEXIST) {
        return {};
    }
    return IsUsableFolder(folder) ? folder : std::string();
}

std::string SocketFileName(const std::string& pipeName) {
    std::string file = "vcom-pipe-";
    for (size_t i = 2; i < pipeName.size(); ++i) {  // past the two leading backslashes
        const auto c = static_cast<unsigned char>(pipeName[i]);
        if (c == '\\') {
            file += '+';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '.' || c == '-' || c == '_') {
            file += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            file += escaped;
        }
    }
    return file;
}

sockaddr_un SocketAddress(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

int NewSocket() {
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
}

}  // namespace

bool CPipeLayer1::IsPrivateFolder(const struct stat& status, uid_t user) {
    return S_ISDIR(status.st_mode) && status.st_uid == user && (status.st_mode & 0777) == 0700;
}

std::string CPipeLayer1::SocketPath(const std::string& pipeName) {
    const std::string folder = RuntimeFolder();
    if (folder.empty()) {
        return {};
    }
    const std::string path = folder + "/" + SocketFileName(pipeName);
    // A socket address holds a path of 107 bytes at most.
    if (path.size() >= sizeof(sockaddr_un::sun_path)) {
        VcomTrace("(CPipeLayer1)  error: pipe name too long\n");
        return {};
    }
    return path;
}

CPipeLayer1::CPipeLayer1(const char* parameters) : m_parameters(ParseParameters(parameters)) {}

CPipeLayer1::~CPipeLayer1() {
    Close();
}

int CPipeLayer1::Open() {
    if (m_parameters.name.empty()) {
        return -1;
    }
    Close();
    m_path = SocketPath(m_parameters.name);
    if (m_path.empty()) {
        return -1;
    }
    if (m_parameters.role == Role::kServer && (!TakeServerLock() || !Listen())) {
        Close();
        return -1;
    }
    if (!StartConnectThread()) {
        Close();
        return -1;
    }
    return 0;
}

bool CPipeLayer1::TakeServerLock() {
    const std::string lockPath = m_path + ".lock";
    // Retried when the lock file was replaced between opening and locking it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int descriptor = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (descriptor < 0) {
            return false;
        }
        if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            ::close(descriptor);
            VcomTrace("(CPipeLayer1::Open)  error: the pipe " + m_parameters.name +
                      " has a server already\n");
            return false;
        }
        struct stat held {};
        struct stat named {};
        if (::fstat(descriptor, &held) == 0 && ::stat(lockPath.c_str(), &named) == 0 &&
            held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
            m_lockDescriptor = descriptor;
            return true;
        }
        ::close(descriptor);
    }
    return false;
}

bool CPipeLayer1::Listen() {
    // Holding the lock, any socket file of this name is a stale one.
    ::unlink(m_path.c_str());
    m_listener = NewSocket();
    const sockaddr_un address = SocketAddress(m_path);
    if (m_listener < 0 ||
        ::bind(m_listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(m_listener, 1) != 0) {
        return false;
    }
    struct stat status {};
    if (::stat(m_path.c_str(), &status) == 0) {
        m_socketInode = status.st_ino;
    }
    return true;
}

void CPipeLayer1::PipeConnectThread() {
    bool reportedPending = false;
    while (!m_stop.IsRequested()) {
        if (m_parameters.role == Role::kServer) {
            if (AcceptClient(reportedPending)) {
                break;
            }
            // Waits for a caller in steps of 100 ms.
            pollfd entry{m_listener, POLLIN, 0};
            (void)::poll(&entry, 1, kConnectStepMs);
        } else {
            if (ConnectToServer()) {
                break;
            }
            m_stop.WaitFor(kConnectStepMs);
        }
    }
    m_threadFinished.store(true);
}

bool CPipeLayer1::AcceptClient(bool& reportedPending) {
    const int descriptor = ::accept4(m_listener, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (descriptor < 0) {
        if (!reportedPending) {
            VcomTrace("(Layer1) io pending PipeConnectThread\n");
            reportedPending = true;
        }
        return false;
    }
    // One client per server: later callers are refused until this one is gone.
    ::close(m_listener);
    m_listener = -1;
    VcomTrace("(Layer1) pipe is connected\n");
    SetConnected(descriptor);
    return true;
}

bool CPipeLayer1::ConnectToServer() {
    const int descriptor = NewSocket();
    if (descriptor < 0) {
        return false;
    }
    const sockaddr_un address = SocketAddress(m_path);
    if (::connect(descriptor, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(descriptor);  // no server yet, or it is busy with another client
        return false;
    }
    SetConnected(descriptor);
    return true;
}

void CPipeLayer1::SetConnected(int descriptor) {
    m_pipe = descriptor;
    m_connected.store(true);
}

void CPipeLayer1::ClosePipe() {
    m_connected.store(false);
    if (m_pipe >= 0) {
        ::shutdown(m_pipe, SHUT_RDWR);
        ::close(m_pipe);
        m_pipe = -1;
    }
}

int CPipeLayer1::Close() {
    StopConnectThread();
    ClosePipe();
    if (m_listener >= 0) {
        ::close(m_listener);
        m_listener = -1;
    }
    if (m_lockDescriptor >= 0) {
        // Only the socket file this server made: a stale one it replaced is gone.
        struct stat status {};
        if (::stat(m_path.c_str(), &status) == 0 && status.st_ino == m_socketInode) {
            ::unlink(m_path.c_str());
        }
        ::unlink((m_path + ".lock").c_str());
        ::close(m_lockDescriptor);
        m_lockDescriptor = -1;
    }
    m_socketInode = 0;
    return 0;
}

int CPipeLayer1::BytesWaiting() {
    if (!m_connected.load()) {
        return 0;
    }
    int waiting = 0;
    return ::ioctl(m_pipe, FIONREAD, &waiting) == 0 ? waiting : 0;
}

int CPipeLayer1::Read(uint8_t* buffer, int maximum) {
    if (!m_connected.load() || maximum < 1) {
        return 0;
    }
    const ssize_t result = ::recv(m_pipe, buffer, static_cast<size_t>(maximum), MSG_DONTWAIT);
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
        const ssize_t result = ::send(m_pipe, bytes + written, static_cast<size_t>(count - written),
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
        pollfd entry{m_pipe, POLLOUT, 0};
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
    pollfd entry{m_pipe, POLLIN, 0};
    (void)::poll(&entry, 1, milliseconds);
}
