// SPDX-License-Identifier: GPL-3.0-or-later
// Full-image download and upload between a Vcom client and the deskset
// simulator over the line emulator, against the line bound, and the CPU time
// of connected, idle stacks.
//
//   torvo-link-bench [--baud N] [--idle-seconds N] [--bit-error-rate X] [--drop-rate X]

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "CBenchClient.h"
#include "ProcessMeasures.h"
#include "CSimulatedDesksetLine.h"
#include "transfer/MessageCodec.h"

namespace {

using Clock = std::chrono::steady_clock;

using namespace transfer;
constexpr auto kTransferTimeout = std::chrono::seconds(120);

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

void ReportTransfer(const char* name, Clock::duration elapsed, const CLineEmulator& line,
                    int baudRate) {
    const int64_t toDeskset = line.BytesFirstToSecond();
    const int64_t toComputer = line.BytesSecondToFirst();
    const double bound = static_cast<double>(toDeskset + toComputer) / (baudRate / 10.0);
    const double wall = Seconds(elapsed);
    std::printf("%-9s wall %7.3f s  bytes on the wire %6lld (to deskset %lld, to computer %lld)\n",
                name, wall, static_cast<long long>(toDeskset + toComputer),
                static_cast<long long>(toDeskset), static_cast<long long>(toComputer));
    std::printf("%-9s line bound %7.3f s  wall / bound %.4f  (%+.2f %%)\n", name, bound,
                wall / bound, (wall / bound - 1.0) * 100.0);
}

ConfigImage PatternImage() {
    ConfigImage image;
    for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
        image.SetU8(i, static_cast<uint8_t>(i * 31 + 7));
    }
    return image;
}

std::vector<uint8_t> BytesOf(const ConfigImage& image) {
    return {image.Bytes().begin(), image.Bytes().end()};
}

}  // namespace

int main(int argc, char** argv) {
    CLineEmulator::Options lineOptions;
    int idleSeconds = 10;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--baud") == 0) {
            lineOptions.baudRate = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--idle-seconds") == 0) {
            idleSeconds = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--bit-error-rate") == 0) {
            lineOptions.bitErrorRate = std::atof(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--drop-rate") == 0) {
            lineOptions.dropRate = std::atof(argv[i + 1]);
        }
    }

    CSimulatedDesksetLine bench(lineOptions);
    if (!bench.Start()) {
        return 1;
    }
    CLineEmulator& line = bench.Line();
    CDesksetSimulator& simulator = bench.Simulator();
    CBenchClient client(bench.ComputerPath());
    std::printf("line %d baud, bit error rate %g, drop rate %g\n", lineOptions.baudRate,
                lineOptions.bitErrorRate, lineOptions.dropRate);

    auto start = Clock::now();
    if (!client.ConnectAndWait(std::chrono::seconds(30))) {
        std::fprintf(stderr, "no connection\n");
        return 1;
    }
    std::printf("connect   %7.3f s (the computer polls as soon as the port is open)\n",
                Seconds(Clock::now() - start));

    start = Clock::now();
    size_t skip = client.ReceivedCount();
    client.SendMessage(kVersionRequest, {});
    client.SendMessage(kHardwareRequest, {});
    if (!client.WaitForType(kHardwareConfiguration, skip, std::chrono::seconds(30))) {
        std::fprintf(stderr, "no hardware answer\n");
        return 1;
    }
    std::printf("version and hardware requests answered in %.3f s\n",
                Seconds(Clock::now() - start));

    // Download.
    line.ResetCounters();
    skip = client.ReceivedCount();
    start = Clock::now();
    client.SendMessage(kDownloadRequest, {0});
    if (!client.WaitForType(kDownloadCompleted, skip, kTransferTimeout)) {
        std::fprintf(stderr, "download did not complete\n");
        return 1;
    }
    ReportTransfer("download", Clock::now() - start, line, lineOptions.baudRate);
    ConfigImage downloaded;
    const auto received = client.Received();
    for (size_t i = skip; i < received.size(); ++i) {
        const auto message = DecodeMessage(received[i].data(), received[i].size());
        const auto block =
            message && message->Type() == kImageBlock ? ParseImageBlock(*message) : std::nullopt;
        if (block) {
            std::copy_n(block->data, block->length, downloaded.Bytes().begin() + block->offset);
        }
    }
    std::printf("download  image %s\n",
                BytesOf(downloaded) == simulator.Image() ? "matches" : "DIFFERS");

    // Upload.
    const ConfigImage image = PatternImage();
    line.ResetCounters();
    skip = client.ReceivedCount();
    start = Clock::now();
    for (const Msg& block : BuildUploadBlocks(image)) {
        client.SendMessage(block.Type(), block.Payload());
    }
    if (!client.WaitForType(kUploadCompleted, skip, kTransferTimeout)) {
        std::fprintf(stderr, "upload did not complete\n");
        return 1;
    }
    ReportTransfer("upload", Clock::now() - start, line, lineOptions.baudRate);
    std::printf("upload    image %s\n",
                simulator.Image() == BytesOf(image) ? "matches" : "DIFFERS");

    // Idle: both stacks connected, polls every 3 s, nothing else to do.
    const double cpuBefore = ProcessCpuSeconds();
    auto threadsBefore = ThreadCpuByName();
    start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    const double cpu = ProcessCpuSeconds() - cpuBefore;
    auto threadsAfter = ThreadCpuByName();
    const double wall = Seconds(Clock::now() - start);
    const double stacks = (threadsAfter["vcom-session"] - threadsBefore["vcom-session"]) +
                          (threadsAfter["vcom-comm"] - threadsBefore["vcom-comm"]);
    std::printf(
        "idle      %.0f s: whole process %.3f s CPU, %.3f %% of one core "
        "(two stacks and the emulator)\n",
        wall, cpu, cpu / wall * 100.0);
    std::printf("idle      one connected stack: %.3f s CPU, %.3f %% of one core\n", stacks / 2,
                stacks / 2 / wall * 100.0);
    client.Disconnect();
    return 0;
}
