// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "CDesksetSimulator.h"
#include "DefaultImage.h"
#include "link/CLayerFactory.h"
#include "link/CSerialLayer1.h"
#include "link/PacketFrame.h"
#include "link/TcpDevice.h"
#include "link/VcomCodes.h"
#include "link/posix/CPseudoTerminal.h"
#include "support/CRecordingVcom.h"
#include "support/CTestLayerFactory.h"
#include "support/FastClock.h"

extern char** environ;

namespace {

using Bytes = std::vector<uint8_t>;

constexpr int kClockFactor = 20;
constexpr uint32_t kPollIntervalMs = 3000;  // the computer's, at 19200 baud

Bytes TestImage() {
    Bytes image(16384);
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 13 + 5);
    }
    return image;
}

// A link clock that moves only when the test moves it.
class ManualClock {
public:
    MillisecondClock Clock() const {
        return [now = m_now] { return now->load(); };
    }
    void Advance(uint32_t milliseconds) { m_now->fetch_add(milliseconds); }

private:
    std::shared_ptr<std::atomic<uint32_t>> m_now = std::make_shared<std::atomic<uint32_t>>(1000);
};

// A clock that never moves: an end on it never times anything out.
MillisecondClock StoppedClock() {
    return [] { return 5000u; };
}

bool WaitFor(const std::function<bool()>& predicate) {
    for (int i = 0; i < 500 && !predicate(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return predicate();
}

// The computer's side of a transfer, on the link library.
class Computer {
    template <typename F>
    auto Count(F read) {
        auto lock = m_link.Lock();
        return read();
    }

public:
    explicit Computer(const std::string& devicePath,
                      MillisecondClock clock = FastClock(kClockFactor)) {
        m_link.LayerFactory().SetPortResolver([devicePath](int) { return devicePath; });
        m_link.LayerFactory().SetClock(std::move(clock));
    }
    explicit Computer(std::unique_ptr<CLayerFactory> factory) {
        m_link.SetLayerFactory(std::move(factory));
    }

    // With a manual clock, moves it on by one poll interval after opening the
    // port, so that the new link sends its first poll, and then no further.
    bool Connect(ManualClock* clock = nullptr, int layer1Kind = CLayerFactory::kSerialLayer1,
                 const std::string& layer1Parameters = "1 8 0 0 19200") {
        const int connects = Count([&] { return m_link.connects; });
        if (m_link.Connect(0, nullptr, layer1Kind, layer1Parameters.c_str()) != kVcomOk) {
            return false;
        }
        if (clock != nullptr) {
            clock->Advance(kPollIntervalMs);
        }
        return m_link.WaitUntil([&] { return m_link.connects > connects; },
                                std::chrono::seconds(5));
    }

    // Sends a request and waits for the given number of answers.
    std::vector<Bytes> Ask(uint8_t type, const Bytes& payload, size_t answers) {
        Bytes message{static_cast<uint8_t>(payload.size() + 1), type};
        message.insert(message.end(), payload.begin(), payload.end());
        const size_t before = Count([&] { return m_link.received.size(); });
        EXPECT_EQ(m_link.Send(message.data(), static_cast<int>(message.size())), kVcomOk);
        if (!m_link.WaitUntil([&] { return m_link.received.size() >= before + answers; })) {
            return {};
        }
        auto lock = m_link.Lock();
        return std::vector<Bytes>(m_link.received.begin() + before, m_link.received.end());
    }

    Bytes Download() {
        const auto messages = Ask(3, {0}, 165);
        Bytes image(16384, 0);
        if (messages.size() != 165 || messages.back() != Bytes{1, 7}) {
            ADD_FAILURE() << "download did not complete";
            return {};
        }
        for (size_t i = 0; i < 164; ++i) {
            const Bytes& block = messages[i];
            const int offset = block[2] + 256 * block[3];
            std::copy(block.begin() + 4, block.end(), image.begin() + offset);
        }
        return image;
    }

    Bytes Upload(const Bytes& image) {
        const size_t before = Count([&] { return m_link.received.size(); });
        for (int offset = 0; offset < 16384; offset += 100) {
            const int count = std::min(100, 16384 - offset);
            Bytes message{static_cast<uint8_t>(count + 3), 4, static_cast<uint8_t>(offset & 0xFF),
                          static_cast<uint8_t>(offset >> 8)};
            message.insert(message.end(), image.begin() + offset, image.begin() + offset + count);
            EXPECT_EQ(m_link.Send(message.data(), static_cast<int>(message.size())), kVcomOk);
        }
        if (!m_link.WaitUntil([&] { return m_link.received.size() > before; })) {
            return {};
        }
        auto lock = m_link.Lock();
        return m_link.received[before];
    }

    CRecordingVcom& Link() { return m_link; }

private:
    CRecordingVcom m_link;
};

DesksetSimOptions FastOptions() {
    DesksetSimOptions options;
    options.clock = FastClock(kClockFactor);
    return options;
}

TEST(DesksetSimulatorTest, ServesDownloadsAndUploadsOneAfterAnother) {
    char savePath[] = "/tmp/simsaveXXXXXX";
    const int descriptor = ::mkstemp(savePath);
    ASSERT_GE(descriptor, 0);
    ::close(descriptor);

    DesksetSimOptions options = FastOptions();
    options.savePath = savePath;
    CDesksetSimulator simulator(options);
    ASSERT_TRUE(simulator.StartOnNewPty()) << simulator.LastError();

    Computer computer(simulator.DevicePath());
    ASSERT_TRUE(computer.Connect());
    const auto version = computer.Ask(1, {}, 1);
    ASSERT_EQ(version.size(), 1u);
    EXPECT_EQ(std::string(version[0].begin() + 2, version[0].end()), "ZEL DESKSET V001");
    EXPECT_EQ(computer.Ask(2, {}, 1), std::vector<Bytes>{(Bytes{2, 2, 0})});
    EXPECT_EQ(computer.Download(), DefaultImage());

    const Bytes image = TestImage();
    EXPECT_EQ(computer.Upload(image), (Bytes{1, 5}));
    EXPECT_EQ(simulator.Image(), image);
    EXPECT_EQ(simulator.CompletedUploads(), 1);
    std::ifstream saved(savePath, std::ios::binary);
    EXPECT_EQ(Bytes(std::istreambuf_iterator<char>(saved), std::istreambuf_iterator<char>()),
              image);
    std::remove(savePath);

    // The computer hangs up; the simulator notices, listens again, and the
    // next connection downloads what was uploaded.
    ASSERT_EQ(computer.Link().Disconnect(), kVcomOk);
    ASSERT_TRUE(computer.Connect());
    EXPECT_EQ(computer.Download(), image);
    EXPECT_EQ(simulator.Downloads(), 2);
}

// The computer closes its port and opens it again at once, three times, while
// the simulator's link is still up. The simulator's link clock stands still
// and the computer's moves only by its first poll interval, so each new
// connection gets through on answers alone, not on either end's time-outs.
void ConnectAgainAndAgain(CDesksetSimulator& simulator, Computer& computer, ManualClock& clock) {
    for (int connection = 1; connection <= 3; ++connection) {
        SCOPED_TRACE(connection);
        ASSERT_TRUE(computer.Connect(&clock));
        EXPECT_EQ(computer.Ask(2, {}, 1), std::vector<Bytes>{(Bytes{2, 2, 0})});
        // Every frame the computer sent (the last acknowledgement too) reaches
        // the simulator before the port closes: the purge when the port opens
        // again may drop bytes still on their way through the pty, and with
        // no clock running nothing would send them again.
        ASSERT_TRUE(WaitFor([&] {
            VcomStatistics sent;
            computer.Link().GetStatistics(sent);
            return simulator.LinkStatistics().value[VcomStatistics::kFramesReceived] >=
                   sent.value[VcomStatistics::kFramesSent];
        }));
        ASSERT_EQ(computer.Link().Disconnect(), kVcomOk);
    }
    EXPECT_EQ(simulator.LinkStatistics().value[VcomStatistics::kLinkLosses], 2)
        << "each new connection reset the link the previous one left up";
    VcomStatistics statistics;
    computer.Link().GetStatistics(statistics);
    EXPECT_EQ(statistics.value[VcomStatistics::kRetransmissions], 0);
}

// Something else holds the pty's slave open, as a cable would, so the
// simulator cannot see the computer's port close.
TEST(DesksetSimulatorTest, AComputerThatConnectsAgainGetsThroughAtOnce) {
    DesksetSimOptions options;
    options.clock = StoppedClock();
    CDesksetSimulator simulator(options);
    ASSERT_TRUE(simulator.StartOnNewPty()) << simulator.LastError();
    const int cable =
        ::open(simulator.DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(cable, 0);
    ManualClock computerTime;
    Computer computer(simulator.DevicePath(), computerTime.Clock());
    ConnectAgainAndAgain(simulator, computer, computerTime);
    ::close(cable);
}

// The same on a serial device (here a pty's slave, the computer on its
// master): the simulator keeps the device open between connections.
TEST(DesksetSimulatorTest, OnADeviceAComputerThatConnectsAgainGetsThroughAtOnce) {
    CPseudoTerminal line;
    ASSERT_TRUE(line.Open());
    DesksetSimOptions options;
    options.clock = StoppedClock();
    CDesksetSimulator simulator(options);
    ASSERT_TRUE(simulator.StartOnDevice(line.SlavePath())) << simulator.LastError();
    ManualClock computerTime;
    auto factory = std::make_unique<CTestLayerFactory>([&line] {
        return std::make_unique<CSerialLayer1>("1 8 0 0 19200", line.DuplicateMaster());
    });
    factory->SetClock(computerTime.Clock());
    Computer computer(std::move(factory));
    ConnectAgainAndAgain(simulator, computer, computerTime);
}

// A device that hangs up for good (a USB adapter pulled out) reports readable
// and hung up on every poll with nothing to read: the simulator waits on it
// instead of spinning on it.
TEST(DesksetSimulatorTest, ADeviceThatHangsUpCostsNoProcessorTime) {
    const auto processorTime = [] {
        timespec now{};
        ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
        return std::chrono::seconds(now.tv_sec) + std::chrono::nanoseconds(now.tv_nsec);
    };
    CPseudoTerminal line;
    ASSERT_TRUE(line.Open());
    CDesksetSimulator simulator(DesksetSimOptions{});
    ASSERT_TRUE(simulator.StartOnDevice(line.SlavePath())) << simulator.LastError();
    line.Close();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));

    const auto before = processorTime();
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_LT(processorTime() - before, std::chrono::milliseconds(100));
}

// Without a cable in between, the computer closing its port hangs the pty up
// and the simulator drops its link at once, with its link clock standing still.
TEST(DesksetSimulatorTest, SeesTheComputerCloseItsPort) {
    DesksetSimOptions options;
    options.clock = StoppedClock();
    CDesksetSimulator simulator(options);
    ASSERT_TRUE(simulator.StartOnNewPty()) << simulator.LastError();
    ManualClock computerTime;
    Computer computer(simulator.DevicePath(), computerTime.Clock());
    auto losses = [&] { return simulator.LinkStatistics().value[VcomStatistics::kLinkLosses]; };

    ASSERT_TRUE(computer.Connect(&computerTime));
    EXPECT_EQ(computer.Ask(2, {}, 1), std::vector<Bytes>{(Bytes{2, 2, 0})});
    EXPECT_EQ(losses(), 0);
    ASSERT_EQ(computer.Link().Disconnect(), kVcomOk);
    ASSERT_TRUE(WaitFor([&] { return losses() == 1; }));
    ASSERT_TRUE(WaitFor([&] { return simulator.IsListening(); }));

    // The next connection is an ordinary first handshake.
    ASSERT_TRUE(computer.Connect(&computerTime));
    EXPECT_EQ(computer.Ask(2, {}, 1), std::vector<Bytes>{(Bytes{2, 2, 0})});
    EXPECT_EQ(losses(), 1);
}

// The computer's serial line, on which the computer's poll timer runs out just
// after it has answered the deskset's poll with a connect request: so it goes
// when the deskset's supervision poll and the computer's first poll fall due
// together, as after one transfer right after another. That poll reaches the
// deskset only after it has dealt with the request, as on a line paced at its
// baud rate.
class CPollRightAfterAnswerLine : public CSerialLayer1 {
public:
    CPollRightAfterAnswerLine(const std::string& devicePath, ManualClock& clock,
                              std::function<bool()> requestHandled)
        : CSerialLayer1("1 8 0 0 19200", [devicePath](int) { return devicePath; }),
          m_clock(clock),
          m_requestHandled(std::move(requestHandled)) {}

    int Write(const uint8_t* bytes, int count) override {
        if (count > 0 && bytes[0] == kFrameConnectRequest && !m_answered) {
            m_answered = true;
            m_clock.Advance(kPollIntervalMs);
        } else if (count > 0 && bytes[0] == kFramePoll && m_answered && !m_pollHeld) {
            m_pollHeld = true;
            EXPECT_TRUE(WaitFor(m_requestHandled));
        }
        return CSerialLayer1::Write(bytes, count);
    }

private:
    ManualClock& m_clock;
    std::function<bool()> m_requestHandled;
    bool m_answered = false;
    bool m_pollHeld = false;
};

// The computer opens its port again while the simulator's link is still up
// (a cable holds the pty), and the simulator's supervision poll reaches it
// before the computer's first poll is due.
TEST(DesksetSimulatorTest, AComputerThatAnswersTheSupervisionPollGetsThrough) {
    ManualClock simulatorTime;
    DesksetSimOptions options;
    options.clock = simulatorTime.Clock();
    CDesksetSimulator simulator(options);
    ASSERT_TRUE(simulator.StartOnNewPty()) << simulator.LastError();
    const int cable =
        ::open(simulator.DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(cable, 0);
    auto losses = [&] { return simulator.LinkStatistics().value[VcomStatistics::kLinkLosses]; };
    ManualClock computerTime;
    auto factory = std::make_unique<CTestLayerFactory>([&] {
        return std::make_unique<CPollRightAfterAnswerLine>(simulator.DevicePath(), computerTime,
                                                           [&] { return losses() == 1; });
    });
    factory->SetClock(computerTime.Clock());
    Computer computer(std::move(factory));
    ASSERT_TRUE(computer.Connect(&computerTime));
    EXPECT_EQ(computer.Ask(2, {}, 1), std::vector<Bytes>{(Bytes{2, 2, 0})});
    ASSERT_EQ(computer.Link().Disconnect(), kVcomOk);

    CRecordingVcom& link = computer.Link();
    ASSERT_EQ(link.Connect(0, nullptr, 0, "1 8 0 0 19200"), kVcomOk);
    simulatorTime.Advance(kPollIntervalMs);
    ASSERT_TRUE(link.WaitUntil([&] { return link.connects == 2; }, std::chrono::seconds(5)));
    EXPECT_EQ(computer.Ask(2, {}, 1), std::vector<Bytes>{(Bytes{2, 2, 0})});
    EXPECT_EQ(losses(), 1) << "the request reset the simulator's old link";
    auto lock = link.Lock();
    EXPECT_EQ(link.disconnects, 0) << "the computer's new link stayed up";
    lock.unlock();
    ::close(cable);
}

TEST(DesksetSimulatorTest, ReportsFailuresWhenToldTo) {
    DesksetSimOptions options = FastOptions();
    options.failDownload = true;
    options.failUpload = true;
    options.hardware = 1;
    CDesksetSimulator simulator(options);
    ASSERT_TRUE(simulator.StartOnNewPty());
    Computer computer(simulator.DevicePath());
    ASSERT_TRUE(computer.Connect());
    EXPECT_EQ(computer.Ask(2, {}, 1), std::vector<Bytes>{(Bytes{2, 2, 1})});
    EXPECT_EQ(computer.Ask(3, {0}, 1), std::vector<Bytes>{(Bytes{1, 8})});
    EXPECT_EQ(computer.Upload(TestImage()), (Bytes{1, 6}));
    EXPECT_EQ(simulator.CompletedUploads(), 0);
}

TEST(DesksetSimulatorTest, SilentDesksetNeverBringsTheLinkUp) {
    DesksetSimOptions options = FastOptions();
    options.silent = true;
    CDesksetSimulator simulator(options);
    ASSERT_TRUE(simulator.StartOnNewPty());
    Computer computer(simulator.DevicePath());
    ASSERT_EQ(computer.Link().Connect(0, nullptr, 0, "1 8 0 0 19200"), kVcomOk);
    // Long enough for several polls and their retransmissions at the fast clock.
    EXPECT_FALSE(computer.Link().WaitUntil([&] { return computer.Link().connects > 0; },
                                           std::chrono::milliseconds(600)));
    VcomStatistics statistics;
    computer.Link().GetStatistics(statistics);
    EXPECT_GT(statistics.value[VcomStatistics::kFramesSent], 1);
    EXPECT_EQ(statistics.value[VcomStatistics::kFramesReceived], 0);
}

TEST(DesksetSimulatorTest, LinksThePtyToAChosenName) {
    const std::string linkPath = "/tmp/torvo-sim-link-" + std::to_string(::getpid());
    DesksetSimOptions options = FastOptions();
    options.linkPath = linkPath;
    {
        CDesksetSimulator simulator(options);
        ASSERT_TRUE(simulator.StartOnNewPty()) << simulator.LastError();
        char target[256] = {};
        ASSERT_GT(::readlink(linkPath.c_str(), target, sizeof(target) - 1), 0);
        EXPECT_EQ(std::string(target), simulator.DevicePath());
        Computer computer(linkPath);
        ASSERT_TRUE(computer.Connect());
        EXPECT_EQ(computer.Ask(2, {}, 1), std::vector<Bytes>{(Bytes{2, 2, 0})});
    }
    EXPECT_NE(::access(linkPath.c_str(), F_OK), 0) << "removed when the simulator stops";
}

// On a socket, as behind a serial device server: a computer that calls
// after another has hung up is served too, its call waiting on the listening
// socket the simulator keeps between links.
TEST(DesksetSimulatorTest, ServesOneComputerAfterAnotherOnASocket) {
    CDesksetSimulator simulator(DesksetSimOptions{});
    ASSERT_TRUE(simulator.StartOnTcp("127.0.0.1:0")) << simulator.LastError();
    const std::string text = tcp_device::ClientParameters("tcp:" + simulator.DevicePath());
    for (int call = 0; call < 2; ++call) {
        Computer computer(simulator.DevicePath());
        ASSERT_TRUE(computer.Connect(nullptr, CLayerFactory::kSocketLayer1, text)) << call;
        EXPECT_EQ(computer.Download(), simulator.Image());
    }
}

// The program itself: prints its pty, answers, and ends cleanly on SIGTERM.
TEST(DesksetSimulatorProgramTest, PrintsItsPtyAndStopsOnSigterm) {
    int output[2];
    ASSERT_EQ(::pipe(output), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    const char* program = TORVO_DESKSET_SIM_PATH;
    char* const arguments[] = {const_cast<char*>(program), const_cast<char*>("--database-version"),
                               const_cast<char*>("ZEL DESKSET V009"), nullptr};
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, program, &actions, nullptr, arguments, environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(output[1]);

    std::string path;
    char character = 0;
    while (::read(output[0], &character, 1) == 1 && character != '\n') {
        path += character;
    }
    ::close(output[0]);
    ASSERT_EQ(path.rfind("/dev/pts/", 0), 0u) << path;

    {
        Computer computer(path);
        ASSERT_TRUE(computer.Connect());
        const auto version = computer.Ask(1, {}, 1);
        ASSERT_EQ(version.size(), 1u);
        EXPECT_EQ(std::string(version[0].begin() + 2, version[0].end()), "ZEL DESKSET V009");
    }

    ASSERT_EQ(::kill(child, SIGTERM), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
