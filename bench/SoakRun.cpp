// SPDX-License-Identifier: GPL-3.0-or-later
// Transfers back to back between torvo-cli's transfer and the simulated
// deskset over the line emulator, on a line with bit errors and lost bytes, and
// with a deskset that now and then stops answering part way. Every transfer
// must end either byte for byte correct or with the program's failure message
// and nothing written, within a bound; the process's open descriptors and
// resident memory (the client and the simulator both run in it) must stay flat.
//
//   torvo-soak [--transfers N] [--baud N] [--bit-error-rate X] [--drop-rate X]
//              [--stop-chance X] [--bound-seconds N] [--seed N]

#include <dirent.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "CSimulatedDesksetLine.h"
#include "ConsoleTransfer.h"

namespace {

using Clock = std::chrono::steady_clock;

struct SoakOptions {
    int transfers = 200;
    int baudRate = 19200;
    double bitErrorRate = 1e-4;
    double dropRate = 1e-4;
    double stopChance = 0.1;  // of a deskset that stops answering part way
    int boundSeconds = 120;   // a transfer still running then has hung
    unsigned seed = 1;
};

bool ParseOptions(int argc, char** argv, SoakOptions& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--transfers") {
            options.transfers = std::atoi(value);
        } else if (name == "--baud") {
            options.baudRate = std::atoi(value);
        } else if (name == "--bit-error-rate") {
            options.bitErrorRate = std::atof(value);
        } else if (name == "--drop-rate") {
            options.dropRate = std::atof(value);
        } else if (name == "--stop-chance") {
            options.stopChance = std::atof(value);
        } else if (name == "--bound-seconds") {
            options.boundSeconds = std::atoi(value);
        } else if (name == "--seed") {
            options.seed = static_cast<unsigned>(std::atoi(value));
        } else {
            return false;
        }
    }
    return argc % 2 == 1 && options.transfers > 0 && options.baudRate > 0;
}

// What the process holds: open descriptors and resident memory.
struct Usage {
    int descriptors = 0;
    long residentKb = 0;
};

Usage SampleUsage() {
    Usage usage;
    if (DIR* folder = opendir("/proc/self/fd")) {
        while (dirent* entry = readdir(folder)) {
            usage.descriptors += entry->d_name[0] != '.';
        }
        closedir(folder);
        --usage.descriptors;  // the one opendir itself holds
    }
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0) {
            usage.residentKb = std::atol(line.c_str() + 6);
        }
    }
    return usage;
}

// Sets the stop flag if the transfer is still running after the bound.
class Watchdog {
public:
    Watchdog(std::atomic<bool>& stop, std::chrono::seconds bound)
        : m_thread([this, &stop, bound] {
              std::unique_lock lock(m_mutex);
              if (!m_done.wait_for(lock, bound, [this] { return m_finished; })) {
                  stop = true;
              }
          }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_finished = true;
        }
        m_done.notify_all();
        m_thread.join();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

enum class Kind { Upload, Download };

struct Result {
    Kind kind = Kind::Upload;
    bool stopped = false;  // the deskset was told to stop part way
    bool completed = false;
    bool hung = false;
    std::string failure;    // the program's message when not completed
    std::string violation;  // what broke the rule, if anything
    double seconds = 0;
};

ConfigImage RandomImage(std::mt19937& random) {
    ConfigImage image;
    for (auto& byte : image.Bytes()) {
        byte = static_cast<std::uint8_t>(random());
    }
    image.SetText(layout::kHeader, layout::kHeaderLength, layout::kHeaderText);
    return image;
}

ConfigImage ImageOf(const std::vector<std::uint8_t>& bytes) {
    ConfigImage image;
    std::copy_n(bytes.begin(), std::min(bytes.size(), ConfigImage::kSize), image.Bytes().begin());
    return image;
}

class Soak {
public:
    Soak(const SoakOptions& options, CSimulatedDesksetLine& bench)
        : m_options(options), m_bench(bench), m_random(options.seed) {}

    Result RunOne(int index) {
        Result result;
        result.kind = index % 2 == 0 ? Kind::Upload : Kind::Download;
        CDesksetSimulator& simulator = m_bench.Simulator();
        simulator.AnswerAgain();
        result.stopped = std::bernoulli_distribution(m_options.stopChance)(m_random);
        if (result.stopped && result.kind == Kind::Upload) {
            // After the version and hardware answers, somewhere among the blocks.
            simulator.StopPartWay(2 + Pick(0, 163), -1);
        } else if (result.stopped) {
            simulator.StopPartWay(-1, Pick(1, 163));
        }
        const auto start = Clock::now();
        if (result.kind == Kind::Upload) {
            Upload(result);
        } else {
            Download(result);
        }
        result.seconds = std::chrono::duration<double>(Clock::now() - start).count();
        return result;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution(low, high)(m_random); }

    // Runs one command of a fresh client, as torvo-cli does, within the bound.
    template <class Command>
    void RunClient(Result& result, Command command) {
        std::atomic<bool> stop{false};
        std::ostringstream quiet;
        ConsoleTransfer client(m_bench.ComputerPath(), quiet, false);
        client.SetStopRequest(&stop);
        {
            Watchdog watchdog(stop, std::chrono::seconds(m_options.boundSeconds));
            result.completed = command(client);
        }
        result.hung = stop.load();
        result.failure = result.completed ? "" : client.Failure();
        if (!result.completed && result.failure.empty()) {
            result.violation = "ended without the program's failure message";
        }
    }

    void Upload(Result& result) {
        CDesksetSimulator& simulator = m_bench.Simulator();
        const ConfigImage image = RandomImage(m_random);
        const ConfigImage before = ImageOf(simulator.Image());
        const int uploadsBefore = simulator.CompletedUploads();
        RunClient(result, [&](ConsoleTransfer& client) { return client.Upload(image); });
        const ConfigImage stored = ImageOf(simulator.Image());
        if (result.completed &&
            (stored != image || simulator.CompletedUploads() != uploadsBefore + 1)) {
            result.violation = "a completed upload is not what the deskset stored";
        } else if (!result.completed && stored != before) {
            result.violation = "a failed upload changed the deskset's database";
        }
    }

    void Download(Result& result) {
        const ConfigImage expected = ImageOf(m_bench.Simulator().Image());
        const ConfigImage untouched = RandomImage(m_random);
        ConfigImage received = untouched;
        RunClient(result, [&](ConsoleTransfer& client) { return client.Download(received); });
        if (result.completed && received != expected) {
            result.violation = "a completed download differs from the deskset's database";
        } else if (!result.completed && received != untouched) {
            result.violation = "a failed download was written";
        }
    }

    const SoakOptions& m_options;
    CSimulatedDesksetLine& m_bench;
    std::mt19937 m_random;
};

// The counts and times the soak reports.
class Tally {
public:
    void Add(const Result& result) {
        const char* kind = result.kind == Kind::Upload ? "upload" : "download";
        Totals& totals = m_totals[kind];
        ++totals.count;
        totals.completed += result.completed;
        totals.stopped += result.stopped;
        totals.seconds += result.seconds;
        totals.longest = std::max(totals.longest, result.seconds);
        if (!result.completed) {
            ++m_failures[result.failure];
        }
        m_hangs += result.hung;
        m_violations += !result.violation.empty();
    }

    void Print() const {
        for (const auto& [kind, totals] : m_totals) {
            std::printf(
                "%-9s %4d run, %4d completed, %4d failed (%d told to stop part way); "
                "mean %.2f s, longest %.2f s\n",
                kind.c_str(), totals.count, totals.completed, totals.count - totals.completed,
                totals.stopped, totals.seconds / totals.count, totals.longest);
        }
        for (const auto& [message, count] : m_failures) {
            std::printf("  failed %3d times with \"%s\"\n", count, message.c_str());
        }
        std::printf("hung: %d, broken rules: %d\n", m_hangs, m_violations);
    }

    bool Clean() const { return m_hangs == 0 && m_violations == 0; }

private:
    struct Totals {
        int count = 0;
        int completed = 0;
        int stopped = 0;
        double seconds = 0;
        double longest = 0;
    };
    std::map<std::string, Totals> m_totals;
    std::map<std::string, int> m_failures;
    int m_hangs = 0;
    int m_violations = 0;
};

// Descriptors and memory after the first round trip, the highest since, and at the end.
class UsageWatch {
public:
    void Sample(int index) {
        const Usage now = SampleUsage();
        if (index == 1) {
            m_settled = now;
        }
        m_highest.descriptors = std::max(m_highest.descriptors, now.descriptors);
        m_highest.residentKb = std::max(m_highest.residentKb, now.residentKb);
        m_last = now;
    }

    void Print(const Usage& start) const {
        std::printf(
            "open descriptors: %d at start, %d after the first round trip, %d highest, "
            "%d at the end\n",
            start.descriptors, m_settled.descriptors, m_highest.descriptors, m_last.descriptors);
        std::printf(
            "resident memory:  %ld kB at start, %ld kB after the first round trip, "
            "%ld kB highest, %ld kB at the end\n",
            start.residentKb, m_settled.residentKb, m_highest.residentKb, m_last.residentKb);
    }

    // Flat: no descriptor more than after the first round trip, and memory
    // within a few megabytes of it (allocator pools settle over a few runs).
    bool Flat() const {
        constexpr long kSlackKb = 8 * 1024;
        return m_last.descriptors <= m_settled.descriptors &&
               m_highest.residentKb <= m_settled.residentKb + kSlackKb;
    }

private:
    Usage m_settled;
    Usage m_highest;
    Usage m_last;
};

}  // namespace

int main(int argc, char** argv) {
    SoakOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: torvo-soak [--transfers N] [--baud N] [--bit-error-rate X] "
                     "[--drop-rate X] [--stop-chance X] [--bound-seconds N] [--seed N]\n");
        return 2;
    }
    const Usage start = SampleUsage();
    CLineEmulator::Options lineOptions;
    lineOptions.baudRate = options.baudRate;
    lineOptions.bitErrorRate = options.bitErrorRate;
    lineOptions.dropRate = options.dropRate;
    lineOptions.seed = options.seed;
    CSimulatedDesksetLine bench(lineOptions);
    if (!bench.Start()) {
        return 1;
    }
    std::printf("%d transfers at %d baud, bit errors %g, byte drops %g, stop chance %g\n",
                options.transfers, options.baudRate, options.bitErrorRate, options.dropRate,
                options.stopChance);

    Soak soak(options, bench);
    Tally tally;
    UsageWatch usage;
    const auto began = Clock::now();
    for (int i = 0; i < options.transfers; ++i) {
        const Result result = soak.RunOne(i);
        tally.Add(result);
        usage.Sample(i);
        std::printf("%4d %-8s %-4s %6.2f s  %s%s%s\n", i + 1,
                    result.kind == Kind::Upload ? "upload" : "download",
                    result.stopped ? "stop" : "", result.seconds,
                    result.completed ? "completed" : result.failure.c_str(),
                    result.violation.empty() ? "" : "  BROKEN: ", result.violation.c_str());
        std::fflush(stdout);
    }
    const double total = std::chrono::duration<double>(Clock::now() - began).count();
    std::printf("\n%d transfers in %.1f s\n", options.transfers, total);
    tally.Print();
    usage.Print(start);
    const bool flat = usage.Flat();
    std::printf("descriptors and memory flat: %s\n", flat ? "yes" : "NO");
    return tally.Clean() && flat ? 0 : 1;
}
