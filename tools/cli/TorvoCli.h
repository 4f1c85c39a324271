// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// torvo-cli: the program's database work from a shell.

#include <atomic>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "transfer/TransferInterfaces.h"

class ConfigImage;
class DatabaseFileWriter;
struct ParsedArgs;
struct TransferOptions;
class ConsoleTransfer;
struct FleetUnit;
struct UnitResult;
struct FleetReport;
struct FleetPlan;

class TorvoCli {
public:
    static constexpr int kSuccess = 0;
    static constexpr int kFailure = 1;
    static constexpr int kUsageError = 2;

    TorvoCli(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

    // args excludes the program name; returns the exit status.
    int Run(const std::vector<std::string>& args);

    // Adjusts each transfer before it starts (tests speed up the link's clock).
    void SetTransferSetup(std::function<void(ConsoleTransfer&)> setup) {
        m_transferSetup = std::move(setup);
    }
    // A flag that ends a transfer when set (by the interrupt and terminate signals).
    void SetStopRequest(const std::atomic<bool>* stop) { m_stop = stop; }
    // Whether progress is drawn as a bar (standard error is a terminal).
    void SetDrawProgressBar(bool draw) { m_drawBar = draw; }
    // Whether a fleet's lines are redrawn in place (standard error takes cursor moves).
    void SetRedrawLines(bool redraw) { m_redrawLines = redraw; }
    // Where the port comes from when --port is not given: the desktop
    // program's choice unless replaced (tests keep the user's settings out).
    void SetStoredPortSource(std::function<std::string()> source) {
        m_storedPort = std::move(source);
    }

private:
    struct Command;
    static const std::vector<Command>& Commands();

    int New(const ParsedArgs& parsed);
    int Check(const ParsedArgs& parsed);
    int Download(const ParsedArgs& parsed);
    int Upload(const ParsedArgs& parsed);
    // The transfer itself, once the options were read and checked.
    int DownloadInto(const TransferOptions& options, DatabaseFileWriter& writer,
                     const std::string& path, ConfigImage& image);
    int UploadImage(const TransferOptions& options, const ConfigImage& image,
                    const transfer::UploadChecks& checks, std::string& backup);
    // Many desksets at once from an inventory (TorvoCliFleet.cpp).
    int FleetUpload(const ParsedArgs& parsed);
    int FleetDownload(const ParsedArgs& parsed);
    using FleetUnitWork = std::function<int(TorvoCli& single, const FleetUnit& unit,
                                            const TransferOptions& options, UnitResult& result)>;
    // Reads what both fleet commands share; on failure returns the exit status.
    std::optional<int> PlanFleet(const ParsedArgs& parsed, const std::string& command,
                                 const char* help, FleetPlan& plan);
    // Prints the problems that are not empty; true when there were none.
    bool ReportProblems(const std::vector<std::string>& problems);
    // Runs work for each unit of the plan, each with a single-unit torvo-cli of its own.
    FleetReport RunFleet(const FleetPlan& plan, const std::string& command,
                         const FleetUnitWork& work);
    int FinishFleet(const FleetPlan& plan, const FleetReport& report);
    // Databases without a deskset (TorvoCliDatabase.cpp).
    int Dump(const ParsedArgs& parsed);
    int Get(const ParsedArgs& parsed);
    int Set(const ParsedArgs& parsed);
    int Apply(const ParsedArgs& parsed);
    int Diff(const ParsedArgs& parsed);
    int Export(const ParsedArgs& parsed);
    int Import(const ParsedArgs& parsed);
    // The whole file; says why not on failure.
    bool ReadTextFile(const std::string& path, std::string& text);
    // Writes image to path when nothing was refused; otherwise prints each refusal.
    int WriteChecked(const std::string& path, const ConfigImage& image,
                     const std::vector<std::string>& refusals);
    // Reads path as the desktop program opens it; says why not on failure.
    bool ReadDatabase(const std::string& path, ConfigImage& image);
    // Runs one transfer on the port, timeout and trace the options name.
    int Transfer(const TransferOptions& options, const std::function<bool(ConsoleTransfer&)>& run);
    int UsageError(const std::string& message, const std::string& helpText);
    TransferOptions ReadTransferOptions(const ParsedArgs& parsed) const;
    // --timeout and --connect-timeout into options; the first problem into its error.
    static void ReadLinkBounds(const ParsedArgs& parsed, TransferOptions& options);

    std::ostream& m_out;
    std::ostream& m_err;
    std::function<void(ConsoleTransfer&)> m_transferSetup;
    bool m_drawBar = false;
    bool m_redrawLines = false;
    const std::atomic<bool>* m_stop = nullptr;
    std::function<std::string()> m_storedPort;
    // Takes each transfer's progress instead of the bar (a fleet's unit).
    std::function<void(const transfer::ProgressState&)> m_progressHook;
};
