// SPDX-License-Identifier: GPL-3.0-or-later
// torvo-cli fleet upload and fleet download: many desksets at once, each on
// its own link, from an inventory; a unit that fails never stops the others.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <thread>

#include "CommandLine.h"
#include "FleetCommandHelp.h"
#include "FleetDisplay.h"
#include "FleetInventory.h"
#include "FleetReport.h"
#include "Latin1Text.h"
#include "TorvoCli.h"
#include "TransferOptions.h"
#include "model/DatabaseFile.h"
#include "model/fleet/DatabaseDiff.h"
#include "transfer/DesksetBackup.h"

namespace fs = std::filesystem;

namespace {
constexpr int kDefaultJobs = 8;
constexpr int kMaxJobs = 64;
}  // namespace

// What both fleet commands were asked for, once checked.
struct FleetPlan {
    std::string inventoryPath;
    std::vector<FleetUnit> units;     // those to run
    std::vector<UnitResult> earlier;  // --retry: the units that succeeded before
    std::vector<std::string> order;   // every unit's name, in the inventory's order
    TransferOptions bounds;           // the timeouts every unit shares
    int jobs = kDefaultJobs;
    std::string traceFolder;
    std::string reportPath;
};

namespace {

std::optional<int> JobCount(const ParsedArgs& parsed) {
    const auto it = parsed.values.find("--jobs");
    return it == parsed.values.end() ? kDefaultJobs : WholeNumber(it->second, 1, kMaxJobs);
}

// A unit's own file or folder in folder: DIR/NAME.ddb, DIR/NAME.trace, DIR/NAME.
std::string UnitPath(const std::string& folder, const FleetUnit& unit, const char* suffix = "") {
    return (fs::path(folder) / (unit.name + suffix)).string();
}

// A problem of one unit, as the inventory reports it.
std::string UnitProblem(const FleetUnit& unit, const std::string& problem) {
    return "line " + std::to_string(unit.line) + ": " + problem;
}

// Why folder cannot take the files a fleet writes into it, or empty.
std::string FolderProblem(const std::string& option, const std::string& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        return option + " " + folder + ": no such folder.";
    }
    return {};
}

// Why a report cannot be written to path, or empty: found out before any unit runs.
std::string ReportProblem(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    std::error_code error;
    if (!parent.empty() && !fs::is_directory(parent, error)) {
        return "--report " + path + ": no such folder.";
    }
    if (fs::is_directory(path, error)) {
        return "--report " + path + ": is a folder.";
    }
    const FileResult writable = CheckWritable(path);
    return writable.Ok() ? std::string() : writable.message;
}

std::string WithoutLastLineBreak(std::string text) {
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    return text;
}

// Runs work(k) for every unit on up to jobs threads at once. A unit whose
// turn comes after a stop request is not started.
void RunEach(std::size_t count, int jobs, const std::atomic<bool>* stop,
             const std::function<void(std::size_t)>& work) {
    std::atomic<std::size_t> next{0};
    const auto worker = [&] {
        for (std::size_t k = next++; k < count; k = next++) {
            if (stop != nullptr && stop->load()) {
                return;
            }
            work(k);
        }
    };
    std::vector<std::thread> threads;
    const std::size_t threadCount = std::min<std::size_t>(count, jobs);
    for (std::size_t k = 0; k < threadCount; ++k) {
        threads.emplace_back(worker);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
}

// The differences a downloaded database has from the reference, as diff prints them.
std::vector<std::string> DifferencesFrom(const ConfigImage& reference, const ConfigImage& unit) {
    std::vector<std::string> lines = DescribeDifferences(reference, unit);
    std::transform(lines.begin(), lines.end(), lines.begin(), Utf8FromLatin1);
    return lines;
}

// --retry: the units an earlier report lists as ok leave the plan and keep
// their results. Why the report cannot be used, or empty.
std::string KeepEarlierSuccesses(const std::string& reportText, const std::string& command,
                                 FleetPlan& plan) {
    ReportReading reading = ReadFleetReport(reportText);
    if (!reading.error.empty()) {
        return reading.error;
    }
    if (reading.report.command != command) {
        return "a report of fleet " + reading.report.command + ", not of fleet " + command + ".";
    }
    for (UnitResult& earlier : reading.report.units) {
        const auto unit = std::find_if(plan.units.begin(), plan.units.end(),
                                       [&](const FleetUnit& u) { return u.name == earlier.name; });
        if (earlier.outcome == UnitOutcome::Ok && unit != plan.units.end()) {
            plan.units.erase(unit);
            plan.earlier.push_back(std::move(earlier));
        }
    }
    return {};
}

}  // namespace

std::optional<int> TorvoCli::PlanFleet(const ParsedArgs& parsed, const std::string& command,
                                       const char* help, FleetPlan& plan) {
    if (parsed.words.size() != 1) {
        return UsageError("fleet takes one INVENTORY", help);
    }
    plan.inventoryPath = parsed.words.front();
    ReadLinkBounds(parsed, plan.bounds);
    const auto jobs = JobCount(parsed);
    if (!plan.bounds.error.empty() || !jobs) {
        return UsageError(jobs ? plan.bounds.error : "--jobs N must be a whole number from 1 to 64",
                          help);
    }
    plan.jobs = *jobs;
    std::vector<std::string> problems;
    if (const auto it = parsed.values.find("--trace-dir"); it != parsed.values.end()) {
        plan.traceFolder = it->second;
        problems.push_back(FolderProblem("--trace-dir", plan.traceFolder));
    }
    if (const auto it = parsed.values.find("--report"); it != parsed.values.end()) {
        plan.reportPath = it->second;
        problems.push_back(ReportProblem(plan.reportPath));
    }

    std::string text;
    if (!ReadTextFile(plan.inventoryPath, text)) {
        return kFailure;
    }
    const InventorySource source{text, fs::path(plan.inventoryPath).parent_path().string(),
                                 PortDevice};
    FleetInventory inventory =
        ReadFleetInventory(source, command == "upload" ? FleetUse::Upload : FleetUse::Download);
    problems.insert(problems.end(), inventory.errors.begin(), inventory.errors.end());
    plan.units = std::move(inventory.units);
    for (const FleetUnit& unit : plan.units) {
        plan.order.push_back(unit.name);
    }

    if (const auto it = parsed.values.find("--retry"); it != parsed.values.end()) {
        std::string reportText;
        if (!ReadTextFile(it->second, reportText)) {
            return kFailure;
        }
        if (std::string problem = KeepEarlierSuccesses(reportText, command, plan);
            !problem.empty()) {
            problems.push_back(it->second + ": " + problem);
        }
    }
    return ReportProblems(problems) ? std::nullopt : std::optional(kFailure);
}

bool TorvoCli::ReportProblems(const std::vector<std::string>& problems) {
    bool any = false;
    for (const std::string& problem : problems) {
        if (!problem.empty()) {
            m_err << problem << "\n";
            any = true;
        }
    }
    if (any) {
        m_err << "Nothing was sent to any deskset.\n";
    }
    return !any;
}

FleetReport TorvoCli::RunFleet(const FleetPlan& plan, const std::string& command,
                               const FleetUnitWork& work) {
    std::vector<std::string> names;
    FleetReport report{command, plan.inventoryPath, {}};
    for (const FleetUnit& unit : plan.units) {
        names.push_back(unit.name);
        UnitResult& result = report.units.emplace_back();
        result.name = unit.name;
        result.port = unit.port;
    }
    FleetDisplay display(m_err, m_redrawLines, names);
    RunEach(plan.units.size(), plan.jobs, m_stop, [&](std::size_t k) {
        const FleetUnit& unit = plan.units[k];
        UnitResult& result = report.units[k];
        display.Connecting(k);
        const auto started = std::chrono::steady_clock::now();

        std::ostringstream out;
        std::ostringstream err;
        TorvoCli single(out, err);
        single.m_transferSetup = m_transferSetup;
        single.m_stop = m_stop;
        single.m_progressHook = [&display, k](const transfer::ProgressState& state) {
            display.Progress(k, state);
        };
        TransferOptions options = plan.bounds;
        options.device = unit.device;
        if (!plan.traceFolder.empty()) {
            options.tracePath = UnitPath(plan.traceFolder, unit, ".trace");
        }
        const bool ok = work(single, unit, options, result) == kSuccess;

        result.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const bool stopped = m_stop != nullptr && m_stop->load();
        result.outcome =
            ok ? UnitOutcome::Ok : (stopped ? UnitOutcome::Interrupted : UnitOutcome::Failed);
        result.message = WithoutLastLineBreak(ok ? out.str() : err.str());
        display.Finished(k, result);
    });
    // Those of an earlier run that succeeded then stay in the report.
    report.units.insert(report.units.end(), plan.earlier.begin(), plan.earlier.end());
    const auto place = [&plan](const UnitResult& unit) {
        return std::find(plan.order.begin(), plan.order.end(), unit.name) - plan.order.begin();
    };
    std::stable_sort(report.units.begin(), report.units.end(),
                     [&](const UnitResult& a, const UnitResult& b) { return place(a) < place(b); });
    return report;
}

int TorvoCli::FinishFleet(const FleetPlan& plan, const FleetReport& report) {
    m_out << report.Table();
    for (const UnitResult& unit : report.units) {
        for (const std::string& difference :
             unit.differences.value_or(std::vector<std::string>{})) {
            m_out << unit.name << ": " << difference << "\n";
        }
    }
    // Written whole or not at all: the report may be the one --retry read.
    bool written = true;
    if (!plan.reportPath.empty()) {
        const FileResult result = WriteTextFile(plan.reportPath, report.ToJson());
        written = result.Ok();
        if (!written) {
            m_err << result.message << "\n";
        }
    }
    return report.AllOk() && written ? kSuccess : kFailure;
}

int TorvoCli::FleetUpload(const ParsedArgs& parsed) {
    FleetPlan plan;
    if (const auto status = PlanFleet(parsed, "upload", kFleetUploadHelp, plan)) {
        return *status;
    }
    const bool verify = parsed.flags.contains("--verify");
    const auto backupOption = parsed.values.find("--backup");
    const bool backup = backupOption != parsed.values.end();
    // Each unit's backups go into a folder of its own, made before anything is sent.
    std::vector<std::string> problems;
    if (backup) {
        problems.push_back(FolderProblem("--backup", backupOption->second));
        for (const FleetUnit& unit : plan.units) {
            if (!problems.front().empty()) {
                break;
            }
            const std::string folder = UnitPath(backupOption->second, unit);
            std::error_code error;
            fs::create_directory(folder, error);
            if (std::string problem = transfer::BackupFolderProblem(folder); !problem.empty()) {
                problems.push_back(UnitProblem(unit, problem));
            }
        }
    }
    if (!ReportProblems(problems)) {
        return kFailure;
    }
    const FleetReport report = RunFleet(
        plan, "upload",
        [&](TorvoCli& single, const FleetUnit& unit, const TransferOptions& options,
            UnitResult& result) {
            transfer::UploadChecks checks;
            checks.verify = verify;
            if (backup) {
                checks.backupFolder = UnitPath(backupOption->second, unit);
            }
            const int status = single.UploadImage(options, unit.image, checks, result.backup);
            result.verified = status == kSuccess && verify;
            return status;
        });
    return FinishFleet(plan, report);
}

int TorvoCli::FleetDownload(const ParsedArgs& parsed) {
    const auto out = parsed.values.find("--out");
    if (out == parsed.values.end()) {
        return UsageError("fleet download needs --out DIR", kFleetDownloadHelp);
    }
    FleetPlan plan;
    if (const auto status = PlanFleet(parsed, "download", kFleetDownloadHelp, plan)) {
        return *status;
    }
    std::vector<std::string> problems = {FolderProblem("--out", out->second)};
    std::optional<ConfigImage> reference;
    const auto compare = parsed.values.find("--compare");
    if (compare != parsed.values.end()) {
        reference.emplace();
        if (!ReadDatabase(compare->second, *reference)) {
            problems.push_back("--compare " + compare->second + ": the database does not open.");
        }
    }
    // Where each database goes is settled before any deskset is reached.
    std::map<std::string, std::unique_ptr<DatabaseFileWriter>> writers;  // by unit name
    for (const FleetUnit& unit : plan.units) {
        if (!problems.front().empty()) {
            break;
        }
        auto& writer = writers[unit.name] =
            std::make_unique<DatabaseFileWriter>(UnitPath(out->second, unit, ".ddb"));
        if (const FileResult prepared = writer->Prepare(); !prepared.Ok()) {
            problems.push_back(UnitProblem(unit, prepared.message));
        }
    }
    if (!ReportProblems(problems)) {
        return kFailure;
    }
    const FleetReport report =
        RunFleet(plan, "download",
                 [&](TorvoCli& single, const FleetUnit& unit, const TransferOptions& options,
                     UnitResult& result) {
                     result.file = UnitPath(out->second, unit, ".ddb");
                     ConfigImage image;
                     const int status =
                         single.DownloadInto(options, *writers.at(unit.name), result.file, image);
                     if (status == kSuccess && reference) {
                         result.differences = DifferencesFrom(*reference, image);
                         single.m_out << "Differences from " << compare->second << ": "
                                      << result.differences->size() << "\n";
                     }
                     return status;
                 });
    return FinishFleet(plan, report);
}
