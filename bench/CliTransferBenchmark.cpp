// SPDX-License-Identifier: GPL-3.0-or-later
// torvo-cli's download and upload against the simulated deskset over the line
// emulator: wall time of the transfer phase (from the first block to the
// deskset's outcome) against the line bound (bytes on the wire / baud / 10),
// and how long each command took to connect (from the command to the link up).
// The last command is an upload with a backup before and a verify after, on
// the same connection: its transfer phase runs from the backup's first block
// to the verify's last.
//
//   torvo-cli-bench [--baud N]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "CSimulatedDesksetLine.h"
#include "ConsoleTransfer.h"
#include "model/ImageDefaults.h"

namespace {

using Clock = std::chrono::steady_clock;

// Measures the transfer phase of one command and reports it against the line bound.
class PhaseTimer {
public:
    PhaseTimer(CLineEmulator& line, int baudRate) : m_line(line), m_baudRate(baudRate) {}

    void Requested() { m_requested = Clock::now(); }
    void Connected(const char* name) const {
        const double wall = std::chrono::duration<double>(Clock::now() - m_requested).count();
        std::printf("%-9s connection     %7.3f s\n", name, wall);
    }
    void Started() {
        m_line.ResetCounters();
        m_start = Clock::now();
    }
    void Report(const char* name) const {
        const double wall = std::chrono::duration<double>(Clock::now() - m_start).count();
        const auto bytes = m_line.BytesFirstToSecond() + m_line.BytesSecondToFirst();
        const double bound = static_cast<double>(bytes) / (m_baudRate / 10.0);
        std::printf(
            "%-9s transfer phase %7.3f s  bytes on the wire %6lld  line bound %7.3f s  "
            "(%+.2f %%)\n",
            name, wall, static_cast<long long>(bytes), bound, (wall / bound - 1.0) * 100);
    }

private:
    CLineEmulator& m_line;
    int m_baudRate;
    Clock::time_point m_requested;
    Clock::time_point m_start;
};

}  // namespace

int main(int argc, char** argv) {
    CLineEmulator::Options lineOptions;
    if (argc == 3 && std::strcmp(argv[1], "--baud") == 0) {
        lineOptions.baudRate = std::atoi(argv[2]);
    }
    CSimulatedDesksetLine bench(lineOptions);
    if (!bench.Start()) {
        return 1;
    }
    CLineEmulator& line = bench.Line();
    std::printf("line %d baud\n", lineOptions.baudRate);

    PhaseTimer phase(line, lineOptions.baudRate);
    std::ostringstream quiet;
    ConfigImage image;
    {
        ConsoleTransfer download(bench.ComputerPath(), quiet, false);
        download.SetConnectedHook([&] { phase.Connected("download"); });
        download.SetProgressStartedHook([&] { phase.Started(); });
        phase.Requested();
        if (!download.Download(image)) {
            std::fprintf(stderr, "download failed: %s\n", download.Failure().c_str());
            return 1;
        }
        phase.Report("download");
    }
    {
        ConsoleTransfer upload(bench.ComputerPath(), quiet, false);
        upload.SetConnectedHook([&] { phase.Connected("upload"); });
        upload.SetProgressStartedHook([&] { phase.Started(); });
        phase.Requested();
        if (!upload.Upload(image)) {
            std::fprintf(stderr, "upload failed: %s\n", upload.Failure().c_str());
            return 1;
        }
        phase.Report("upload");
    }
    {
        char folder[] = "/tmp/torvo-bench-backup-XXXXXX";
        if (::mkdtemp(folder) == nullptr) {
            return 1;
        }
        ConsoleTransfer upload(bench.ComputerPath(), quiet, false);
        upload.SetConnectedHook([&] { phase.Connected("backup+upload+verify"); });
        upload.SetProgressStartedHook([&] { phase.Started(); });
        phase.Requested();
        const bool uploaded = upload.Upload(image, {std::string(folder), true});
        std::filesystem::remove_all(folder);
        if (!uploaded) {
            std::fprintf(stderr, "backup+upload+verify failed: %s\n", upload.Failure().c_str());
            return 1;
        }
        phase.Report("backup+upload+verify");
    }
    return 0;
}
