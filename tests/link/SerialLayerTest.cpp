// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <thread>
#include <vector>

#include "link/CSerialLayer1.h"
#include "link/CStatusQueue.h"
#include "link/VcomCodes.h"
#include "link/posix/CPseudoTerminal.h"
#include "link/posix/CSerialPortLock.h"
#include "support/ScratchDir.h"

namespace {

using Bytes = std::vector<uint8_t>;

class SerialLayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_pty.Open()); }

    PortResolver ToPty() {
        return [this](int port) {
            m_resolvedPort = port;
            return m_pty.SlavePath();
        };
    }

    // Waits (bounded) until the layer sees the given number of bytes.
    static bool WaitForBytes(CSerialLayer1& layer, int count) {
        for (int i = 0; i < 2000 && layer.BytesWaiting() < count; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return layer.BytesWaiting() == count;
    }

    termios SlaveSettings() {
        termios options{};
        const int descriptor = ::open(m_pty.SlavePath().c_str(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        EXPECT_GE(descriptor, 0);
        ::tcgetattr(descriptor, &options);
        ::close(descriptor);
        return options;
    }

    CPseudoTerminal m_pty;
    int m_resolvedPort = 0;
};

TEST(SerialParametersTest, FiveNumbersOrAllDefaults) {
    auto settings = CSerialLayer1::ParseParameters("3 8 0 0 19200");
    EXPECT_EQ(settings.port, 3);
    EXPECT_EQ(settings.dataBits, 8);
    EXPECT_EQ(settings.parity, 0);
    EXPECT_EQ(settings.stopBits, 0);
    EXPECT_EQ(settings.baudRate, 19200);

    settings = CSerialLayer1::ParseParameters("2 7 2 2 4800 trailing words");
    EXPECT_EQ(settings.port, 2);
    EXPECT_EQ(settings.dataBits, 7);
    EXPECT_EQ(settings.parity, 2);
    EXPECT_EQ(settings.stopBits, 2);
    EXPECT_EQ(settings.baudRate, 4800);

    // Four numbers, or the program's text with an empty port digit, give the defaults.
    for (const char* text : {"3 8 0 0", " 8 0 0 19200", "", "COM3"}) {
        settings = CSerialLayer1::ParseParameters(text);
        EXPECT_EQ(settings.port, 1) << text;
        EXPECT_EQ(settings.baudRate, 9600) << text;
        EXPECT_EQ(settings.dataBits, 8) << text;
    }
    settings = CSerialLayer1::ParseParameters(nullptr);
    EXPECT_EQ(settings.port, 1);
    EXPECT_EQ(CSerialLayer1::DefaultDevicePath(1), "/dev/ttyS0");
    EXPECT_EQ(CSerialLayer1::DefaultDevicePath(4), "/dev/ttyS3");
}

TEST_F(SerialLayerTest, OpensThePortWithTheLineSettings) {
    CSerialLayer1 layer("3 8 0 0 19200", ToPty());
    ASSERT_EQ(layer.Open(), 0);
    EXPECT_EQ(m_resolvedPort, 3);
    EXPECT_EQ(layer.BaudRate(), 19200);
    EXPECT_EQ(layer.Open(), -1) << "already open";

    const termios options = SlaveSettings();
    EXPECT_EQ(::cfgetospeed(&options), B19200);
    EXPECT_EQ(options.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_FALSE(options.c_cflag & (PARENB | CSTOPB | CRTSCTS));
    EXPECT_TRUE(options.c_cflag & CLOCAL);
    EXPECT_FALSE(options.c_iflag & (IXON | IXOFF));
    EXPECT_FALSE(options.c_lflag & (ICANON | ECHO | ISIG));
    EXPECT_FALSE(options.c_oflag & OPOST);
    layer.Close();
    EXPECT_FALSE(layer.IsOpen());

    CSerialLayer1 defaults("3 8 0 0", ToPty());
    ASSERT_EQ(defaults.Open(), 0);
    EXPECT_EQ(m_resolvedPort, 1);
    const termios slow = SlaveSettings();
    EXPECT_EQ(::cfgetospeed(&slow), B9600);
}

TEST_F(SerialLayerTest, SecondOpenOfTheSamePortFails) {
    CStatusQueue statuses;
    CSerialLayer1 first("1 8 0 0 19200", ToPty());
    CSerialLayer1 second("1 8 0 0 19200", ToPty());
    second.SetQueues(&statuses, nullptr);
    ASSERT_EQ(first.Open(), 0);
    EXPECT_EQ(second.Open(), -1);
    int code = 0;
    int parameter = -1;
    ASSERT_TRUE(statuses.Pop(code, parameter));
    EXPECT_EQ(code, kStatusSerialOpenFailed);
    EXPECT_EQ(parameter, 0);

    // Once the first lets go, the port can be had again.
    first.Close();
    CSerialLayer1 third("1 8 0 0 19200", ToPty());
    EXPECT_EQ(third.Open(), 0);
}

TEST_F(SerialLayerTest, OpenFailuresAndAClosedPort) {
    CStatusQueue statuses;
    CSerialLayer1 missing("1 8 0 0 19200", [](int) { return std::string("/nonexistent/ttyX"); });
    missing.SetQueues(&statuses, nullptr);
    EXPECT_EQ(missing.Open(), -1);
    int code = 0;
    int parameter = 0;
    EXPECT_TRUE(statuses.Pop(code, parameter));
    EXPECT_EQ(code, kStatusSerialOpenFailed);

    // A line the driver cannot set up closes the port again, without the status.
    CSerialLayer1 badBaud("1 8 0 0 12345", ToPty());
    badBaud.SetQueues(&statuses, nullptr);
    EXPECT_EQ(badBaud.Open(), -1);
    EXPECT_FALSE(statuses.Pop(code, parameter));
    CSerialLayer1 afterwards("1 8 0 0 19200", ToPty());
    EXPECT_EQ(afterwards.Open(), 0) << "the refused open let go of the port";

    uint8_t buffer[4] = {1, 2, 3, 4};
    EXPECT_EQ(missing.Read(buffer, 4), 0);
    EXPECT_EQ(missing.Write(buffer, 4), 0);
    EXPECT_EQ(missing.BytesWaiting(), 0);
    EXPECT_EQ(missing.FreeTransmitSpace(), 0);
}

TEST_F(SerialLayerTest, ReadsOnlyWhatIsWaiting) {
    CSerialLayer1 layer("1 8 0 0 19200", ToPty());
    ASSERT_EQ(layer.Open(), 0);
    uint8_t buffer[255];
    EXPECT_EQ(layer.Read(buffer, 255), 0) << "nothing received: returns at once";

    Bytes sent(300);
    std::iota(sent.begin(), sent.end(), 0);
    ASSERT_EQ(::write(m_pty.MasterDescriptor(), sent.data(), sent.size()), 300);
    ASSERT_TRUE(WaitForBytes(layer, 300));
    EXPECT_EQ(layer.Read(buffer, 255), 255);
    EXPECT_EQ(Bytes(buffer, buffer + 255), Bytes(sent.begin(), sent.begin() + 255));
    EXPECT_EQ(layer.Read(buffer, 255), 45);
    EXPECT_EQ(Bytes(buffer, buffer + 45), Bytes(sent.begin() + 255, sent.end()));
    EXPECT_EQ(layer.Read(buffer, 255), 0);
}

TEST_F(SerialLayerTest, WritesReachTheFarEnd) {
    CSerialLayer1 layer("1 8 0 0 19200", ToPty());
    ASSERT_EQ(layer.Open(), 0);
    EXPECT_GT(layer.FreeTransmitSpace(), 0);
    EXPECT_LE(layer.FreeTransmitSpace(), CSerialLayer1::kDriverBufferSize);
    const Bytes frame{0x03, 0x00, 0x00, 0xD6, 0x57, 0x0A, 0x0D, 0x11, 0x13};
    EXPECT_EQ(layer.Write(frame.data(), static_cast<int>(frame.size())), 9);

    Bytes received;
    pollfd entry{m_pty.MasterDescriptor(), POLLIN, 0};
    while (received.size() < frame.size() && ::poll(&entry, 1, 2000) > 0) {
        uint8_t buffer[64];
        const ssize_t count = ::read(m_pty.MasterDescriptor(), buffer, sizeof(buffer));
        ASSERT_GT(count, 0);
        received.insert(received.end(), buffer, buffer + count);
    }
    EXPECT_EQ(received, frame) << "raw: no translation of CR, LF, XON or XOFF";
}

TEST_F(SerialLayerTest, AdoptedDescriptorIsUsedAndClosed) {
    const int descriptor = m_pty.DuplicateMaster();
    ASSERT_GE(descriptor, 0);
    {
        CSerialLayer1 layer("1 8 0 0 19200", descriptor);
        ASSERT_EQ(layer.Open(), 0);
        const uint8_t byte = 0x55;
        EXPECT_EQ(layer.Write(&byte, 1), 1);
    }
    EXPECT_EQ(::fcntl(descriptor, F_GETFD), -1) << "closed with the layer";
}

// Opening a port throws away what the driver held; a line handed over already
// open keeps it, since it may be the rest of an exchange in progress.
TEST_F(SerialLayerTest, OnlyAPortItOpensItselfIsPurged) {
    const Bytes stale{1, 2, 3};
    ASSERT_EQ(::write(m_pty.MasterDescriptor(), stale.data(), stale.size()), 3);
    CSerialLayer1 opened("1 8 0 0 19200", ToPty());
    ASSERT_EQ(opened.Open(), 0);
    EXPECT_EQ(opened.BytesWaiting(), 0);
    opened.Close();

    const int slave = ::open(m_pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(slave, 0);
    const Bytes waiting{4, 5, 6, 7};
    ASSERT_EQ(::write(slave, waiting.data(), waiting.size()), 4);
    CSerialLayer1 adopted("1 8 0 0 19200", m_pty.DuplicateMaster());
    ASSERT_EQ(adopted.Open(), 0);
    ASSERT_TRUE(WaitForBytes(adopted, 4));
    uint8_t buffer[8];
    EXPECT_EQ(adopted.Read(buffer, 8), 4);
    EXPECT_EQ(Bytes(buffer, buffer + 4), waiting);
    ::close(slave);
}

TEST_F(SerialLayerTest, MasterSeesTheSlaveHangUpOnceNothingHoldsIt) {
    CSerialLayer1 master("1 8 0 0 19200", m_pty.DuplicateMaster());
    EXPECT_FALSE(master.HasHungUp()) << "not open";
    ASSERT_EQ(master.Open(), 0);
    EXPECT_FALSE(master.HasHungUp()) << "the pty holds its slave open";
    m_pty.ReleaseSlave();
    EXPECT_TRUE(master.HasHungUp());

    CSerialLayer1 computer("1 8 0 0 19200", ToPty());
    ASSERT_EQ(computer.Open(), 0);
    EXPECT_FALSE(master.HasHungUp());
    EXPECT_FALSE(computer.HasHungUp());
    computer.Close();
    EXPECT_TRUE(master.HasHungUp());
    EXPECT_FALSE(SlaveSettings().c_lflag & ECHO) << "the released slave stays raw";
}

// A listening end's line outlives the caller that hung up; a computer's port
// is lost with its deskset, reported once, and nobody spins on it.
TEST_F(SerialLayerTest, AHungUpLineFailsItsReadsAndItsWaitsSleep) {
    CStatusQueue statuses;
    CSerialLayer1 listening("1 8 0 0 19200", m_pty.DuplicateMaster());
    listening.SetHangUp(CSerialLayer1::HangUp::AwaitsTheFarEnd);
    listening.SetQueues(&statuses, nullptr);
    ASSERT_EQ(listening.Open(), 0);
    m_pty.ReleaseSlave();
    uint8_t buffer[8];
    EXPECT_EQ(listening.Read(buffer, 8), -1);
    EXPECT_FALSE(listening.IsLineLost());
    EXPECT_TRUE(statuses.IsEmpty());

    CSerialLayer1 computer("1 8 0 0 19200", ToPty());
    computer.SetQueues(&statuses, nullptr);
    ASSERT_EQ(computer.Open(), 0);
    EXPECT_EQ(computer.Read(buffer, 8), 0);
    listening.Close();
    m_pty.Close();
    EXPECT_EQ(computer.Read(buffer, 8), -1);
    EXPECT_EQ(computer.Read(buffer, 8), -1);
    EXPECT_TRUE(computer.IsLineLost());
    int code = 0;
    int parameter = 0;
    ASSERT_TRUE(statuses.Pop(code, parameter));
    EXPECT_EQ(code, kStatusSerialLineFailed);
    EXPECT_FALSE(statuses.Pop(code, parameter)) << "reported once";

    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 5; ++i) {
        computer.WaitReadable(10);
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
}

TEST_F(SerialLayerTest, APortLockedByALiveProgramIsRefusedAndAStaleLockTakenOver) {
    ScratchDir lockFolder;
    const std::string lockFile = lockFolder.Path(CSerialPortLock::LockFileName(m_pty.SlavePath()));
    EXPECT_EQ(CSerialPortLock::LockFileName("/dev/ttyUSB0"), "LCK..ttyUSB0");
    EXPECT_TRUE(lockFile.ends_with("LCK..pts_" + m_pty.SlavePath().substr(9)));

    const auto writeLock = [&](const std::string& text) {
        std::FILE* file = std::fopen(lockFile.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs(text.c_str(), file);
        std::fclose(file);
    };
    CStatusQueue statuses;
    writeLock("         1\n");  // init: always alive
    CSerialLayer1 refused("1 8 0 0 19200", ToPty());
    refused.SetLockFolder(lockFolder.Root().string());
    refused.SetQueues(&statuses, nullptr);
    EXPECT_EQ(refused.Open(), -1);
    EXPECT_EQ(refused.OpenProblem(), m_pty.SlavePath() + " is locked by process 1");
    int code = 0;
    int parameter = 0;
    ASSERT_TRUE(statuses.Pop(code, parameter));
    EXPECT_EQ(code, kStatusSerialOpenFailed);

    // A lock left by a process that has ended, or by nothing at all, is stale.
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    for (const std::string& stale : {std::to_string(child) + "\n", std::string("garbage")}) {
        writeLock(stale);
        CSerialLayer1 taken("1 8 0 0 19200", ToPty());
        taken.SetLockFolder(lockFolder.Root().string());
        ASSERT_EQ(taken.Open(), 0) << stale;
        std::ifstream held(lockFile);
        int pid = 0;
        held >> pid;
        EXPECT_EQ(pid, ::getpid());

        CSerialLayer1 second("1 8 0 0 19200", ToPty());
        second.SetLockFolder(lockFolder.Root().string());
        EXPECT_EQ(second.Open(), -1) << "held by this process";
        taken.Close();
        EXPECT_FALSE(std::filesystem::exists(lockFile)) << "removed when the port is let go";
    }

    // An empty lock file may be being written: held while new, stale once old.
    writeLock("");
    const auto emptySince = std::filesystem::last_write_time(lockFile);
    const auto openWithEmptyLock = [&](std::chrono::seconds age) {
        std::filesystem::last_write_time(lockFile, emptySince - age);
        CSerialLayer1 line("1 8 0 0 19200", ToPty());
        line.SetLockFolder(lockFolder.Root().string());
        return line.Open();
    };
    const std::chrono::seconds fresh(CSerialPortLock::kFreshEmptySeconds);
    EXPECT_EQ(openWithEmptyLock(fresh - std::chrono::seconds(2)), -1);
    EXPECT_EQ(openWithEmptyLock(fresh + std::chrono::seconds(1)), 0);
}

}  // namespace
