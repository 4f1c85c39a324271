// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "SimCommandLine.h"

namespace {

TEST(SimCommandLineTest, DefaultsAndEveryOption) {
    SimCommandLine line = SimCommandLine::Parse({});
    EXPECT_TRUE(line.error.empty());
    EXPECT_TRUE(line.devicePath.empty()) << "a new pty by default";
    EXPECT_EQ(line.options.version, "ZEL DESKSET V001");
    EXPECT_EQ(line.options.hardware, 0);
    EXPECT_EQ(line.options.baudRate, 19200);
    EXPECT_TRUE(line.options.image.empty());

    line = SimCommandLine::Parse({"--device",
                                  "/dev/ttyUSB0",
                                  "--save",
                                  "/tmp/out.ddb",
                                  "--database-version",
                                  "ZEL DESKSET V002",
                                  "--hardware",
                                  "7",
                                  "--fail-download",
                                  "--fail-upload",
                                  "--silent",
                                  "--answer-limit",
                                  "3",
                                  "--baud",
                                  "9600",
                                  "--link",
                                  "/tmp/deskset",
                                  "--hardware-answers",
                                  "2",
                                  "--short-download",
                                  "10",
                                  "--stall-download",
                                  "--corrupt-upload-block",
                                  "163"});
    ASSERT_TRUE(line.error.empty()) << line.error;
    EXPECT_EQ(line.devicePath, "/dev/ttyUSB0");
    EXPECT_EQ(line.options.savePath, "/tmp/out.ddb");
    EXPECT_EQ(line.options.version, "ZEL DESKSET V002");
    EXPECT_EQ(line.options.hardware, 7);
    EXPECT_TRUE(line.options.failDownload);
    EXPECT_TRUE(line.options.failUpload);
    EXPECT_TRUE(line.options.silent);
    EXPECT_EQ(line.options.answerLimit, 3);
    EXPECT_EQ(line.options.baudRate, 9600);
    EXPECT_EQ(line.options.linkPath, "/tmp/deskset");
    EXPECT_EQ(line.options.hardwareAnswers, 2);
    EXPECT_EQ(line.options.downloadBlocks, 10);
    EXPECT_TRUE(line.options.stallDownload);
    EXPECT_EQ(line.options.corruptUploadBlock, 163);
    EXPECT_TRUE(SimCommandLine::Parse({"--help"}).help);

    line = SimCommandLine::Parse({"--device", "/dev/ttyUSB0", "--tcp", "0.0.0.0:4001"});
    EXPECT_EQ(line.tcpAddress, "0.0.0.0:4001");
    EXPECT_TRUE(line.devicePath.empty()) << "the last choice of line wins";
    EXPECT_EQ(SimCommandLine::Parse({"--tcp", "0"}).tcpAddress, "0");
}

// --tcp [HOST:]PORT, an IPv6 HOST in brackets; the port 0 picks a free one.
TEST(SimCommandLineTest, ListenAddressesSplitAtTheLastColon) {
    const struct {
        const char* text;
        const char* host;
        int port;
    } accepted[] = {
        {"0", "127.0.0.1", 0}, {"65535", "127.0.0.1", 65535}, {"0.0.0.0:4001", "0.0.0.0", 4001},
        {"[::1]:0", "::1", 0}, {"[::]:65535", "::", 65535},   {"desk:7", "desk", 7}};
    for (const auto& row : accepted) {
        std::string host;
        int port = -1;
        EXPECT_EQ(SimCommandLine::SplitListenAddress(row.text, host, port), "") << row.text;
        EXPECT_EQ(host, row.host) << row.text;
        EXPECT_EQ(port, row.port) << row.text;
        EXPECT_EQ(SimCommandLine::Parse({"--tcp", row.text}).error, "") << row.text;
    }
    const struct {
        const char* text;
        const char* error;
    } refused[] = {
        {"65536", "--tcp 65536: PORT must be a number from 0 to 65535"},
        {"[::1]:65536", "--tcp [::1]:65536: PORT must be a number from 0 to 65535"},
        {"[::1]", "--tcp [::1]: the IPv6 address in brackets must be followed by :PORT"},
        {"[::1:80", "--tcp [::1:80: the IPv6 address has no closing ']'"},
        {"::1:80", "--tcp ::1:80: an IPv6 address must be written in brackets, as in [::1]:PORT"},
        {":80", "--tcp :80: no host before :PORT"},
    };
    for (const auto& row : refused) {
        EXPECT_EQ(SimCommandLine::Parse({"--tcp", row.text}).error, row.error) << row.text;
    }
}

TEST(SimCommandLineTest, RefusesWhatItCannotUse) {
    for (const std::vector<std::string>& arguments :
         std::vector<std::vector<std::string>>{{"--hardware", "256"},
                                               {"--hardware", "x"},
                                               {"--hardware"},
                                               {"--baud", "12ab"},
                                               {"--hardware-answers", "0"},
                                               {"--short-download", "164"},
                                               {"--corrupt-upload-block", "164"},
                                               {"--image", "/nonexistent/file.ddb"},
                                               {"--tcp"},
                                               {"--tcp", "host:"},
                                               {"--tcp", ":4001"},
                                               {"--tcp", "65536"},
                                               {"--frobnicate"}}) {
        EXPECT_FALSE(SimCommandLine::Parse(arguments).error.empty()) << arguments[0];
    }

    char path[] = "/tmp/simimageXXXXXX";
    const int descriptor = ::mkstemp(path);
    ASSERT_GE(descriptor, 0);
    ::close(descriptor);
    {
        std::ofstream file(path, std::ios::binary);
        file << std::string(100, 'x');
    }
    EXPECT_NE(SimCommandLine::Parse({"--image", path}).error.find("16384"), std::string::npos);
    {
        std::ofstream file(path, std::ios::binary);
        file << std::string(16384, 'y');
    }
    const SimCommandLine line = SimCommandLine::Parse({"--image", path});
    EXPECT_TRUE(line.error.empty());
    EXPECT_EQ(line.options.image, std::vector<uint8_t>(16384, 'y'));
    std::remove(path);
}

}  // namespace
