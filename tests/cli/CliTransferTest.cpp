// SPDX-License-Identifier: GPL-3.0-or-later
// torvo-cli download and upload against the simulated deskset on a pseudo-terminal.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "CDesksetSimulator.h"
#include "ConsoleTransfer.h"
#include "TorvoCli.h"
#include "link/CLayerFactory.h"
#include "link/SocketPlatform.h"
#include "link/SocketSupport.h"
#include "link/posix/CSerialPortLock.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "support/FileSizeLimit.h"
#include "support/ScratchDir.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

class CliTransferTest : public ::testing::Test {
protected:
    void StartSimulator(DesksetSimOptions options = {}) {
        m_simulator = std::make_unique<CDesksetSimulator>(std::move(options));
        ASSERT_TRUE(m_simulator->StartOnNewPty()) << m_simulator->LastError();
    }
    // The program's own bounds, except a quicker progress poll: the waits end
    // as soon as the deskset answers, and a loaded machine never runs them out.
    int Run(std::vector<std::string> args, transfer::TransferTimings timings = {.uploadPollMs = 20},
            bool drawBar = false) {
        m_out.str({});
        m_err.str({});
        TorvoCli cli(m_out, m_err);
        cli.SetDrawProgressBar(drawBar);
        cli.SetStopRequest(&m_stopRequested);
        cli.SetStoredPortSource([] { return std::string(); });
        cli.SetTransferSetup([this, timings](ConsoleTransfer& transfer) {
            m_commandAnswerMs = transfer.Timings().answerMs;
            // The link's timers and the connect attempts run much faster than real time.
            const MillisecondClock steady = SteadyMillisecondClock();
            transfer.Link().LayerFactory().SetClock(
                m_linkClockStands ? MillisecondClock([] { return 1000u; })
                                  : MillisecondClock([steady] { return steady() * 10; }));
            transfer.SetTimings(timings);
            if (m_connectTimeout) {
                transfer.SetConnectTimeout(m_connectTimeout);
            }
        });
        return cli.Run(args);
    }
    std::string Path(const std::string& name) const { return m_scratch.Path(name); }
    std::string Device() const { return m_simulator->DevicePath(); }

    ScratchDir m_scratch;
    std::ostringstream m_out;
    std::ostringstream m_err;
    std::unique_ptr<CDesksetSimulator> m_simulator;
    int m_commandAnswerMs = 0;  // what the command line asked for, before the test's timings
    std::optional<std::chrono::milliseconds> m_connectTimeout;  // replaces the command line's
    std::atomic<bool> m_stopRequested{false};
    bool m_linkClockStands = false;  // no link timer ever runs out
};

// The torvo-deskset-sim program, stopped (SIGTERM) at the latest when the
// test ends.
class SimulatorProgram {
public:
    explicit SimulatorProgram(std::vector<std::string> options) {
        int output[2];
        if (::pipe(output) != 0) {
            return;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, output[0]);
        options.insert(options.begin(), TORVO_DESKSET_SIM_PATH);
        std::vector<char*> arguments;
        for (auto& word : options) {
            arguments.push_back(word.data());
        }
        arguments.push_back(nullptr);
        if (::posix_spawn(&m_child, arguments[0], &actions, nullptr, arguments.data(), environ) !=
            0) {
            m_child = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
        ::close(output[1]);
        m_output = output[0];
    }
    ~SimulatorProgram() {
        Stop();
        ::close(m_output);
    }
    // The first line it prints (ends when the program does).
    std::string FirstLine() {
        std::string line;
        char character = 0;
        while (::read(m_output, &character, 1) == 1 && character != '\n') {
            line += character;
        }
        return line;
    }
    // Its exit status, -1 when it did not exit normally.
    int Stop() {
        if (m_child <= 0) {
            return -1;
        }
        ::kill(m_child, SIGTERM);
        int status = 0;
        const pid_t ended = ::waitpid(m_child, &status, 0);
        m_child = -1;
        return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t m_child = -1;
    int m_output = -1;
};

constexpr transfer::TransferTimings kQuickAnswer = {.uploadPollMs = 20, .answerMs = 200};

}  // namespace

TEST_F(CliTransferTest, DownloadWritesTheDesksetsDatabase) {
    ConfigImage served;
    SetImageDefaults(served);
    served.SetU8(0x3FFF, 0x42);
    DesksetSimOptions options;
    options.image.assign(served.Bytes().begin(), served.Bytes().end());
    StartSimulator(options);

    // The computer polls as soon as the port is open: a waiting deskset needs
    // no timer of the link's to run out.
    m_linkClockStands = true;
    const auto out = Path("from-deskset.ddb");
    ASSERT_EQ(Run({"download", "--port", Device(), "--out", out}), 0) << m_err.str();
    ConfigImage written;
    ASSERT_TRUE(ReadDatabaseFile(out, written).Ok());
    EXPECT_EQ(written, served);
    EXPECT_THAT(m_err.str(), HasSubstr("Downloading data...(Completed)"));
}

TEST_F(CliTransferTest, UploadSendsTheFileAndSucceedsOnlyOnCompletion) {
    StartSimulator();
    ConfigImage image;
    SetImageDefaults(image);
    image.SetU8(0x0023, 0x99);
    const auto file = Path("to-deskset.ddb");
    ASSERT_TRUE(WriteDatabaseFile(file, image).Ok());
    ASSERT_EQ(Run({"upload", "--port", Device(), file}), 0) << m_err.str();
    EXPECT_EQ(m_simulator->Image(),
              std::vector<std::uint8_t>(image.Bytes().begin(), image.Bytes().end()));

    // A file the desktop program would refuse is refused before any connection.
    const auto bad = Path("bad.ddb");
    std::ofstream(bad) << "ZEL DESKSET V999 rest";
    EXPECT_EQ(Run({"upload", "--port", Device(), bad}), 1);
    EXPECT_EQ(m_err.str(), bad + ": Unknown database version.\n");
}

// The simulator program serving on a socket, as a deskset behind a serial
// device server: torvo-cli reaches it at tcp:HOST:PORT.
TEST_F(CliTransferTest, DownloadAndUploadThroughADeviceServerAddress) {
    ConfigImage served;
    SetImageDefaults(served);
    served.SetU8(0x2000, 0x5A);
    const auto servedFile = Path("served.ddb");
    const auto uploadedFile = Path("uploaded.ddb");
    ASSERT_TRUE(WriteDatabaseFile(servedFile, served).Ok());

    SimulatorProgram simulator(
        {"--tcp", "127.0.0.1:0", "--image", servedFile, "--save", uploadedFile});
    const std::string address = simulator.FirstLine();
    ASSERT_THAT(address, ::testing::StartsWith("127.0.0.1:"));
    EXPECT_NE(address, "127.0.0.1:0") << "the port the system picked";

    const auto downloaded = Path("downloaded.ddb");
    EXPECT_EQ(Run({"download", "--port", "tcp:" + address, "--out", downloaded}), 0) << m_err.str();
    ConfigImage written;
    EXPECT_TRUE(ReadDatabaseFile(downloaded, written).Ok());
    EXPECT_EQ(written, served);

    ConfigImage image;
    SetImageDefaults(image);
    image.SetU8(0x3FFE, 0xA5);
    const auto file = Path("to-deskset.ddb");
    ASSERT_TRUE(WriteDatabaseFile(file, image).Ok());
    EXPECT_EQ(Run({"upload", "--port", "tcp:" + address, file}), 0) << m_err.str();
    ConfigImage uploaded;
    EXPECT_TRUE(ReadDatabaseFile(uploadedFile, uploaded).Ok());
    EXPECT_EQ(uploaded, image);

    EXPECT_EQ(simulator.Stop(), 0);
}

// The same over IPv6, the address in brackets on both command lines.
TEST_F(CliTransferTest, DownloadAndUploadThroughAnIpv6DeviceServerAddress) {
    socket_support::SocketAddress loopback;
    ASSERT_TRUE(socket_support::ParseNumeric("::1", 0, loopback));
    SocketHandle probe = socket_support::OpenListeningSocket(loopback, 1);
    if (probe == kNoSocket) {
        GTEST_SKIP() << "no IPv6 loopback";
    }
    socket_platform::Close(probe);

    ConfigImage served;
    SetImageDefaults(served);
    served.SetU8(0x1234, 0x6C);
    const auto servedFile = Path("served6.ddb");
    const auto uploadedFile = Path("uploaded6.ddb");
    ASSERT_TRUE(WriteDatabaseFile(servedFile, served).Ok());
    SimulatorProgram simulator({"--tcp", "[::1]:0", "--image", servedFile, "--save", uploadedFile});
    const std::string address = simulator.FirstLine();
    ASSERT_THAT(address, ::testing::StartsWith("[::1]:"));
    EXPECT_NE(address, "[::1]:0") << "the port the system picked";

    const auto downloaded = Path("downloaded6.ddb");
    EXPECT_EQ(Run({"download", "--port", "tcp:" + address, "--out", downloaded}), 0) << m_err.str();
    ConfigImage written;
    EXPECT_TRUE(ReadDatabaseFile(downloaded, written).Ok());
    EXPECT_EQ(written, served);

    EXPECT_EQ(Run({"upload", "--port", "tcp:" + address, downloaded}), 0) << m_err.str();
    ConfigImage uploaded;
    EXPECT_TRUE(ReadDatabaseFile(uploadedFile, uploaded).Ok());
    EXPECT_EQ(uploaded, served);
    EXPECT_EQ(simulator.Stop(), 0);
}

TEST_F(CliTransferTest, FailuresPrintTheProgramsMessageAndWriteNothing) {
    DesksetSimOptions wrongVersion;
    wrongVersion.version = "ZEL DESKSET V002";
    StartSimulator(wrongVersion);
    const auto out = Path("never.ddb");
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", out}), 1);
    EXPECT_EQ(m_err.str(), "ERROR : Wrong database version\n");
    EXPECT_FALSE(fs::exists(out));

    m_simulator.reset();
    DesksetSimOptions wrongHardware;
    wrongHardware.hardware = 1;
    StartSimulator(wrongHardware);
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", out}), 1);
    EXPECT_EQ(m_err.str(), "ERROR : Wrong hardware ID\n");

    m_simulator.reset();
    DesksetSimOptions failing;
    failing.failDownload = true;
    StartSimulator(failing);
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", out}), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("(Error! Transfer was incomplete)"));
    EXPECT_FALSE(fs::exists(out));
}

TEST_F(CliTransferTest, ASilentDesksetEndsWithTheRetryQuestionsFirstLine) {
    DesksetSimOptions silent;
    silent.silent = true;
    StartSimulator(silent);
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", Path("x.ddb")},
                  {.connectMs = 50, .uploadPollMs = 20, .completionMs = 1000}),
              1);
    EXPECT_EQ(m_err.str(),
              "Torvo is presently unable to establish connection with the deskset.\n"
              "Cause: no deskset answers on " +
                  Device() + ".\n");
}

TEST_F(CliTransferTest, PortsAndOptionsAreChecked) {
    EXPECT_EQ(Run({"download", "--port", "COM9", "--out", Path("x.ddb")}), 2);
    EXPECT_THAT(m_err.str(), HasSubstr("PORT must be a COM port of this computer"));
    EXPECT_EQ(Run({"download", "--out", Path("x.ddb")}), 2);
    EXPECT_EQ(Run({"upload", "--port"}), 2);
    EXPECT_THAT(m_err.str(), HasSubstr("option '--port' needs a value"));
    EXPECT_EQ(Run({"upload", "--port", "COM1"}), 2);
    EXPECT_EQ(Run({"download", "--help"}), 0);
    EXPECT_THAT(m_out.str(), HasSubstr("--out FILE"));

    // A port that cannot be opened fails at once, and says why.
    EXPECT_EQ(Run({"download", "--port", Path("no-such-device"), "--out", Path("x.ddb")}), 1);
    EXPECT_EQ(m_err.str(),
              "Torvo is unable to establish connection with the deskset.\nCause: "
              "there is no device " +
                  Path("no-such-device") + ".\n");
}

TEST_F(CliTransferTest, AHostileDesksetGetsNoPartialOrDoubledTransferThrough) {
    DesksetSimOptions doubled;
    doubled.hardwareAnswers = 2;
    StartSimulator(doubled);
    const auto file = Path("to-deskset.ddb");
    ASSERT_EQ(Run({"new", file}), 0);
    EXPECT_EQ(Run({"upload", "--port", Device(), file}, {}, true), 0) << m_err.str();
    EXPECT_EQ(m_simulator->CompletedUploads(), 1);

    m_simulator.reset();
    DesksetSimOptions shortDownload;
    shortDownload.downloadBlocks = 10;
    StartSimulator(shortDownload);
    const auto out = Path("partial.ddb");
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", out}, {}, true), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("Downloading data...(Error! Transfer was incomplete)\n"));
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(std::distance(fs::directory_iterator(m_scratch.Root()), fs::directory_iterator()), 1)
        << "only the uploaded file: no new file left behind";
}

TEST_F(CliTransferTest, ADesksetThatGoesQuietEndsTheCommand) {
    const auto out = Path("never.ddb");
    DesksetSimOptions shortVersion;
    shortVersion.version = "ZEL DESKSET V01";  // ignored by the program: no answer at all
    DesksetSimOptions noHardwareAnswer;
    noHardwareAnswer.answerLimit = 1;
    DesksetSimOptions stopsPartWay;
    stopsPartWay.downloadBlocks = 10;
    stopsPartWay.stallDownload = true;
    for (const DesksetSimOptions& options : {shortVersion, noHardwareAnswer, stopsPartWay}) {
        m_simulator.reset();
        StartSimulator(options);
        EXPECT_EQ(Run({"download", "--port", Device(), "--out", out}, kQuickAnswer), 1);
        EXPECT_THAT(m_err.str(), testing::EndsWith("Communication error with deskset\n"));
        EXPECT_FALSE(fs::exists(out));
    }

    // The bound is the command's to choose.
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", out, "--timeout", "0"}), 2);
    EXPECT_THAT(m_err.str(), HasSubstr("SECONDS must be a whole number from 1 to 3600"));
    EXPECT_EQ(Run({"upload", "--port", Device(), "--timeout", "x", out}), 2);
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", out, "--timeout", "25"}, kQuickAnswer),
              1);
    EXPECT_EQ(m_commandAnswerMs, 25000);
}

TEST_F(CliTransferTest, WhereTheDownloadGoesIsCheckedBeforeConnecting) {
    // No deskset at all: a file problem is reported, not a connection problem.
    const std::string noDevice = Path("no-such-device");
    EXPECT_EQ(Run({"download", "--port", noDevice, "--out", Path("missing/x.ddb")}), 1);
    EXPECT_EQ(m_err.str(), Path("missing/x.ddb") + " contains an invalid path.\n");
    EXPECT_EQ(Run({"download", "--port", noDevice, "--out", m_scratch.Root().string()}), 1);
    EXPECT_EQ(m_err.str(), m_scratch.Root().string() + " is a folder.\n");

    // A port named by a relative path is a port.
    StartSimulator();
    const auto out = Path("copy.ddb");
    const std::string relative = fs::relative(Device()).string();
    ASSERT_FALSE(relative.starts_with("/"));
    EXPECT_EQ(Run({"download", "--port", relative, "--out", out}), 0) << m_err.str();
    EXPECT_TRUE(fs::exists(out));
}

TEST_F(CliTransferTest, AnInterruptEndsTheTransferAndLeavesNoFileBehind) {
    DesksetSimOptions silent;
    silent.silent = true;
    StartSimulator(silent);
    m_stopRequested = true;
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", Path("x.ddb")}), 1);
    EXPECT_EQ(m_err.str(), "Interrupted.\n");
    EXPECT_TRUE(fs::is_empty(m_scratch.Root()));
}

namespace {

std::vector<std::uint8_t> BytesOf(const ConfigImage& image) {
    return {image.Bytes().begin(), image.Bytes().end()};
}

// A database that differs from the defaults the simulator serves.
std::string WriteChangedDatabase(const std::string& path, ConfigImage& image) {
    SetImageDefaults(image);
    image.SetU8(0x0100, 0x5A);
    image.SetU8(0x3FFF, 0xA5);
    EXPECT_TRUE(WriteDatabaseFile(path, image).Ok());
    return path;
}

std::vector<fs::path> FilesIn(const std::string& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

}  // namespace

TEST_F(CliTransferTest, UploadWithBackupAndVerifyKeepsWhatTheDesksetHeld) {
    ConfigImage held;
    SetImageDefaults(held);
    held.SetU8(0x0200, 0x77);
    DesksetSimOptions options;
    options.image = BytesOf(held);
    StartSimulator(options);
    ConfigImage image;
    const auto file = WriteChangedDatabase(Path("new.ddb"), image);
    const auto backups = Path("backups");
    fs::create_directory(backups);

    ASSERT_EQ(Run({"upload", "--port", Device(), "--backup", backups, "--verify", file}), 0)
        << m_err.str();
    EXPECT_EQ(m_simulator->Image(), BytesOf(image));
    auto files = FilesIn(backups);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_THAT(files[0].filename().string(),
                ::testing::MatchesRegex("deskset-[0-9]{8}-[0-9]{6}\\.ddb"));
    ConfigImage kept;
    ASSERT_TRUE(ReadDatabaseFile(files[0], kept).Ok());
    EXPECT_EQ(kept, held);
    EXPECT_THAT(m_err.str(),
                ::testing::ContainsRegex("Backing up.*\n(.*\n)*Uploading data.*\n(.*\n)*"
                                         "Verifying the upload...\\(Completed\\)"));
    EXPECT_EQ(m_out.str(),
              "Uploaded and verified: 16384 bytes identical; the deskset's previous database is "
              "in " +
                  files[0].string() + "\n");

    // A second backup never replaces the first, even within the same second.
    ASSERT_EQ(Run({"upload", "--port", Device(), "--backup", backups, file}), 0) << m_err.str();
    files = FilesIn(backups);
    ASSERT_EQ(files.size(), 2u);
    ASSERT_TRUE(ReadDatabaseFile(files[0], kept).Ok());
    EXPECT_TRUE(kept == held || kept == image);
    EXPECT_EQ(m_simulator->CompletedUploads(), 2);
}

TEST_F(CliTransferTest, ACorruptedBlockFailsTheVerifyWithTheCountAndTheBackup) {
    DesksetSimOptions options;
    options.corruptUploadBlock = 7;
    StartSimulator(options);
    ConfigImage image;
    const auto file = WriteChangedDatabase(Path("new.ddb"), image);
    const auto backups = Path("backups");
    fs::create_directory(backups);

    EXPECT_EQ(Run({"upload", "--port", Device(), "--verify", "--backup", backups, file}), 1);
    const auto files = FilesIn(backups);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_THAT(m_err.str(),
                HasSubstr("Verify failed: 100 bytes read back from the deskset differ"));
    EXPECT_THAT(m_err.str(), HasSubstr("previous database is in " + files[0].string() + "."));

    // Without --verify the same damage goes unnoticed: that is what it is for.
    EXPECT_EQ(Run({"upload", "--port", Device(), file}), 0);
}

TEST_F(CliTransferTest, ABackupThatCannotBeWrittenStopsBeforeUploading) {
    StartSimulator();
    const std::vector<std::uint8_t> before = m_simulator->Image();
    ConfigImage image;
    const auto file = WriteChangedDatabase(Path("new.ddb"), image);

    EXPECT_EQ(Run({"upload", "--port", Device(), "--backup", Path("missing"), file}), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("Nothing was uploaded."));
    EXPECT_EQ(Run({"upload", "--port", Device(), "--backup", file, "--verify", file}), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("is not a folder"));

    EXPECT_EQ(m_simulator->Image(), before);
    EXPECT_EQ(m_simulator->CompletedUploads(), 0);
}

TEST_F(CliTransferTest, ATraceOfADownloadDecodes) {
    StartSimulator();
    const auto trace = Path("link.trace");
    ASSERT_EQ(Run({"download", "--port", Device(), "--out", Path("x.ddb"), "--trace", trace}), 0)
        << m_err.str();

    const std::regex linePattern(
        "\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\\.\\d{3}Z (TX|RX) ([a-z-]+) seq=(\\d+) "
        "len=(\\d+)((?: [0-9A-F]{2})+)");
    const std::map<std::string, int> kinds = {
        {"connect-request", 1}, {"ack", 2}, {"poll", 3}, {"data", 4}, {"confirm", 9}};
    std::ifstream in(trace);
    std::string line;
    std::set<std::string> directions;
    std::vector<int> receivedData;
    int lines = 0;
    while (std::getline(in, line)) {
        ++lines;
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, linePattern)) << line;
        std::vector<int> bytes;
        std::istringstream hex(match[5].str());
        for (int byte = 0; hex >> std::hex >> byte;) {
            bytes.push_back(byte);
        }
        ASSERT_EQ(bytes.size(), std::stoul(match[4].str())) << line;
        ASSERT_EQ(bytes.size(), bytes[2] + 5u) << line;
        ASSERT_TRUE(kinds.contains(match[2].str())) << line;
        EXPECT_EQ(bytes[0], kinds.at(match[2].str())) << line;
        EXPECT_EQ(bytes[1], std::stoi(match[3].str())) << line;
        directions.insert(match[1].str());
        if (match[1] == "RX" && match[2] == "data") {
            receivedData.push_back(bytes[1]);
        }
    }
    EXPECT_EQ(directions, (std::set<std::string>{"TX", "RX"}));
    // Version, hardware, 164 blocks and the outcome; a retransmission repeats its number.
    ASSERT_GE(receivedData.size(), 167u);
    for (std::size_t i = 1; i < receivedData.size(); ++i) {
        const int step = (receivedData[i] - receivedData[i - 1] + 255) % 255;
        EXPECT_LE(step, 1) << "data frame " << i;
    }
    EXPECT_GT(lines, 2 * 167);

    EXPECT_EQ(Run({"download", "--port", Device(), "--out", Path("y.ddb"), "--trace",
                   Path("no/such/folder/t")}),
              1);
    EXPECT_THAT(m_err.str(), HasSubstr("cannot be written"));
}

// A deskset's "upload completed" where it cannot be true is never taken for success.
TEST_F(CliTransferTest, AnUploadCompletionOutOfPlaceFailsTheCommand) {
    ConfigImage image;
    const auto file = WriteChangedDatabase(Path("new.ddb"), image);
    const auto backups = Path("backups");
    fs::create_directory(backups);
    const auto out = Path("downloaded.ddb");

    DesksetSimOptions answersDownloadAsUpload;
    answersDownloadAsUpload.downloadAnsweredAsUpload = true;
    StartSimulator(answersDownloadAsUpload);
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", out}, kQuickAnswer), 1);
    EXPECT_THAT(m_err.str(), testing::EndsWith("Communication error with deskset\n"));
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(
        Run({"upload", "--port", Device(), "--backup", backups, "--verify", file}, kQuickAnswer),
        1);
    EXPECT_THAT(m_err.str(), ::testing::Not(HasSubstr("(Completed)")));
    EXPECT_EQ(m_simulator->CompletedUploads(), 0);
    EXPECT_TRUE(FilesIn(backups).empty());

    m_simulator.reset();
    DesksetSimOptions claimsEarly;
    claimsEarly.uploadCompletedAfterBlocks = 10;
    StartSimulator(claimsEarly);
    EXPECT_EQ(Run({"upload", "--port", Device(), file}), 1);
    EXPECT_THAT(m_err.str(), testing::EndsWith("The upload failed: upload the database again.\n"));

    m_simulator.reset();
    DesksetSimOptions doubled;
    doubled.uploadCompletions = 2;
    doubled.corruptUploadBlock = 3;
    StartSimulator(doubled);
    EXPECT_EQ(Run({"upload", "--port", Device(), "--verify", file}), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("Verify failed: 100 bytes read back"));
}

// A deskset, or a device server, that closes the line as soon as its outcome
// was acknowledged: the outcome still counts, over a pty and over TCP.
TEST_F(CliTransferTest, AHangUpRightAfterTheOutcomeLosesNothing) {
    ConfigImage image;
    const auto file = WriteChangedDatabase(Path("new.ddb"), image);
    DesksetSimOptions hangsUp;
    hangsUp.hangUpAfterOutcome = true;
    for (const bool overTcp : {false, true}) {
        for (int run = 0; run < 3; ++run) {
            SCOPED_TRACE(testing::Message() << (overTcp ? "tcp" : "pty") << " run " << run);
            m_simulator = std::make_unique<CDesksetSimulator>(hangsUp);
            ASSERT_TRUE(overTcp ? m_simulator->StartOnTcp("127.0.0.1:0")
                                : m_simulator->StartOnNewPty());
            const std::string port = (overTcp ? "tcp:" : "") + Device();
            const auto out = Path("downloaded.ddb");
            EXPECT_EQ(Run({"download", "--port", port, "--out", out}), 0) << m_err.str();
            EXPECT_TRUE(fs::exists(out));
            fs::remove(out);
            if (overTcp) {  // a pty stays closed after the hang-up
                EXPECT_EQ(Run({"upload", "--port", port, file}), 0) << m_err.str();
            }
        }
    }
}

TEST_F(CliTransferTest, ATraceCutShortFailsTheCommandBesideTheTransfersOutcome) {
    StartSimulator();
    const std::string incomplete = " is incomplete: it could not be written to the end.\n";
    // A full disk from the first line: the download itself succeeds and its file is written.
    const auto out = Path("x.ddb");
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", out, "--trace", "/dev/full"}), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("The trace file /dev/full" + incomplete));
    EXPECT_EQ(fs::file_size(out), 16384u);

    // Room for a few lines only: the upload completes, the trace stops part way.
    const auto trace = Path("upload.trace");
    const int status = [&] {
        const FileSizeLimit limit(2000);
        return Run({"upload", "--port", Device(), "--trace", trace, out});
    }();
    EXPECT_EQ(status, 1);
    EXPECT_EQ(m_simulator->CompletedUploads(), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("The trace file " + trace + incomplete));
    EXPECT_GT(fs::file_size(trace), 0u);
    EXPECT_LE(fs::file_size(trace), 2000u);

    // A failed transfer gives its own message, then the trace's.
    m_simulator.reset();
    DesksetSimOptions wrongVersion;
    wrongVersion.version = "ZEL DESKSET V002";
    StartSimulator(wrongVersion);
    EXPECT_EQ(Run({"upload", "--port", Device(), "--trace", "/dev/full", out}), 1);
    EXPECT_EQ(m_err.str(), "ERROR : Wrong database version\nThe trace file /dev/full" + incomplete);
}

namespace {

// A local TCP port that nothing listens on.
int ClosedPort() {
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(probe);
    return ntohs(address.sin_port);
}

}  // namespace

// When the link does not come up, the last line says why, as far as it is known.
TEST_F(CliTransferTest, AConnectionThatCannotBeHadSaysWhy) {
    m_connectTimeout = std::chrono::milliseconds(800);
    DesksetSimOptions silent;
    silent.silent = true;
    StartSimulator(silent);
    const std::string plainFile = Path("plain");
    std::ofstream(plainFile) << "not a device";
    const std::string closed = "tcp:127.0.0.1:" + std::to_string(ClosedPort());
    struct Case {
        std::string port;
        std::string cause;
    };
    const std::vector<Case> cases = {
        {Path("gone"), "there is no device " + Path("gone")},
        {plainFile, plainFile + " is not a serial device"},
        {Device(), "no deskset answers on " + Device()},
        {closed, closed + ": Connection refused"},
        {"tcp:nosuch.invalid:4001", "the host of tcp:nosuch.invalid:4001 was not found"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run({"download", "--port", c.port, "--out", Path("x.ddb")}), 1) << c.port;
        EXPECT_THAT(m_err.str(), testing::EndsWith("\nCause: " + c.cause + ".\n"));
    }

    // A port whose lock file names a live process (init) is refused with its number.
    const std::string lockFile = std::string(CSerialPortLock::kSystemLockFolder) + "/" +
                                 CSerialPortLock::LockFileName(Device());
    if (std::FILE* lock = std::fopen(lockFile.c_str(), "wx")) {
        std::fputs("         1\n", lock);
        std::fclose(lock);
        EXPECT_EQ(Run({"download", "--port", Device(), "--out", Path("x.ddb")}), 1);
        std::remove(lockFile.c_str());
        EXPECT_THAT(m_err.str(),
                    testing::EndsWith("\nCause: " + Device() + " is locked by process 1.\n"));
    }
}

// On a terminal each attempt is shown; --connect-timeout bounds the attempts
// whether it is shorter or longer than the desktop program's series.
TEST_F(CliTransferTest, TheConnectionPhaseShowsItsAttemptsAndKeepsItsBound) {
    DesksetSimOptions silent;
    silent.silent = true;
    StartSimulator(silent);
    const transfer::TransferTimings quickAttempts{.connectMs = 50, .uploadPollMs = 20};
    const std::string attempt = "\rConnecting to " + Device() + ", attempt ";
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", Path("x.ddb")}, quickAttempts, true),
              1);
    EXPECT_THAT(m_err.str(), HasSubstr(attempt + "1 of 6..."));
    EXPECT_THAT(m_err.str(), HasSubstr(attempt + "6 of 6...\nTorvo is presently unable"));
    EXPECT_THAT(m_err.str(), ::testing::Not(HasSubstr(attempt + "7")));

    m_connectTimeout = std::chrono::milliseconds(500);
    EXPECT_EQ(Run({"download", "--port", Device(), "--out", Path("x.ddb")}, quickAttempts, true),
              1);
    EXPECT_THAT(m_err.str(), HasSubstr(attempt + "8 of 10..."));
    EXPECT_THAT(m_err.str(), testing::EndsWith("Cause: no deskset answers on " + Device() + ".\n"));

    m_connectTimeout.reset();  // the command line's value, checked before any connection
    for (const auto& [seconds, status] : std::vector<std::pair<std::string, int>>{
             {"0", 2}, {"1", 1}, {"3600", 1}, {"3601", 2}, {"1.5", 2}, {"", 2}}) {
        EXPECT_EQ(Run({"download", "--port", Path("gone"), "--out", Path("x.ddb"),
                       "--connect-timeout", seconds}),
                  status)
            << seconds;
    }
    EXPECT_THAT(m_err.str(), HasSubstr("--connect-timeout SECONDS must be a whole number"));
}
