// SPDX-License-Identifier: GPL-3.0-or-later
// torvo-cli fleet upload and fleet download against simulated desksets on
// pseudo-terminals and over TCP.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CDesksetSimulator.h"
#include "FleetReport.h"
#include "TorvoCli.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "model/fleet/FieldAssignments.h"
#include "support/ScratchDir.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

class FleetTransferTest : public ::testing::Test {
protected:
    FleetTransferTest() {
        SetImageDefaults(m_site);
        EXPECT_TRUE(WriteDatabaseFile(Path("site.ddb"), m_site).Ok());
    }

    // A simulated deskset on a new pty ("pty") or a TCP port ("tcp"); its port as an inventory
    // names it.
    std::string AddDeskset(const std::string& line = "pty", DesksetSimOptions options = {}) {
        auto& simulator =
            m_desksets.emplace_back(std::make_unique<CDesksetSimulator>(std::move(options)));
        const bool started =
            line == "tcp" ? simulator->StartOnTcp("127.0.0.1:0") : simulator->StartOnNewPty();
        EXPECT_TRUE(started) << simulator->LastError();
        return (line == "tcp" ? "tcp:" : "") + simulator->DevicePath();
    }

    std::string WriteInventory(const std::string& text) {
        const std::string path = Path("site.csv");
        std::ofstream(path) << text;
        return path;
    }

    int Run(std::vector<std::string> args) {
        m_out.str({});
        m_err.str({});
        TorvoCli cli(m_out, m_err);
        cli.SetStopRequest(&m_stopRequested);
        cli.SetTransferSetup([this](ConsoleTransfer&) {
            if (++m_unitsStarted == m_stopAtUnit) {
                m_stopRequested = true;  // as Ctrl+C while this unit connects
            }
        });
        args.insert(args.begin(), "fleet");
        return cli.Run(args);
    }

    FleetReport Report() {
        std::ifstream file(Path("report.json"));
        const std::string text((std::istreambuf_iterator<char>(file)), {});
        ReportReading reading = ReadFleetReport(text);
        EXPECT_EQ(reading.error, "");
        return reading.report;
    }

    static std::vector<std::string> Outcomes(const FleetReport& report) {
        std::vector<std::string> outcomes;
        for (const UnitResult& unit : report.units) {
            outcomes.push_back(unit.name + " " + OutcomeName(unit.outcome));
        }
        return outcomes;
    }

    ConfigImage Held(std::size_t deskset) const {
        ConfigImage image;
        const auto bytes = m_desksets.at(deskset)->Image();
        std::copy(bytes.begin(), bytes.end(), image.Bytes().begin());
        return image;
    }

    std::string Path(const std::string& name) const { return m_scratch.Path(name); }

    ScratchDir m_scratch;
    ConfigImage m_site;
    std::vector<std::unique_ptr<CDesksetSimulator>> m_desksets;
    std::ostringstream m_out;
    std::ostringstream m_err;
    std::atomic<bool> m_stopRequested{false};
    std::atomic<int> m_unitsStarted{0};
    int m_stopAtUnit = 0;  // none
};

TEST_F(FleetTransferTest, AFailingUnitNeverStopsTheOthersAndEachGetsItsOwnOverrides) {
    DesksetSimOptions failing;
    failing.failUpload = true;
    const std::string north = AddDeskset();
    const std::string broken = AddDeskset("pty", failing);
    const std::string east = AddDeskset("tcp");
    const std::string inventory = WriteInventory(
        "name,port,database,channels[0].hangover_delay_ms,deskset.mute_timer_s\n"
        "north," +
        north +
        ",site.ddb,100,\n"
        "broken," +
        broken +
        ",site.ddb,,\n"
        "east," +
        east + ",site.ddb,,12\n");
    fs::create_directory(Path("backups"));
    fs::create_directory(Path("traces"));
    EXPECT_EQ(Run({"upload", inventory, "--jobs", "2", "--verify", "--backup", Path("backups"),
                   "--trace-dir", Path("traces"), "--report", Path("report.json")}),
              1);

    ConfigImage northImage = m_site;
    ConfigImage eastImage = m_site;
    ASSERT_THAT(AssignFields(northImage, {{"channels[0].hangover_delay_ms", "100"}}),
                ::testing::IsEmpty());
    ASSERT_THAT(AssignFields(eastImage, {{"deskset.mute_timer_s", "12"}}), ::testing::IsEmpty());
    EXPECT_EQ(Held(0), northImage);
    EXPECT_EQ(Held(2), eastImage);

    const FleetReport report = Report();
    EXPECT_THAT(Outcomes(report), ::testing::ElementsAre("north ok", "broken failed", "east ok"));
    EXPECT_TRUE(report.units[0].verified);
    EXPECT_FALSE(report.units[1].verified);
    EXPECT_THAT(report.units[1].message,
                ::testing::StartsWith("Uploading data...(Error! Transfer was incomplete)\n"
                                      "The deskset's previous database is in "));
    for (const std::string name : {"north", "east"}) {
        const UnitResult& unit = report.units[name == "north" ? 0 : 2];
        EXPECT_TRUE(fs::exists(unit.backup)) << unit.backup;
        EXPECT_EQ(fs::path(unit.backup).parent_path(), fs::path(Path("backups")) / name);
        EXPECT_GT(fs::file_size(Path("traces/" + name + ".trace")), 0u);
    }
    EXPECT_THAT(m_out.str(), HasSubstr("broken  " + report.units[1].port));
    EXPECT_THAT(m_err.str(), HasSubstr("north: verifying\n"));
}

TEST_F(FleetTransferTest, NothingIsSentWhileTheInventoryHasAProblemAndRetryRunsOnlyTheRest) {
    const std::string good = AddDeskset();
    const std::string inventory = WriteInventory(
        "name,port,database,deskset.mute_timer_s\n"
        "a," +
        good +
        ",site.ddb,\n"
        "b," +
        Path("no-such-tty") + ",site.ddb,61\n");
    EXPECT_EQ(Run({"upload", inventory}), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("line 3: deskset.mute_timer_s: "));
    EXPECT_THAT(m_err.str(), HasSubstr("Nothing was sent to any deskset.\n"));
    EXPECT_EQ(m_desksets[0]->CompletedUploads(), 0);

    WriteInventory("name,port,database\na," + good + ",site.ddb\nb," + Path("no-such-tty") +
                   ",site.ddb\n");
    EXPECT_EQ(Run({"upload", inventory, "--report", Path("report.json")}), 1);
    EXPECT_THAT(Outcomes(Report()), ::testing::ElementsAre("a ok", "b failed"));

    // b's deskset is there now: only b runs again, and a keeps its result.
    const std::string later = AddDeskset();
    WriteInventory("name,port,database\na," + good + ",site.ddb\nb," + later + ",site.ddb\n");
    const std::string retry = "--retry";
    EXPECT_EQ(
        Run({"upload", inventory, retry, Path("report.json"), "--report", Path("report.json")}), 0)
        << m_err.str();
    EXPECT_EQ(m_desksets[0]->CompletedUploads(), 1);
    EXPECT_EQ(m_desksets[1]->CompletedUploads(), 1);
    EXPECT_THAT(Outcomes(Report()), ::testing::ElementsAre("a ok", "b ok"));
    EXPECT_EQ(Run({"upload", inventory, retry, Path("report.json")}), 0);
    fs::create_directory(Path("out"));
    EXPECT_EQ(Run({"download", inventory, "--out", Path("out"), retry, Path("report.json")}), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("a report of fleet upload, not of fleet download."));
    EXPECT_EQ(m_unitsStarted, 3) << "a fourth run has nothing left to do";
}

TEST_F(FleetTransferTest, AnInterruptEndsTheLinksAndStillWritesTheReport) {
    std::string csv = "name,port,database\n";
    for (const std::string name : {"one", "two", "three"}) {
        csv += name + "," + AddDeskset() + ",site.ddb\n";
    }
    const std::string inventory = WriteInventory(csv);
    m_stopAtUnit = 2;
    EXPECT_EQ(Run({"upload", inventory, "--jobs", "1", "--report", Path("report.json")}), 1);
    EXPECT_THAT(Outcomes(Report()),
                ::testing::ElementsAre("one ok", "two interrupted", "three not started"));
    EXPECT_EQ(Report().units[1].message, "Interrupted.");
    EXPECT_EQ(m_desksets[1]->CompletedUploads() + m_desksets[2]->CompletedUploads(), 0);
}

TEST_F(FleetTransferTest, FleetDownloadWritesEachDatabaseAndListsWhatDiffersFromAReference) {
    DesksetSimOptions changed;
    ConfigImage served = m_site;
    ASSERT_THAT(AssignFields(served, {{"channels[0].hangover_delay_ms", "100"}}),
                ::testing::IsEmpty());
    changed.image.assign(served.Bytes().begin(), served.Bytes().end());
    const std::string same = AddDeskset();
    const std::string other = AddDeskset("tcp", changed);
    const std::string inventory =
        WriteInventory("name,port\nsame," + same + "\nother," + other + "\n");
    fs::create_directory(Path("out"));
    EXPECT_EQ(Run({"download", inventory, "--out", Path("out"), "--compare", Path("site.ddb"),
                   "--report", Path("report.json")}),
              0)
        << m_err.str();
    ConfigImage written;
    ASSERT_TRUE(ReadDatabaseFile(Path("out/other.ddb"), written).Ok());
    EXPECT_EQ(written, served);
    EXPECT_THAT(m_out.str(), HasSubstr("other: Channel 1: hangover_delay_ms: 2000 -> 100\n"));
    const FleetReport report = Report();
    EXPECT_EQ(report.units[0].differences, std::vector<std::string>{});
    EXPECT_EQ(report.units[1].differences->size(), 1u);
    EXPECT_EQ(report.units[1].file, Path("out/other.ddb"));
}

TEST_F(FleetTransferTest, OptionsAreCheckedBeforeAnythingIsRead) {
    const std::string inventory = WriteInventory("name,port,database\n");
    for (const std::string jobs : {"0", "65", "x"}) {
        EXPECT_EQ(Run({"upload", inventory, "--jobs", jobs}), 2) << jobs;
    }
    EXPECT_EQ(Run({"upload", inventory, "--jobs", "64"}), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("line 1: the inventory holds no units."));
    EXPECT_EQ(Run({"download", inventory}), 2) << "--out is needed";
    WriteInventory("name,port,database\na," + Path("tty") + ",site.ddb\n");
    EXPECT_EQ(Run({"upload", inventory, "--backup", Path("none")}), 1);
    EXPECT_THAT(m_err.str(), HasSubstr("--backup " + Path("none") + ": no such folder.\n"));
    EXPECT_EQ(m_unitsStarted, 0);
    EXPECT_EQ(Run({"download", inventory, "--verify"}), 2);
}

}  // namespace
