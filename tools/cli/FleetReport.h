// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What became of each unit of a fleet run: the table printed at the end, the
// JSON report, and the units a report says did not succeed (for --retry).

#include <optional>
#include <string>
#include <vector>

enum class UnitOutcome { Ok, Failed, Interrupted, NotStarted };

// "ok", "failed", "interrupted", "not started"
const char* OutcomeName(UnitOutcome outcome);

struct UnitResult {
    std::string name;
    std::string port;
    UnitOutcome outcome = UnitOutcome::NotStarted;
    std::string message;  // what the single-unit command would have said
    std::string backup;   // where an upload kept the deskset's previous database
    bool verified = false;
    double seconds = 0;
    std::string file;                                     // where a download went
    std::optional<std::vector<std::string>> differences;  // from --compare's database
};

struct FleetReport {
    std::string command;  // "upload" or "download"
    std::string inventory;
    std::vector<UnitResult> units;

    bool AllOk() const;
    std::string ToJson() const;
    // One row per unit: name, port, outcome, seconds, message.
    std::string Table() const;
};

// A report's text read back (the units as they were written), or why the
// text is no fleet report.
struct ReportReading {
    FleetReport report;
    std::string error;
};
ReportReading ReadFleetReport(const std::string& text);
