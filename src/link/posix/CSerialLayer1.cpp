#include "link/CSerialLayer1.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

#include "link/LineProblems.h"
#include "link/VcomCodes.h"

namespace {

// A write waits this long at most for room in the driver's buffer.
constexpr int kWriteTimeoutMs = 200;

bool BaudToSpeed(int baudRate, speed_t& speed) {
    static constexpr struct {
        int baud;
        speed_t speed;
    } kSpeeds[] = {
        {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
        {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
        {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
        {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600},
    };
    for (const auto& entry : kSpeeds) {
        if (entry.baud == baudRate) {
            speed = entry.speed;
            return true;
        }
    }
    return false;
}

bool DataBitsToFlag(int dataBits, tcflag_t& flag) {
    switch (dataBits) {
        case 5:
            flag = CS5;
            return true;
        case 6:
            flag = CS6;
            return true;
        case 7:
            flag = CS7;
            return true;
        case 8:
            flag = CS8;
            return true;
        default:
            return false;
    }
}

std::string OpenErrorText(const std::string& device, int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return line_problems::NoSuchDevice(device);
        case EACCES:
        case EPERM:
            return line_problems::PermissionDenied(device);
        case EBUSY:
            return line_problems::InUse(device, 0);
        default:
            return line_problems::Failed(device, std::strerror(error));
    }
}

}  // namespace

std::string CSerialLayer1::DefaultDevicePath(int port) {
    return "/dev/ttyS" + std::to_string(port - 1);
}

CSerialLayer1::LineHandle CSerialLayer1::DuplicateLine(LineHandle line) {
    return ::fcntl(line, F_DUPFD_CLOEXEC, 0);
}

CSerialLayer1::CSerialLayer1(const char* parameters, PortResolver resolver)
    : m_settings(ParseParameters(parameters)), m_resolver(std::move(resolver)) {}

CSerialLayer1::CSerialLayer1(const char* parameters, int adoptedDescriptor)
    : m_settings(ParseParameters(parameters)), m_adoptedDescriptor(adoptedDescriptor) {}

CSerialLayer1::~CSerialLayer1() {
    Close();
    if (m_adoptedDescriptor >= 0) {
        ::close(m_adoptedDescriptor);
    }
}

int CSerialLayer1::Open() {
    if (m_open) {
        return -1;
    }
    m_openProblem.clear();
    if (OpenDevice() != 0) {
        PostStatus(kStatusSerialOpenFailed, 0);
        return -1;
    }
    if (!ConfigureLine()) {
        ReleaseDescriptor();
        return -1;
    }
    m_open = true;
    return 0;
}

int CSerialLayer1::OpenDevice() {
    if (m_adoptedDescriptor >= 0) {
        m_descriptor = m_adoptedDescriptor;
        m_adoptedDescriptor = -1;
        m_adopted = true;
        m_devicePath.clear();
        return 0;
    }

    m_devicePath = m_resolver ? m_resolver(m_settings.port) : DefaultDevicePath(m_settings.port);
    // Non-blocking, so that opening never waits for carrier and no call blocks.
    m_descriptor = ::open(m_devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_descriptor < 0) {
        m_openProblem = OpenErrorText(m_devicePath, errno);
        return -1;
    }
    if (!::isatty(m_descriptor)) {
        m_openProblem = line_problems::NotSerial(m_devicePath);
        ReleaseDescriptor();
        return -1;
    }
    // Exclusive use: the lock file keeps out programs that follow the UUCP
    // convention, TIOCEXCL refuses later opens (but not to root), and the
    // advisory lock refuses a second Torvo or simulator even when run as root.
    if (!m_portLock.Acquire(m_devicePath)) {
        const int holder = m_portLock.RefusedBy();
        m_openProblem = line_problems::InUse(
            m_devicePath, holder == CSerialPortLock::kUnknownHolder ? 0 : holder);
        ReleaseDescriptor();
        return -1;
    }
    if (::flock(m_descriptor, LOCK_EX | LOCK_NB) != 0) {
        m_openProblem = line_problems::InUse(m_devicePath, 0);
        ReleaseDescriptor();
        return -1;
    }
    if (::ioctl(m_descriptor, TIOCEXCL) == 0) {
        m_exclusive = true;
    }
    return 0;
}

bool CSerialLayer1::ConfigureLine() {
    termios options{};
    if (::tcgetattr(m_descriptor, &options) != 0) {
        return false;
    }
    speed_t speed = B9600;
    tcflag_t sizeFlag = CS8;
    if (!BaudToSpeed(m_settings.baudRate, speed) ||
        !DataBitsToFlag(m_settings.dataBits, sizeFlag)) {
        return false;
    }

    // Binary: no input or output processing, no echo, no signals.
    ::cfmakeraw(&options);
    options.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    options.c_cflag |= sizeFlag | CREAD | CLOCAL;
    switch (m_settings.parity) {
        case 0:
            break;
        case 1:
            options.c_cflag |= PARENB | PARODD;
            break;
        case 2:
            options.c_cflag |= PARENB;
            break;
        case 3:
            options.c_cflag |= PARENB | PARODD | CMSPAR;
            break;
        case 4:
            options.c_cflag |= PARENB | CMSPAR;
            break;
        default:
            return false;
    }
    if (m_settings.parity != 0) {
        options.c_iflag |= INPCK;  // bad bytes still reach the packet layer's check
    }
    // Linux has no one-and-a-half stop bits; two is the nearest it can do.
    if (m_settings.stopBits == 1 || m_settings.stopBits == 2) {
        options.c_cflag |= CSTOPB;
    }
    // No handshake of any kind: flow control bits are always 0 here.
    options.c_iflag &= ~(IXON | IXOFF | IXANY);
    options.c_cc[VSTART] = 0x11;
    options.c_cc[VSTOP] = 0x13;
    options.c_cc[VMIN] = 0;
    options.c_cc[VTIME] = 0;
    ::cfsetispeed(&options, speed);
    ::cfsetospeed(&options, speed);
    if (::tcsetattr(m_descriptor, TCSANOW, &options) != 0) {
        return false;
    }

    // Raise DTR and RTS. A pseudo-terminal has no modem lines and refuses: fine.
    int lines = TIOCM_DTR | TIOCM_RTS;
    (void)::ioctl(m_descriptor, TIOCMBIS, &lines);

    // Linux drivers keep their own buffer sizes (a tty holds 4096 bytes each
    // way); the 1024-byte buffers are what FreeTransmitSpace reports against.
    // A line handed over already open (the simulator listening again on its
    // pty) keeps what the far end has sent meanwhile: it may be the rest of a
    // handshake that the previous connection answered.
    if (!m_adopted) {
        ::tcflush(m_descriptor, TCIOFLUSH);
    }
    return true;
}

void CSerialLayer1::ReleaseDescriptor() {
    if (m_descriptor < 0) {
        return;
    }
    if (m_exclusive) {
        // The exclusive mark belongs to the tty, not to this descriptor: clear it
        // so that the next open (another program, or our next Connect) works.
        (void)::ioctl(m_descriptor, TIOCNXCL);
        m_exclusive = false;
    }
    ::close(m_descriptor);  // also drops the advisory lock
    m_descriptor = -1;
    m_portLock.Release();
}

int CSerialLayer1::Close() {
    ReleaseDescriptor();
    m_open = false;
    return 0;
}

int CSerialLayer1::FreeTransmitSpace() {
    if (m_descriptor < 0) {
        return 0;
    }
    int queued = 0;
    if (::ioctl(m_descriptor, TIOCOUTQ, &queued) != 0) {
        return 0;
    }
    return std::max(0, kDriverBufferSize - queued);
}

int CSerialLayer1::BytesWaiting() {
    if (m_descriptor < 0) {
        return 0;
    }
    int waiting = 0;
    if (::ioctl(m_descriptor, FIONREAD, &waiting) != 0) {
        return 0;
    }
    return waiting;
}

int CSerialLayer1::Write(const uint8_t* bytes, int count) {
    if (m_descriptor < 0) {
        return 0;
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    int written = 0;
    while (written < count) {
        const ssize_t result = ::write(m_descriptor, bytes + written, count - written);
        if (result > 0) {
            written += static_cast<int>(result);
            continue;
        }
        if (result < 0 && errno == EINTR) {
            continue;
        }
        if (result < 0 && errno != EAGAIN) {
            break;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd entry{m_descriptor, POLLOUT, 0};
        if (::poll(&entry, 1, static_cast<int>(left.count())) <= 0 ||
            (entry.revents & (POLLERR | POLLHUP | POLLNVAL))) {
            break;
        }
    }
    return written;
}

int CSerialLayer1::Read(uint8_t* buffer, int maximum) {
    if (m_descriptor < 0 || maximum < 1) {
        return 0;
    }
    int waiting = 0;
    if (::ioctl(m_descriptor, FIONREAD, &waiting) != 0) {
        return LineFailed(errno);
    }
    // Whatever arrived before a hang-up is read first.
    if (waiting <= 0) {
        return HasHungUp() ? LineFailed(0) : 0;
    }
    const ssize_t result = ::read(m_descriptor, buffer, std::min(waiting, maximum));
    if (result < 0 && errno != EAGAIN && errno != EINTR) {
        return LineFailed(errno);
    }
    // Line errors are not reported: damaged bytes fail the packet layer's check.
    return result > 0 ? static_cast<int>(result) : 0;
}

int CSerialLayer1::LineFailed(int error) {
    if (m_hangUp == HangUp::LosesTheLine && !m_failureReported) {
        m_failureReported = true;
        PostStatus(kStatusSerialLineFailed, error);
        SetLineLost();
    }
    return -1;
}

bool CSerialLayer1::HasHungUp() const {
    if (m_descriptor < 0) {
        return false;
    }
    pollfd entry{m_descriptor, POLLIN, 0};
    return ::poll(&entry, 1, 0) > 0 && (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

bool CSerialLayer1::CarrierDetect() const {
    if (m_descriptor < 0) {
        return false;
    }
    int lines = 0;
    if (::ioctl(m_descriptor, TIOCMGET, &lines) != 0) {
        return true;
    }
    return (lines & TIOCM_CD) != 0;
}

void CSerialLayer1::WaitReadable(int milliseconds) {
    if (m_descriptor < 0) {
        CLayer1::WaitReadable(milliseconds);
        return;
    }
    pollfd entry{m_descriptor, POLLIN, 0};
    const int result = ::poll(&entry, 1, milliseconds);
    if (result > 0 && (entry.revents & (POLLHUP | POLLERR | POLLNVAL))) {
        // A hung-up or failed line reports at once and for ever (a device
        // even as readable, with nothing to read): wait out the time instead
        // of spinning.
        CLayer1::WaitReadable(milliseconds);
    }
}
