// SPDX-License-Identifier: GPL-3.0-or-later
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
#include <utility>

#include "link/LineProblems.h"
#include "link/VcomCodes.h"
#include "link/posix/CSerialPortLock.h"

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

struct CSerialLayer1::PlatformState {
    // Opens and takes the device; false, with the reason in problem, when it
    // cannot.
    bool OpenDevice(const std::string& devicePath, std::string& problem);
    bool ConfigureLine(const Settings& settings);
    void ReleaseDescriptor();

    int descriptor = -1;
    int adoptedDescriptor = -1;
    bool exclusive = false;
    bool adopted = false;  // the line was open before; its bytes are not ours to drop
    HangUp hangUp = HangUp::LosesTheLine;
    bool failureReported = false;
    CSerialPortLock portLock;
};

std::string CSerialLayer1::DefaultDevicePath(int port) {
    return "/dev/ttyS" + std::to_string(port - 1);
}

CSerialLayer1::LineHandle CSerialLayer1::DuplicateLine(LineHandle line) {
    return ::fcntl(line, F_DUPFD_CLOEXEC, 0);
}

CSerialLayer1::CSerialLayer1(const char* parameters, PortResolver resolver)
    : m_settings(ParseParameters(parameters)),
      m_resolver(std::move(resolver)),
      m_os(std::make_unique<PlatformState>()) {}

CSerialLayer1::CSerialLayer1(const char* parameters, LineHandle adoptedLine)
    : m_settings(ParseParameters(parameters)), m_os(std::make_unique<PlatformState>()) {
    m_os->adoptedDescriptor = adoptedLine;
}

CSerialLayer1::~CSerialLayer1() {
    Close();
    if (m_os->adoptedDescriptor >= 0) {
        ::close(m_os->adoptedDescriptor);
    }
}

int CSerialLayer1::Open() {
    if (m_open) {
        return -1;
    }
    m_openProblem.clear();
    if (m_os->adoptedDescriptor >= 0) {
        m_os->descriptor = std::exchange(m_os->adoptedDescriptor, -1);
        m_os->adopted = true;
        m_devicePath.clear();
    } else {
        m_devicePath =
            m_resolver ? m_resolver(m_settings.port) : DefaultDevicePath(m_settings.port);
        if (!m_os->OpenDevice(m_devicePath, m_openProblem)) {
            PostStatus(kStatusSerialOpenFailed, 0);
            return -1;
        }
    }
    if (!m_os->ConfigureLine(m_settings)) {
        m_os->ReleaseDescriptor();
        return -1;
    }
    m_open = true;
    return 0;
}

bool CSerialLayer1::PlatformState::OpenDevice(const std::string& devicePath, std::string& problem) {
    // Non-blocking, so that opening never waits for carrier and no call blocks.
    descriptor = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        problem = OpenErrorText(devicePath, errno);
        return false;
    }
    if (!::isatty(descriptor)) {
        problem = line_problems::NotSerial(devicePath);
        ReleaseDescriptor();
        return false;
    }
    // Exclusive use: the lock file keeps out programs that follow the UUCP
    // convention, TIOCEXCL refuses later opens (but not to root), and the
    // advisory lock refuses a second Torvo or simulator even when run as root.
    if (!portLock.Acquire(devicePath)) {
        const int holder = portLock.RefusedBy();
        problem = line_problems::InUse(devicePath,
                                       holder == CSerialPortLock::kUnknownHolder ? 0 : holder);
        ReleaseDescriptor();
        return false;
    }
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        problem = line_problems::InUse(devicePath, 0);
        ReleaseDescriptor();
        return false;
    }
    if (::ioctl(descriptor, TIOCEXCL) == 0) {
        exclusive = true;
    }
    return true;
}

bool CSerialLayer1::PlatformState::ConfigureLine(const Settings& settings) {
    termios options{};
    if (::tcgetattr(descriptor, &options) != 0) {
        return false;
    }
    speed_t speed = B9600;
    tcflag_t sizeFlag = CS8;
    if (!BaudToSpeed(settings.baudRate, speed) || !DataBitsToFlag(settings.dataBits, sizeFlag)) {
        return false;
    }

    // Binary: no input or output processing, no echo, no signals.
    ::cfmakeraw(&options);
    options.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    options.c_cflag |= sizeFlag | CREAD | CLOCAL;
    switch (settings.parity) {
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
    if (settings.parity != 0) {
        options.c_iflag |= INPCK;  // bad bytes still reach the packet layer's check
    }
    // Linux has no one-and-a-half stop bits; two is the nearest it can do.
    if (settings.stopBits == 1 || settings.stopBits == 2) {
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
    if (::tcsetattr(descriptor, TCSANOW, &options) != 0) {
        return false;
    }

    // Raise DTR and RTS. A pseudo-terminal has no modem lines and refuses: fine.
    int lines = TIOCM_DTR | TIOCM_RTS;
    (void)::ioctl(descriptor, TIOCMBIS, &lines);

    // Linux drivers keep their own buffer sizes (a tty holds 4096 bytes each
    // way); the 1024-byte buffers are what FreeTransmitSpace reports against.
    // A line handed over already open (the simulator listening again on its
    // pty) keeps what the far end has sent meanwhile: it may be the rest of a
    // handshake that the previous connection answered.
    if (!adopted) {
        ::tcflush(descriptor, TCIOFLUSH);
    }
    return true;
}

void CSerialLayer1::PlatformState::ReleaseDescriptor() {
    if (descriptor < 0) {
        return;
    }
    if (exclusive) {
        // The exclusive mark belongs to the tty, not to this descriptor: clear it
        // so that the next open (another program, or our next Connect) works.
        (void)::ioctl(descriptor, TIOCNXCL);
        exclusive = false;
    }
    ::close(descriptor);  // also drops the advisory lock
    descriptor = -1;
    portLock.Release();
}

int CSerialLayer1::Close() {
    m_os->ReleaseDescriptor();
    m_open = false;
    return 0;
}

CSerialLayer1::LineHandle CSerialLayer1::Handle() const {
    return m_os->descriptor;
}

void CSerialLayer1::SetHangUp(HangUp meaning) {
    m_os->hangUp = meaning;
}

void CSerialLayer1::SetLockFolder(std::string folder) {
    m_os->portLock.SetFolder(std::move(folder));
}

int CSerialLayer1::FreeTransmitSpace() {
    const int descriptor = m_os->descriptor;
    if (descriptor < 0) {
        return 0;
    }
    int queued = 0;
    if (::ioctl(descriptor, TIOCOUTQ, &queued) != 0) {
        return 0;
    }
    return std::max(0, kDriverBufferSize - queued);
}

int CSerialLayer1::BytesWaiting() {
    const int descriptor = m_os->descriptor;
    if (descriptor < 0) {
        return 0;
    }
    int waiting = 0;
    if (::ioctl(descriptor, FIONREAD, &waiting) != 0) {
        return 0;
    }
    return waiting;
}

int CSerialLayer1::Write(const uint8_t* bytes, int count) {
    const int descriptor = m_os->descriptor;
    if (descriptor < 0) {
        return 0;
    }
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(kWriteTimeoutMs);
    int written = 0;
    while (written < count) {
        const ssize_t result = ::write(descriptor, bytes + written, count - written);
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
        pollfd entry{descriptor, POLLOUT, 0};
        if (::poll(&entry, 1, static_cast<int>(left.count())) <= 0 ||
            (entry.revents & (POLLERR | POLLHUP | POLLNVAL))) {
            break;
        }
    }
    return written;
}

int CSerialLayer1::Read(uint8_t* buffer, int maximum) {
    const int descriptor = m_os->descriptor;
    if (descriptor < 0 || maximum < 1) {
        return 0;
    }
    // Reports a hung-up or failed line once; returns the read's result.
    const auto lineFailed = [this](int error) {
        if (m_os->hangUp == HangUp::LosesTheLine && !m_os->failureReported) {
            m_os->failureReported = true;
            PostStatus(kStatusSerialLineFailed, error);
            SetLineLost();
        }
        return -1;
    };
    int waiting = 0;
    if (::ioctl(descriptor, FIONREAD, &waiting) != 0) {
        return lineFailed(errno);
    }
    // Whatever arrived before a hang-up is read first.
    if (waiting <= 0) {
        return HasHungUp() ? lineFailed(0) : 0;
    }
    const ssize_t result = ::read(descriptor, buffer, std::min(waiting, maximum));
    if (result < 0 && errno != EAGAIN && errno != EINTR) {
        return lineFailed(errno);
    }
    // Line errors are not reported: damaged bytes fail the packet layer's check.
    return result > 0 ? static_cast<int>(result) : 0;
}

bool CSerialLayer1::HasHungUp() const {
    const int descriptor = m_os->descriptor;
    if (descriptor < 0) {
        return false;
    }
    pollfd entry{descriptor, POLLIN, 0};
    return ::poll(&entry, 1, 0) > 0 && (entry.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

bool CSerialLayer1::CarrierDetect() const {
    const int descriptor = m_os->descriptor;
    if (descriptor < 0) {
        return false;
    }
    int lines = 0;
    if (::ioctl(descriptor, TIOCMGET, &lines) != 0) {
        return true;
    }
    return (lines & TIOCM_CD) != 0;
}

void CSerialLayer1::WaitReadable(int milliseconds) {
    const int descriptor = m_os->descriptor;
    if (descriptor < 0) {
        CLayer1::WaitReadable(milliseconds);
        return;
    }
    pollfd entry{descriptor, POLLIN, 0};
    const int result = ::poll(&entry, 1, milliseconds);
    if (result > 0 && (entry.revents & (POLLHUP | POLLERR | POLLNVAL))) {
        // A hung-up or failed line reports at once and for ever (a device
        // even as readable, with nothing to read): wait out the time instead
        // of spinning.
        CLayer1::WaitReadable(milliseconds);
    }
}
