// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimCommandLine.h"

#include <charconv>

#include "DefaultImage.h"
#include "link/SocketSupport.h"

namespace {

bool ParseInt(const std::string& text, int low, int high, int& value) {
    int parsed = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), parsed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || parsed < low ||
        parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

}  // namespace

std::string SimCommandLine::SplitListenAddress(const std::string& text, std::string& host,
                                               int& port) {
    std::string portText = text;
    if (text.find(':') == std::string::npos && !text.starts_with('[')) {
        host = "127.0.0.1";
    } else if (std::string problem = socket_support::SplitHostPort(text, host, portText);
               !problem.empty()) {
        return problem;
    }
    return socket_support::ParsePort(portText, port) ? "" : "PORT must be a number from 0 to 65535";
}

const char* SimCommandLine::Usage() {
    return "usage: torvo-deskset-sim [--pty | --device PATH | --tcp [HOST:]PORT]\n"
           "                         [--link NAME] [--image FILE]\n"
           "                         [--save FILE] [--database-version TEXT] [--hardware N]\n"
           "                         [--fail-download] [--fail-upload] [--silent]\n"
           "                         [--answer-limit N] [--baud N]\n"
           "                         [--hardware-answers N] [--short-download N]\n"
           "                         [--stall-download] [--corrupt-upload-block N]\n"
           "       torvo-deskset-sim --version | --help\n"
           "Stands in for a deskset on a serial line. With --pty (the default) the path\n"
           "of the new pseudo-terminal is the first line of standard output. With --tcp\n"
           "it serves on a listening socket (HOST 127.0.0.1 unless given, an IPv6 address\n"
           "in brackets as in [::1]:4001, PORT 0 for any free port) and the first line\n"
           "is the address listened on, HOST:PORT.\n"
           "--database-version TEXT is the answer to the database version request\n"
           "(\"ZEL DESKSET V001\" unless given); --hardware N the answer to the hardware\n"
           "request. --hardware-answers N answers the hardware request N times; --short-download N\n"
           "serves only the first N blocks before reporting the download complete;\n"
           "--stall-download never reports the outcome of a download;\n"
           "--corrupt-upload-block N stores upload block N (0 to 163) with its bytes\n"
           "inverted and still reports the upload complete.\n";
}

SimCommandLine SimCommandLine::Parse(const std::vector<std::string>& arguments) {
    SimCommandLine line;
    DesksetSimOptions& options = line.options;
    for (size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size()) {
                line.error = argument + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        std::string text;
        if (argument == "--pty") {
            line.devicePath.clear();
            line.tcpAddress.clear();
        } else if (argument == "--device") {
            value(line.devicePath);
            line.tcpAddress.clear();
        } else if (argument == "--tcp") {
            std::string host;
            int port = 0;
            if (value(line.tcpAddress)) {
                if (const std::string problem = SplitListenAddress(line.tcpAddress, host, port);
                    !problem.empty()) {
                    line.error = "--tcp " + line.tcpAddress + ": " + problem;
                }
            }
            line.devicePath.clear();
        } else if (argument == "--link") {
            value(options.linkPath);
        } else if (argument == "--image") {
            if (value(text) && !ReadImageFile(text, options.image, line.error)) {
                line.error = "--image: " + line.error;
            }
        } else if (argument == "--save") {
            value(options.savePath);
        } else if (argument == "--database-version") {
            if (value(text)) {
                if (text.size() > 247) {
                    line.error = "--database-version: at most 247 characters";
                }
                options.version = text;
            }
        } else if (argument == "--hardware") {
            if (value(text) && !ParseInt(text, 0, 255, options.hardware)) {
                line.error = "--hardware: a number from 0 to 255";
            }
        } else if (argument == "--answer-limit") {
            if (value(text) && !ParseInt(text, 0, 1 << 30, options.answerLimit)) {
                line.error = "--answer-limit: a number of messages";
            }
        } else if (argument == "--hardware-answers") {
            if (value(text) && !ParseInt(text, 1, 10, options.hardwareAnswers)) {
                line.error = "--hardware-answers: a number from 1 to 10";
            }
        } else if (argument == "--short-download") {
            if (value(text) && !ParseInt(text, 0, 163, options.downloadBlocks)) {
                line.error = "--short-download: a number of blocks from 0 to 163";
            }
        } else if (argument == "--corrupt-upload-block") {
            if (value(text) && !ParseInt(text, 0, 163, options.corruptUploadBlock)) {
                line.error = "--corrupt-upload-block: a block number from 0 to 163";
            }
        } else if (argument == "--baud") {
            if (value(text) && !ParseInt(text, 50, 921600, options.baudRate)) {
                line.error = "--baud: a baud rate";
            }
        } else if (argument == "--fail-download") {
            options.failDownload = true;
        } else if (argument == "--stall-download") {
            options.stallDownload = true;
        } else if (argument == "--fail-upload") {
            options.failUpload = true;
        } else if (argument == "--silent") {
            options.silent = true;
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else {
            line.error = "unknown option " + argument;
        }
    }
    return line;
}
