// SPDX-License-Identifier: GPL-3.0-or-later
#include "TorvoCli.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "support/ScratchDir.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

class TorvoCliTest : public ::testing::Test {
protected:
    int Run(std::vector<std::string> args) {
        m_out.str({});
        m_err.str({});
        TorvoCli cli(m_out, m_err);
        cli.SetStoredPortSource([this] { return m_storedPort; });
        return cli.Run(args);
    }
    std::string Path(const std::string& name) const { return m_scratch.Path(name); }

    ScratchDir m_scratch;
    std::string m_storedPort;  // the desktop program's choice, as torvo-cli reads it
    std::ostringstream m_out;
    std::ostringstream m_err;
};

}  // namespace

TEST_F(TorvoCliTest, NewWritesTheDefaultsAndRefusesToOverwriteWithoutForce) {
    const auto path = Path("a.ddb");
    EXPECT_EQ(Run({"new", path}), 0);
    ConfigImage expected;
    SetImageDefaults(expected);
    ConfigImage loaded;
    ASSERT_TRUE(ReadDatabaseFile(path, loaded).Ok());
    EXPECT_EQ(loaded, expected);

    std::ofstream(path, std::ios::trunc) << "keep me";
    EXPECT_EQ(Run({"new", path}), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("already exists"));
    EXPECT_EQ(fs::file_size(path), 7u);

    EXPECT_EQ(Run({"new", "--force", path}), 0);
    EXPECT_EQ(fs::file_size(path), 16384u);
}

TEST_F(TorvoCliTest, CheckReportsTheDesktopProgramsMessages) {
    const auto good = Path("good.ddb");
    ASSERT_EQ(Run({"new", good}), 0);
    EXPECT_EQ(Run({"check", good}), 0);

    const auto wrong = Path("wrong.ddb");
    std::ofstream(wrong, std::ios::binary) << "ZEL DESKSET V002 and more";
    EXPECT_EQ(Run({"check", wrong}), 1);
    EXPECT_EQ(m_err.str(), wrong + ": Unknown database version.\n");

    const auto tiny = Path("tiny.ddb");
    std::ofstream(tiny, std::ios::binary) << "ZEL";
    EXPECT_EQ(Run({"check", tiny}), 1);
    EXPECT_EQ(m_err.str(), tiny + ": Unexpected file format.\n");

    EXPECT_EQ(Run({"check", Path("none.ddb")}), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("was not found."));

    // The desktop program is silent about an empty file; the shell user gets a reason.
    const auto empty = Path("empty.ddb");
    std::ofstream(empty, std::ios::binary).flush();
    EXPECT_EQ(Run({"check", empty}), 1);
    EXPECT_EQ(m_err.str(), empty + ": the file is empty.\n");
    EXPECT_EQ(m_out.str(), "");
}

// The port is checked before the file is read, so a missing file tells an
// accepted port (exit 1, the file's message) from a refused one (exit 2).
TEST_F(TorvoCliTest, PortsAreCOM1ToCOM4OrADevicePathAndDefaultToTheStoredOne) {
    const auto missing = Path("missing.ddb");
    // Anything but a COM name is a device path, a relative one too.
    for (const char* port :
         {"COM1", "COM2", "COM3", "COM4", "/dev/ttyUSB0", "ttyS0", "COM",
          "tcp:192.168.001.010:4001", "tcp:server.local:1", "tcp:[::1]:1", "tcp:[::1]:65535"}) {
        EXPECT_EQ(Run({"upload", "--port", port, missing}), 1) << port;
        EXPECT_THAT(m_err.str(), HasSubstr("was not found.")) << port;
    }
    for (const char* port :
         {"COM0", "COM5", "COM9", "COM10", "", "tcp:host", "tcp::4001", "tcp:host:0",
          "tcp:host:65536", "tcp:host:40x1", "tcp:a b:1", "tcp:[::1]", "tcp:[::1:80", "tcp::80",
          "tcp:[::1]:0", "tcp:[::1]:65536", "tcp:::1:80"}) {
        EXPECT_EQ(Run({"upload", "--port", port, missing}), 2) << port;
        EXPECT_THAT(m_err.str(), HasSubstr("PORT must be a COM port of this computer")) << port;
    }

    // A device server's address that cannot be used says what is wrong with it.
    EXPECT_EQ(Run({"upload", "--port", "tcp:[::1:80", missing}), 2);
    EXPECT_THAT(m_err.str(), HasSubstr("(tcp:[::1:80: the IPv6 address has no closing ']')"));
    EXPECT_EQ(Run({"upload", "--port", "tcp:::1:80", missing}), 2);
    EXPECT_THAT(m_err.str(), HasSubstr("must be written in brackets, as in [::1]:PORT"));

    EXPECT_EQ(Run({"upload", missing}), 2);
    EXPECT_THAT(m_err.str(), HasSubstr("no --port PORT given, and no COM port is chosen"));
    m_storedPort = "COM2";
    EXPECT_EQ(Run({"upload", missing}), 1) << "the stored port is taken";
    EXPECT_THAT(m_err.str(), HasSubstr("was not found."));
}

TEST_F(TorvoCliTest, UsageErrorsExitTwoAndHelpExitsZero) {
    EXPECT_EQ(Run({}), 2);
    EXPECT_EQ(Run({"frobnicate"}), 2);
    EXPECT_THAT(m_err.str(), HasSubstr("unknown command 'frobnicate'"));
    EXPECT_EQ(Run({"new", "--bogus", Path("x.ddb")}), 2);
    EXPECT_THAT(m_err.str(), HasSubstr("unknown option '--bogus'"));
    EXPECT_FALSE(fs::exists(Path("x.ddb")));
    EXPECT_EQ(Run({"check"}), 2);
    EXPECT_EQ(Run({"check", "a", "b"}), 2);

    EXPECT_EQ(Run({"--help"}), 0);
    EXPECT_THAT(m_out.str(), HasSubstr("Usage: torvo-cli COMMAND"));
    EXPECT_EQ(Run({"new", "--help"}), 0);
    EXPECT_THAT(m_out.str(), HasSubstr("--force"));
    EXPECT_EQ(Run({"check", "--help"}), 0);
    EXPECT_THAT(m_out.str(), HasSubstr("Usage: torvo-cli check FILE"));
}
