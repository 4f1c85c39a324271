#include "TorvoCli.h"

#include <filesystem>

#include "app/DatabaseFile.h"
#include "app/ImageDefaults.h"

namespace {

constexpr const char* kProgramHelp =
    "Usage: torvo-cli COMMAND [OPTIONS]\n"
    "\n"
    "Works with Velk Series deskset configuration databases (.ddb files).\n"
    "\n"
    "Commands:\n"
    "  new FILE      write a new database holding the defaults\n"
    "  check FILE    tell whether FILE opens as a database\n"
    "\n"
    "Run 'torvo-cli COMMAND --help' for a command's options.\n";

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

bool IsOption(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-';
}

bool WantsHelp(const std::vector<std::string>& args) {
    for (const auto& arg : args) {
        if (arg == "--help" || arg == "-h") {
            return true;
        }
    }
    return false;
}

}  // namespace

int TorvoCli::Run(const std::vector<std::string>& args) {
    if (args.empty()) {
        return UsageError("no command given", kProgramHelp);
    }
    const std::string& command = args.front();
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "--help" || command == "-h" || command == "help") {
        m_out << kProgramHelp;
        return kSuccess;
    }
    if (command == "new") {
        return New(rest);
    }
    if (command == "check") {
        return Check(rest);
    }
    return UsageError("unknown command '" + command + "'", kProgramHelp);
}

int TorvoCli::UsageError(const std::string& message, const std::string& helpText) {
    m_err << "torvo-cli: " << message << "\n\n" << helpText;
    return kUsageError;
}

int TorvoCli::New(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        m_out << kNewHelp;
        return kSuccess;
    }
    bool force = false;
    std::vector<std::string> files;
    for (const auto& arg : args) {
        if (arg == "--force") {
            force = true;
        } else if (IsOption(arg)) {
            return UsageError("unknown option '" + arg + "' for new", kNewHelp);
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 1) {
        return UsageError("new takes exactly one FILE", kNewHelp);
    }
    const std::string& path = files.front();
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

int TorvoCli::Check(const std::vector<std::string>& args) {
    if (WantsHelp(args)) {
        m_out << kCheckHelp;
        return kSuccess;
    }
    for (const auto& arg : args) {
        if (IsOption(arg)) {
            return UsageError("unknown option '" + arg + "' for check", kCheckHelp);
        }
    }
    if (args.size() != 1) {
        return UsageError("check takes exactly one FILE", kCheckHelp);
    }
    ConfigImage image;
    const FileResult result = ReadDatabaseFile(args.front(), image);
    switch (result.outcome) {
        case FileResult::Outcome::Ok:
            m_out << args.front() << ": opens as a database\n";
            return kSuccess;
        case FileResult::Outcome::FailedSilently:
            // The desktop program says nothing about an empty file; a shell user needs a reason.
            m_err << args.front() << ": the file is empty.\n";
            return kFailure;
        case FileResult::Outcome::Failed:
            break;
    }
    m_err << result.message << "\n";
    return kFailure;
}
