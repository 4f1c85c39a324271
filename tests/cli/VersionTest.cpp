// SPDX-License-Identifier: GPL-3.0-or-later
// The one version of the build, as each program shows it.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "FleetReport.h"
#include "version/TorvoVersion.h"

namespace {

std::string Output(const std::string& command) {
    std::string text;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            text += buffer;
        }
        ::pclose(pipe);
    }
    return text;
}

TEST(VersionTest, EveryProgramAndTheFleetReportShowTheBuildsVersion) {
    const std::string version = TorvoVersion();
    // The project's version, then what git says of the sources, as a Debian upstream version.
    EXPECT_THAT(version, ::testing::MatchesRegex(R"([0-9]+\.[0-9]+\.[0-9]+(\+[0-9A-Za-z.]+)?)"));
    EXPECT_EQ(Output(std::string(TORVO_CLI_PATH) + " --version"), "torvo-cli " + version + "\n");
    EXPECT_EQ(Output(std::string(TORVO_DESKSET_SIM_PATH) + " --version"),
              "torvo-deskset-sim " + version + "\n");
#ifdef TORVO_GUI_PATH
    EXPECT_EQ(Output("QT_QPA_PLATFORM=offscreen " + std::string(TORVO_GUI_PATH) +
                     " --version 2>/dev/null"),
              "Torvo " + version + "\n");
#endif
    const FleetReport report{"upload", "site.csv", {}};
    EXPECT_THAT(report.ToJson(), ::testing::HasSubstr("\"torvo_version\": \"" + version + "\""));
}

}  // namespace
