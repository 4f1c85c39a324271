// SPDX-License-Identifier: GPL-3.0-or-later
#include "TorvoCli.h"

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>

#include "CliSettings.h"
#include "CommandLine.h"
#include "ConsoleTransfer.h"
#include "DatabaseCommandHelp.h"
#include "FleetCommandHelp.h"
#include "TransferOptions.h"
#include "link/CLayerFactory.h"
#include "link/TcpDevice.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "transfer/DesksetBackup.h"
#include "transfer/FrameTraceFile.h"
#include "version/TorvoVersion.h"

namespace {

constexpr const char* kProgramHelp =
    "Usage: torvo-cli COMMAND [OPTIONS]\n"
    "\n"
    "Works with Velk Series deskset configuration databases (.ddb files).\n"
    "\n"
    "Commands:\n"
    "  new FILE      write a new database holding the defaults\n"
    "  check FILE    tell whether FILE opens as a database\n"
    "  download [--port PORT] --out FILE\n"
    "                read the database out of a deskset into FILE\n"
    "  upload [--port PORT] [--backup DIR] [--verify] FILE\n"
    "                write FILE into a deskset\n"
    "  dump [--json] FILE\n"
    "                print every field of FILE by name\n"
    "  get FILE PATH...\n"
    "                print the values of the fields PATH names\n"
    "  set FILE PATH=VALUE...\n"
    "                change fields of FILE, checked as their windows check them\n"
    "  apply FILE JSON\n"
    "                set the fields a whole or partial dump --json document holds\n"
    "  diff FILE1 FILE2\n"
    "                print the fields that differ\n"
    "  export TABLE FILE\n"
    "                print paging-formats, speed-pages, aliases or custom-tones as CSV\n"
    "  import TABLE FILE CSV\n"
    "                replace that table of FILE with the rows of CSV\n"
    "  fleet upload INVENTORY [--jobs N] [--backup DIR] [--verify]\n"
    "                upload into every deskset an inventory lists, many at once\n"
    "  fleet download INVENTORY --out DIR [--compare DATABASE]\n"
    "                read every deskset an inventory lists into DIR\n"
    "\n"
    "Run 'torvo-cli COMMAND --help' for a command's options, and\n"
    "'torvo-cli --version' for the version.\n";

constexpr const char* kNewHelp =
    "Usage: torvo-cli new [--force] FILE\n"
    "\n"
    "Writes a new database with the defaults to FILE.\n"
    "An existing FILE is left alone unless --force is given.\n"
    "\n"
    "Options:\n"
    "  --force   replace FILE if it exists\n"
    "  --help    show this text\n";

constexpr const char* kCheckHelp =
    "Usage: torvo-cli check FILE\n"
    "\n"
    "Reads FILE exactly as the desktop program opens it. Exits 0 when it would\n"
    "open; otherwise prints why and exits 1.\n"
    "\n"
    "Options:\n"
    "  --help    show this text\n";

constexpr const char* kDownloadHelp =
    "Usage: torvo-cli download [--port PORT] --out FILE [--timeout SECONDS]\n"
    "                          [--connect-timeout SECONDS] [--trace TRACE]\n"
    "\n"
    "Connects to the deskset on PORT, checks its database version and hardware,\n"
    "reads its database and writes it to FILE. Nothing is written unless the\n"
    "whole database arrived; a FILE that cannot be written is reported before\n"
    "connecting.\n"
    "\n"
    "Options:\n"
    "  --port PORT        COMn (on Linux COM1 to COM4, the devices chosen in the\n"
    "                     desktop program's COM Port dialog; on Windows the port\n"
    "                     itself), a serial device path such as /dev/ttyUSB0, or\n"
    "                     tcp:HOST:PORT for a deskset behind a serial device server\n"
    "                     (an IPv6 HOST in brackets: tcp:[::1]:4001);\n"
    "                     without it, the COM port chosen in the desktop program\n"
    "  --out FILE         where to write the database (replaced if it exists)\n"
    "  --timeout SECONDS  give up when the deskset has not answered for this long\n"
    "                     (1 to 3600, default 10)\n"
    "  --connect-timeout SECONDS\n"
    "                     give up when the link is not up after this long (1 to\n"
    "                     3600; default: six attempts of 7 seconds, 42 seconds)\n"
    "  --trace TRACE      write every link frame, both ways, to the file TRACE;\n"
    "                     a trace cut short (a full disk) makes the exit status 1\n"
    "  --help             show this text\n";

constexpr const char* kUploadHelp =
    "Usage: torvo-cli upload [--port PORT] [--timeout SECONDS] [--connect-timeout SECONDS]\n"
    "                        [--backup DIR] [--verify] [--trace TRACE] FILE\n"
    "\n"
    "Reads FILE as the desktop program opens it, connects to the deskset on PORT,\n"
    "checks its database version and hardware, and writes the database into it.\n"
    "Exits 0 only when the deskset reported the upload complete (and, with\n"
    "--verify, the database read back matched).\n"
    "\n"
    "Options:\n"
    "  --port PORT        COMn, a serial device path, or tcp:HOST:PORT (see\n"
    "                     download --help); without it, the desktop program's port\n"
    "  --timeout SECONDS  give up when the deskset has not answered for this long\n"
    "                     (1 to 3600, default 10)\n"
    "  --connect-timeout SECONDS\n"
    "                     give up when the link is not up after this long (1 to\n"
    "                     3600; default: six attempts of 7 seconds, 42 seconds)\n"
    "  --backup DIR       first read the deskset's database into a new file\n"
    "                     DIR/deskset-YYYYMMDD-HHMMSS.ddb (UTC); nothing is uploaded\n"
    "                     unless that file was written whole\n"
    "  --verify           read the database back after the upload and compare it\n"
    "                     byte for byte; exit 1 with the number of differing bytes\n"
    "  --trace TRACE      write every link frame, both ways, to the file TRACE;\n"
    "                     a trace cut short (a full disk) makes the exit status 1\n"
    "  --help             show this text\n";

constexpr int kMaxTimeoutSeconds = 3600;

// A number of seconds from 1 to 3600 in milliseconds, or nothing when the
// text is anything else.
std::optional<int> SecondsInMs(const std::string& text) {
    const auto seconds = WholeNumber(text, 1, kMaxTimeoutSeconds);
    return seconds ? std::optional(*seconds * 1000) : std::nullopt;
}

// The --timeout value in milliseconds, or nothing when it is out of range.
std::optional<int> AnswerTimeoutMs(const ParsedArgs& parsed) {
    const auto it = parsed.values.find("--timeout");
    return it == parsed.values.end() ? transfer::TransferTimings{}.answerMs
                                     : SecondsInMs(it->second);
}

// "Uploaded and verified: 16384 bytes identical; the deskset's previous
// database is in backups/deskset-20261207-101500.ddb"
std::string UploadSummary(bool verified, const std::string& backup) {
    const std::string bytes = std::to_string(ConfigImage::kSize) + " bytes";
    std::string text =
        verified ? "Uploaded and verified: " + bytes + " identical" : "Uploaded: " + bytes;
    if (!backup.empty()) {
        text += "; the deskset's previous database is in " + backup;
    }
    return text;
}

}  // namespace

std::string PortDevice(const std::string& port) {
    if (tcp_device::IsTcpDevice(port)) {
        return tcp_device::ClientParameters(port).empty() ? std::string() : port;
    }
    const bool comName =
        port.size() > 3 && port.starts_with("COM") &&
        std::all_of(port.begin() + 3, port.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!comName) {
        return port;  // a device path, absolute or relative
    }
    const std::string digits = port.substr(3);
    return digits.size() <= 3 ? cli_settings::ComPortDevice(std::stoi(digits)) : std::string();
}

TransferOptions TorvoCli::ReadTransferOptions(const ParsedArgs& parsed) const {
    TransferOptions options;
    const auto port = parsed.values.find("--port");
    const bool portGiven = port != parsed.values.end();
    const std::string portName =
        portGiven ? port->second : (m_storedPort ? m_storedPort() : cli_settings::StoredComPort());
    options.device = PortDevice(portName);
    if (!portGiven && portName.empty()) {
        options.error = "no --port PORT given, and no COM port is chosen in the desktop program";
    } else if (options.device.empty()) {
        options.error = "PORT must be a COM port of this computer, a device path or tcp:HOST:PORT";
        if (tcp_device::IsTcpDevice(portName)) {
            options.error += " (" + portName + ": " + tcp_device::Problem(portName) + ")";
        }
    }
    ReadLinkBounds(parsed, options);
    if (const auto trace = parsed.values.find("--trace"); trace != parsed.values.end()) {
        options.tracePath = trace->second;
    }
    return options;
}

void TorvoCli::ReadLinkBounds(const ParsedArgs& parsed, TransferOptions& options) {
    const auto timeoutMs = AnswerTimeoutMs(parsed);
    if (timeoutMs) {
        options.answerTimeoutMs = *timeoutMs;
    } else if (options.error.empty()) {
        options.error = "SECONDS must be a whole number from 1 to 3600";
    }
    if (const auto it = parsed.values.find("--connect-timeout"); it != parsed.values.end()) {
        options.connectTimeoutMs = SecondsInMs(it->second);
        if (!options.connectTimeoutMs && options.error.empty()) {
            options.error = "--connect-timeout SECONDS must be a whole number from 1 to 3600";
        }
    }
}

// Each command with the options it reads.
struct TorvoCli::Command {
    const char* name;
    const char* help;
    std::set<std::string> valueOptions;
    std::set<std::string> flagOptions;
    int (TorvoCli::*run)(const ParsedArgs&);
};

const std::vector<TorvoCli::Command>& TorvoCli::Commands() {
    static const std::vector<Command> commands = {
        {"new", kNewHelp, {}, {"--force"}, &TorvoCli::New},
        {"check", kCheckHelp, {}, {}, &TorvoCli::Check},
        {"download",
         kDownloadHelp,
         {"--port", "--out", "--timeout", "--connect-timeout", "--trace"},
         {},
         &TorvoCli::Download},
        {"upload",
         kUploadHelp,
         {"--port", "--timeout", "--connect-timeout", "--backup", "--trace"},
         {"--verify"},
         &TorvoCli::Upload},
        {"dump", kDumpHelp, {}, {"--json"}, &TorvoCli::Dump},
        {"get", kGetHelp, {}, {}, &TorvoCli::Get},
        {"set", kSetHelp, {}, {}, &TorvoCli::Set},
        {"apply", kApplyHelp, {}, {}, &TorvoCli::Apply},
        {"diff", kDiffHelp, {}, {}, &TorvoCli::Diff},
        {"export", kExportHelp, {}, {}, &TorvoCli::Export},
        {"import", kImportHelp, {}, {}, &TorvoCli::Import},
        {"fleet upload",
         kFleetUploadHelp,
         {"--jobs", "--backup", "--trace-dir", "--report", "--retry", "--timeout",
          "--connect-timeout"},
         {"--verify"},
         &TorvoCli::FleetUpload},
        {"fleet download",
         kFleetDownloadHelp,
         {"--out", "--compare", "--jobs", "--trace-dir", "--report", "--retry", "--timeout",
          "--connect-timeout"},
         {},
         &TorvoCli::FleetDownload},
    };
    return commands;
}

int TorvoCli::Run(const std::vector<std::string>& args) {
    if (args.empty()) {
        return UsageError("no command given", kProgramHelp);
    }
    const std::string& name = args.front();
    if (name == "--help" || name == "-h" || name == "help") {
        m_out << kProgramHelp;
        return kSuccess;
    }
    if (name == "--version") {
        m_out << "torvo-cli " << TorvoVersion() << "\n";
        return kSuccess;
    }
    // A fleet command is two words: "fleet upload".
    const bool twoWords = name == "fleet" && args.size() > 1;
    const std::string commandName = twoWords ? name + " " + args[1] : name;
    for (const Command& command : Commands()) {
        if (commandName != command.name) {
            continue;
        }
        const ParsedArgs parsed = ParseCommandLine({args.begin() + (twoWords ? 2 : 1), args.end()},
                                                   command.valueOptions, command.flagOptions);
        if (parsed.help) {
            m_out << command.help;
            return kSuccess;
        }
        if (!parsed.error.empty()) {
            return UsageError(parsed.error + " for " + commandName, command.help);
        }
        return (this->*command.run)(parsed);
    }
    return UsageError("unknown command '" + commandName + "'", kProgramHelp);
}

int TorvoCli::UsageError(const std::string& message, const std::string& helpText) {
    m_err << "torvo-cli: " << message << "\n\n" << helpText;
    return kUsageError;
}

int TorvoCli::New(const ParsedArgs& parsed) {
    if (parsed.words.size() != 1) {
        return UsageError("new takes exactly one FILE", kNewHelp);
    }
    const bool force = parsed.flags.contains("--force");
    const std::string& path = parsed.words.front();
    std::error_code error;
    if (!force && std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        m_err << path << " already exists; use --force to replace it.\n";
        return kFailure;
    }
    ConfigImage image;
    SetImageDefaults(image);
    const FileResult result = WriteDatabaseFile(path, image);
    if (!result.Ok()) {
        m_err << result.message << "\n";
        return kFailure;
    }
    return kSuccess;
}

int TorvoCli::Check(const ParsedArgs& parsed) {
    if (parsed.words.size() != 1) {
        return UsageError("check takes exactly one FILE", kCheckHelp);
    }
    const std::string& path = parsed.words.front();
    ConfigImage image;
    if (!ReadDatabase(path, image)) {
        return kFailure;
    }
    m_out << path << ": opens as a database\n";
    return kSuccess;
}

bool TorvoCli::ReadDatabase(const std::string& path, ConfigImage& image) {
    const FileResult result = ReadDatabaseFile(path, image);
    if (!result.Ok()) {
        m_err << ReadProblem(path, result) << "\n";
    }
    return result.Ok();
}

int TorvoCli::Transfer(const TransferOptions& options,
                       const std::function<bool(ConsoleTransfer&)>& run) {
    transfer::TransferTimings timings;
    timings.answerMs = options.answerTimeoutMs;
    ConsoleTransfer transfer(options.device, m_err, m_drawBar, timings,
                             cli_settings::LinkThreadPriorities());
    std::shared_ptr<FrameTraceFile> trace;
    if (!options.tracePath.empty()) {
        trace = std::make_shared<FrameTraceFile>(options.tracePath);
        if (!trace->IsOpen()) {
            m_err << "The trace file " << options.tracePath << " cannot be written.\n";
            return kFailure;
        }
        transfer.Link().LayerFactory().SetFrameObserver(trace);
    }
    transfer.SetStopRequest(m_stop);
    if (m_progressHook) {
        transfer.SetProgressHook(m_progressHook);
    }
    if (options.connectTimeoutMs) {
        transfer.SetConnectTimeout(std::chrono::milliseconds(*options.connectTimeoutMs));
    }
    if (m_transferSetup) {
        m_transferSetup(transfer);
    }
    const bool done = run(transfer);
    if (!done && !transfer.Failure().empty()) {
        m_err << transfer.Failure() << "\n";
    }
    // A trace asked for is part of the result: one cut short fails the command
    // whatever became of the transfer.
    const bool traced = !trace || trace->Complete();
    if (!traced) {
        m_err << "The trace file " << options.tracePath
              << " is incomplete: it could not be written to the end.\n";
    }
    return done && traced ? kSuccess : kFailure;
}

int TorvoCli::Download(const ParsedArgs& parsed) {
    if (!parsed.words.empty() || !parsed.values.contains("--out")) {
        return UsageError("download needs --out FILE", kDownloadHelp);
    }
    const TransferOptions options = ReadTransferOptions(parsed);
    if (!options.error.empty()) {
        return UsageError(options.error, kDownloadHelp);
    }
    // Where the database goes is settled before the deskset is reached.
    DatabaseFileWriter writer(parsed.values.at("--out"));
    if (const FileResult prepared = writer.Prepare(); !prepared.Ok()) {
        m_err << prepared.message << "\n";
        return kFailure;
    }
    ConfigImage image;
    return DownloadInto(options, writer, parsed.values.at("--out"), image);
}

int TorvoCli::DownloadInto(const TransferOptions& options, DatabaseFileWriter& writer,
                           const std::string& path, ConfigImage& image) {
    return Transfer(options, [&](ConsoleTransfer& transfer) {
        if (!transfer.Download(image)) {
            return false;
        }
        const FileResult written = writer.Commit(image);
        if (!written.Ok()) {
            m_err << written.message << "\n";
            return false;
        }
        m_out << "Downloaded: " << ConfigImage::kSize << " bytes into " << path << "\n";
        return true;
    });
}

int TorvoCli::Upload(const ParsedArgs& parsed) {
    if (parsed.words.size() != 1) {
        return UsageError("upload needs one FILE", kUploadHelp);
    }
    const TransferOptions options = ReadTransferOptions(parsed);
    if (!options.error.empty()) {
        return UsageError(options.error, kUploadHelp);
    }
    ConfigImage image;
    if (!ReadDatabase(parsed.words.front(), image)) {
        return kFailure;
    }
    transfer::UploadChecks checks;
    checks.verify = parsed.flags.contains("--verify");
    if (const auto backup = parsed.values.find("--backup"); backup != parsed.values.end()) {
        // Found out before the deskset is reached; the write itself is checked again.
        if (const std::string problem = transfer::BackupFolderProblem(backup->second);
            !problem.empty()) {
            m_err << problem << " Nothing was uploaded.\n";
            return kFailure;
        }
        checks.backupFolder = backup->second;
    }
    std::string backup;
    return UploadImage(options, image, checks, backup);
}

int TorvoCli::UploadImage(const TransferOptions& options, const ConfigImage& image,
                          const transfer::UploadChecks& checks, std::string& backup) {
    std::string failure;
    const int status = Transfer(options, [&](ConsoleTransfer& transfer) {
        const bool uploaded = transfer.Upload(image, checks);
        backup = transfer.BackupPath();
        failure = transfer.Failure();
        if (uploaded) {
            m_out << UploadSummary(checks.verify, backup) << "\n";
        }
        return uploaded;
    });
    // After what went wrong, where the deskset's own database is kept.
    if (status != kSuccess && !backup.empty() && failure.find(backup) == std::string::npos) {
        m_err << "The deskset's previous database is in " << backup << ".\n";
    }
    return status;
}
