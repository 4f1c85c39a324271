// SPDX-License-Identifier: GPL-3.0-or-later
// A fleet's inventory and report, without desksets.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "FleetDisplay.h"
#include "FleetInventory.h"
#include "FleetReport.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "model/fleet/FieldAssignments.h"
#include "support/ScratchDir.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;

namespace {

class FleetInventoryTest : public ::testing::Test {
protected:
    FleetInventoryTest() {
        SetImageDefaults(m_site);
        EXPECT_TRUE(WriteDatabaseFile(m_scratch.Path("site.ddb"), m_site).Ok());
        std::ofstream(m_scratch.Path("bad.ddb")) << "ZEL DESKSET V999 rest";
    }

    FleetInventory Read(const std::string& csv, FleetUse use = FleetUse::Upload) {
        // COM1 is /dev/ttyS0; "nowhere" is no port; any other text is its own device.
        const auto deviceOf = [](const std::string& port) -> std::string {
            return port == "nowhere" ? "" : port == "COM1" ? "/dev/ttyS0" : port;
        };
        return ReadFleetInventory({csv, m_scratch.Root().string(), deviceOf}, use);
    }

    ScratchDir m_scratch;
    ConfigImage m_site;
};

TEST_F(FleetInventoryTest, EveryProblemOfTheWholeInventoryComesWithItsLine) {
    const std::string name64(64, 'n');
    const struct {
        std::string csv;
        std::string error;  // the first; empty when the inventory is accepted
    } cases[] = {
        {"name,port\nu,p\n", "line 1: no column \"database\"."},
        {"", "line 1: no column \"name\"."},
        {"name,port,database,name\nu,p,site.ddb,v\n", "line 1: the column \"name\" comes twice."},
        {"name,port,database\n", "line 1: the inventory holds no units."},
        {"name,port,database\nu,p\n", "line 2: 2 fields where the header has 3."},
        {"name,port,database\nu,p,site.ddb,x\n", "line 2: 4 fields where the header has 3."},
        {"name,port,database\nu\"1,p,site.ddb\n", "line 2: "},  // not CSV
        {"name,port,database\n,p,site.ddb\n", "line 2: no name given."},
        {"name,port,database\n" + name64 + ",p,site.ddb\n", ""},
        {"name,port,database\n" + name64 + "n,p,site.ddb\n",
         "line 2: the name \"" + name64 + "n\" is longer than 64 characters."},
        {"name,port,database\na/b,p,site.ddb\n", "line 2: the name \"a/b\" cannot be a file name"},
        {"name,port,database\na\tb,p,site.ddb\n",
         "line 2: the name \"a\tb\" cannot be a file name"},
        {"name,port,database\n..,p,site.ddb\n", "line 2: the name \"..\" cannot be a file name"},
        {"name,port,database\nDesk,p,site.ddb\ndesk,q,site.ddb\n",
         "line 3: the name \"desk\" is on line 2 already."},
        {"name,port,database\nu,nowhere,site.ddb\n", "line 2: \"nowhere\" is no port"},
        {"name,port,database\nu,,site.ddb\n", "line 2: \"\" is no port"},
        {"name,port,database\nu,COM1,site.ddb\nv,/dev/ttyS0,site.ddb\n",
         "line 3: the port /dev/ttyS0 is on line 2 already."},
        {"name,port,database\nu,p,\n", "line 2: no database given."},
        {"name,port,database\nu,p,bad.ddb\n", "line 2: bad.ddb: Unknown database version."},
        {"name,port,database\nu,p,missing.ddb\n", "line 2: "},
        {"name,port,database,channels[0].hangover_delay_ms\nu,p,site.ddb,60000\n", ""},
        {"name,port,database,channels[0].hangover_delay_ms\nu,p,site.ddb,60001\n",
         "line 2: channels[0].hangover_delay_ms: Hangover delay must be between 0 and 60000 ms."},
        {"name,port,database,deskset.colour\nu,p,site.ddb,red\n", "line 2: deskset.colour: "},
        {"name,port,database,channels[0].frequencies[0].label\nu,p,site.ddb,\xE2\x82\xAC\n",
         "line 2: channels[0].frequencies[0].label: a character has no single-byte form."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.csv);
        const FleetInventory inventory = Read(c.csv);
        if (c.error.empty()) {
            EXPECT_THAT(inventory.errors, ElementsAre());
            EXPECT_EQ(inventory.units.size(), 1u);
        } else {
            ASSERT_FALSE(inventory.errors.empty());
            EXPECT_THAT(inventory.errors.front(), ::testing::StartsWith(c.error));
        }
    }

    // Every line is checked, not only up to the first problem; a download
    // reads only the names and the ports.
    const std::string csv = "name,port,database\nu,nowhere,bad.ddb\nv,p,\nw,p,site.ddb\n";
    EXPECT_EQ(Read(csv).errors.size(), 4u);
    EXPECT_THAT(Read(csv, FleetUse::Download).errors,
                ElementsAre(HasSubstr("line 2: \"nowhere\""), HasSubstr("line 4: the port p")));
    EXPECT_THAT(Read("name,port\nu,p\n", FleetUse::Download).errors, ElementsAre());
    EXPECT_THAT(Read("\xEF\xBB\xBFname,port\r\nu,p\r\n", FleetUse::Download).errors, ElementsAre())
        << "as a spreadsheet saves it";
}

TEST_F(FleetInventoryTest, EachUnitGetsItsOwnOverridesOnItsOwnCopy) {
    const FleetInventory inventory = Read(
        "port,channels[0].hangover_delay_ms,name,database,deskset.mute_timer_s\n"
        "p1,100,one,site.ddb,\n"
        "p2,,two,site.ddb,12\n");
    ASSERT_THAT(inventory.errors, ElementsAre());
    ASSERT_EQ(inventory.units.size(), 2u);
    ConfigImage one = m_site;
    ConfigImage two = m_site;
    ASSERT_THAT(AssignFields(one, {{"channels[0].hangover_delay_ms", "100"}}), ElementsAre());
    ASSERT_THAT(AssignFields(two, {{"deskset.mute_timer_s", "12"}}), ElementsAre());
    EXPECT_EQ(inventory.units[0].name, "one");
    EXPECT_EQ(inventory.units[0].device, "p1");
    EXPECT_EQ(inventory.units[0].line, 2u);
    EXPECT_EQ(inventory.units[0].image, one);
    EXPECT_EQ(inventory.units[1].image, two);
}

UnitResult Unit(std::string name, std::string port, UnitOutcome outcome, std::string message = {}) {
    UnitResult unit;
    unit.name = std::move(name);
    unit.port = std::move(port);
    unit.outcome = outcome;
    unit.message = std::move(message);
    return unit;
}

TEST(FleetReportTest, TheReportReadsBackAndRetriesOnlyWhatDidNotSucceed) {
    FleetReport report{"upload", "site.csv", {}};
    report.units = {Unit("one", "COM1", UnitOutcome::Ok, "Uploaded: 16384 bytes"),
                    Unit("two", "tcp:10.0.0.5:4001", UnitOutcome::Failed,
                         "Torvo is unable...\nCause: refused."),
                    Unit("three", "/dev/ttyUSB0", UnitOutcome::Interrupted, "Interrupted."),
                    Unit("four", "/dev/ttyUSB1", UnitOutcome::NotStarted)};
    report.units[0].backup = "bk/one/deskset-20261208-101500.ddb";
    report.units[0].verified = true;
    report.units[0].seconds = 12.34;
    EXPECT_FALSE(report.AllOk());

    const ReportReading reading = ReadFleetReport(report.ToJson());
    ASSERT_EQ(reading.error, "");
    ASSERT_EQ(reading.report.units.size(), 4u);
    const UnitResult& one = reading.report.units[0];
    EXPECT_EQ(one.outcome, UnitOutcome::Ok);
    EXPECT_EQ(one.backup, "bk/one/deskset-20261208-101500.ddb");
    EXPECT_TRUE(one.verified);
    EXPECT_DOUBLE_EQ(one.seconds, 12.3);
    EXPECT_EQ(reading.report.units[1].message, "Torvo is unable...\nCause: refused.");
    EXPECT_FALSE(reading.report.units[1].verified);
    EXPECT_EQ(reading.report.units[3].outcome, UnitOutcome::NotStarted);

    EXPECT_EQ(report.Table(),
              "NAME   PORT               OUTCOME      SECONDS  MESSAGE\n"
              "one    COM1               ok              12.3  Uploaded: 16384 bytes\n"
              "two    tcp:10.0.0.5:4001  failed           0.0  Torvo is unable...; Cause: "
              "refused.\n"
              "three  /dev/ttyUSB0       interrupted      0.0  Interrupted.\n"
              "four   /dev/ttyUSB1       not started      0.0\n");

    for (const std::string text : {"[]", "{\"units\": 7}", "{\"units\": [{\"name\": \"a\"}]}",
                                   "{\"units\": [{\"name\": \"a\", \"outcome\": \"fine\"}]}",
                                   "{\"units\": [{\"outcome\": \"ok\"}]}", "{\"units\": [], }"}) {
        EXPECT_NE(ReadFleetReport(text).error, "") << text;
    }
}

TEST(FleetDisplayTest, PlainLinesFollowPhasesAndATerminalRedrawsItsLinesInPlace) {
    std::ostringstream plain;
    FleetDisplay lines(plain, false, {"one", "two"});
    transfer::ProgressState state;
    state.phase = transfer::TransferPhase::Upload;
    lines.Connecting(1);
    lines.Progress(1, state);
    state.position = transfer::ProgressState::kRangeEnd / 2;
    lines.Progress(1, state);  // the same phase: no new line
    lines.Finished(1,
                   Unit("two", "p", UnitOutcome::Failed, "Communication error with deskset\nmore"));
    EXPECT_EQ(plain.str(),
              "two: connecting\ntwo: uploading\ntwo: failed: Communication error with deskset\n");

    std::ostringstream terminal;
    FleetDisplay live(terminal, true, {"one", "two"});
    live.Progress(0, state);
    live.Progress(0, state);  // nothing changed: nothing drawn
    state.position = transfer::ProgressState::kRangeEnd;
    live.Progress(0, state);
    EXPECT_EQ(terminal.str(),
              "\r\x1b[2Kone  uploading 50%\n\r\x1b[2Ktwo  waiting\n"
              "\x1b[2A\r\x1b[2Kone  uploading 100%\n\r\x1b[2Ktwo  waiting\n");
}

}  // namespace
