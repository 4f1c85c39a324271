// SPDX-License-Identifier: GPL-3.0-or-later
// torvo-cli fleet against simulated desksets, each at the far end of its own
// emulated serial line:
//  - the whole fleet uploaded with verify, against one unit alone, in the same run;
//  - one download command, from its start to the file written, against the
//    line bound (bytes on the wire / baud / 10);
//  - the CPU of idle connected links and the resident memory each link adds.
//
//   torvo-fleet-bench [--units N] [--idle-seconds N]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <thread>

#include "CBenchClient.h"
#include "CSimulatedDesksetLine.h"
#include "ProcessMeasures.h"
#include "TorvoCli.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kConnectTimeout = std::chrono::seconds(30);

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// Runs torvo-cli with args; the wall time in seconds, or a negative time when it failed.
double TimedCommand(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    TorvoCli cli(out, err);
    const auto start = Clock::now();
    const int status = cli.Run(args);
    const double wall = Seconds(Clock::now() - start);
    if (status != TorvoCli::kSuccess) {
        std::fprintf(stderr, "torvo-cli %s failed:\n%s%s", args.front().c_str(), out.str().c_str(),
                     err.str().c_str());
        return -1;
    }
    return wall;
}

std::string WriteInventory(const fs::path& folder, const std::string& name,
                           const std::vector<std::unique_ptr<CSimulatedDesksetLine>>& lines,
                           std::size_t count) {
    const fs::path path = folder / name;
    std::ofstream file(path);
    file << "name,port,database\n";
    for (std::size_t k = 0; k < count; ++k) {
        file << "unit-" << k + 1 << "," << lines[k]->ComputerPath() << ",site.ddb\n";
    }
    return path.string();
}

}  // namespace

int main(int argc, char** argv) {
    int units = 16;
    int idleSeconds = 10;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--units") == 0) {
            units = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--idle-seconds") == 0) {
            idleSeconds = std::atoi(argv[i + 1]);
        }
    }
    const CLineEmulator::Options lineOptions;
    std::vector<std::unique_ptr<CSimulatedDesksetLine>> lines;
    for (int k = 0; k < units; ++k) {
        lines.push_back(std::make_unique<CSimulatedDesksetLine>(lineOptions));
        if (!lines.back()->Start()) {
            return 1;
        }
    }
    char folderName[] = "/tmp/torvo-fleet-bench-XXXXXX";
    if (::mkdtemp(folderName) == nullptr) {
        return 1;
    }
    const fs::path folder(folderName);
    ConfigImage site;
    SetImageDefaults(site);
    if (!WriteDatabaseFile((folder / "site.ddb").string(), site).Ok()) {
        return 1;
    }
    std::printf("%d units, each on its own %d-baud line\n", units, lineOptions.baudRate);

    const std::string one = WriteInventory(folder, "one.csv", lines, 1);
    const std::string all = WriteInventory(folder, "all.csv", lines, units);
    const std::string jobs = std::to_string(units);
    const double alone = TimedCommand({"fleet", "upload", one, "--verify"});
    const double fleet = TimedCommand({"fleet", "upload", all, "--verify", "--jobs", jobs});
    if (alone < 0 || fleet < 0) {
        return 1;
    }
    std::printf("upload with verify: one unit alone %.3f s, %d units %.3f s, fleet / one %.3f\n",
                alone, units, fleet, fleet / alone);

    CLineEmulator& line = lines.front()->Line();
    line.ResetCounters();
    const double download =
        TimedCommand({"download", "--port", lines.front()->ComputerPath(), "--out",
                      (folder / "downloaded.ddb").string()});
    if (download < 0) {
        return 1;
    }
    const auto bytes = line.BytesFirstToSecond() + line.BytesSecondToFirst();
    const double bound = static_cast<double>(bytes) / (lineOptions.baudRate / 10.0);
    std::printf(
        "download command: %.3f s to the file written, bytes on the wire %lld, line bound "
        "%.3f s, command / bound %.4f\n",
        download, static_cast<long long>(bytes), bound, download / bound);
    fs::remove_all(folder);

    // Idle: every line's link connected, nothing to do but hold it up.
    const long long residentBefore = ResidentBytes();
    std::vector<std::unique_ptr<CBenchClient>> clients;
    for (const auto& each : lines) {
        clients.push_back(std::make_unique<CBenchClient>(each->ComputerPath()));
        if (!clients.back()->ConnectAndWait(kConnectTimeout)) {
            std::fprintf(stderr, "a link did not come up\n");
            return 1;
        }
    }
    const long long residentAfter = ResidentBytes();
    const auto threadsBefore = ThreadCpuByName();
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double wall = Seconds(Clock::now() - start);
    auto threadsAfter = ThreadCpuByName();
    const double stacks = (threadsAfter["vcom-session"] - threadsBefore.at("vcom-session")) +
                          (threadsAfter["vcom-comm"] - threadsBefore.at("vcom-comm"));
    // Each line has two stacks, the computer's and the simulated deskset's, alike.
    const double perLink = stacks / (2.0 * units);
    std::printf("idle %.0f s: one connected link %.4f s CPU, %.4f %% of one core\n", wall,
                perLink, perLink / wall * 100.0);
    std::printf("resident memory per connected link: %.0f KiB\n",
                (residentAfter - residentBefore) / 1024.0 / units);
    for (auto& client : clients) {
        client->Disconnect();
    }
    return 0;
}
