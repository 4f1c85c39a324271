// SPDX-License-Identifier: GPL-3.0-or-later
// A full download (version and hardware requests, then the 164 image blocks)
// between a Vcom client and the deskset simulator over each transport this
// machine offers: time, frames and retransmissions per transport.
//
//   torvo-transport-bench [--runs N]

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "CBenchClient.h"
#include "CSimulatedDesksetLine.h"
#include "link/CLayerFactory.h"
#include "link/TcpDevice.h"
#include "link/VcomStatistics.h"
#include "transfer/MessageCodec.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace transfer;
constexpr auto kConnectTimeout = std::chrono::seconds(30);
constexpr auto kTransferTimeout = std::chrono::seconds(120);

double Seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

// One transport: a simulated deskset on it, and how the computer reaches it.
class BenchTransport {
public:
    virtual ~BenchTransport() = default;
    virtual bool Start() = 0;  // says why on standard error when it fails
    virtual CDesksetSimulator& Simulator() = 0;
    virtual int Layer1Kind() const = 0;
    virtual std::string Layer1Parameters() const = 0;
    // The device behind the computer's COM port (serial kinds only).
    virtual std::string DevicePath() const { return {}; }
};

// The serial line: the emulated cable between two ptys, paced at 19200 baud.
class SerialTransport : public BenchTransport {
public:
    bool Start() override { return m_line.Start(); }
    CDesksetSimulator& Simulator() override { return m_line.Simulator(); }
    int Layer1Kind() const override { return CLayerFactory::kSerialLayer1; }
    std::string Layer1Parameters() const override { return "1 8 0 0 19200"; }
    std::string DevicePath() const override { return m_line.ComputerPath(); }

private:
    CSimulatedDesksetLine m_line{CLineEmulator::Options{}};
};

// A TCP connection on this machine, as to a serial device server.
class TcpTransport : public BenchTransport {
public:
    bool Start() override {
        if (!m_simulator.StartOnTcp("127.0.0.1:0")) {
            std::fprintf(stderr, "simulator: %s\n", m_simulator.LastError().c_str());
            return false;
        }
        return true;
    }
    CDesksetSimulator& Simulator() override { return m_simulator; }
    int Layer1Kind() const override { return CLayerFactory::kSocketLayer1; }
    std::string Layer1Parameters() const override {
        return tcp_device::ClientParameters("tcp:" + m_simulator.DevicePath());
    }

private:
    CDesksetSimulator m_simulator{DesksetSimOptions{}};
};

// A transport between two stacks on this machine (the named pipe, shared
// memory, multicast): the deskset's side and the computer's side of one name.
class LocalTransport : public BenchTransport {
public:
    LocalTransport(int kind, std::string desksetSide, std::string computerSide)
        : m_kind(kind),
          m_desksetSide(std::move(desksetSide)),
          m_computerSide(std::move(computerSide)) {}

    bool Start() override {
        if (!m_simulator.StartOnTransport(m_kind, m_desksetSide)) {
            std::fprintf(stderr, "simulator: %s\n", m_simulator.LastError().c_str());
            return false;
        }
        return true;
    }
    CDesksetSimulator& Simulator() override { return m_simulator; }
    int Layer1Kind() const override { return m_kind; }
    std::string Layer1Parameters() const override { return m_computerSide; }

private:
    int m_kind;
    std::string m_desksetSide;
    std::string m_computerSide;
    CDesksetSimulator m_simulator{DesksetSimOptions{}};
};

std::string UniqueName(const char* what) {
    static int count = 0;
    return std::string("torvo-bench-") + what + "-" + std::to_string(::getpid()) + "-" +
           std::to_string(++count);
}

// The transports measured, one row each. The modem needs a modem (or a
// scripted one) on a serial line; its own tests time a transfer through one.
const std::vector<std::pair<const char*, std::function<std::unique_ptr<BenchTransport>()>>>
    kTransports = {
        {"serial", [] { return std::make_unique<SerialTransport>(); }},
        {"tcp", [] { return std::make_unique<TcpTransport>(); }},
        {"pipe",
         [] {
             const std::string name = "\\\\" + UniqueName("pipe");
             return std::make_unique<LocalTransport>(CLayerFactory::kPipeLayer1, "SERVER " + name,
                                                     "CLIENT " + name);
         }},
        {"shm",
         [] {
             const std::string name = UniqueName("shm");
             return std::make_unique<LocalTransport>(CLayerFactory::kSharedMemoryLayer1, name,
                                                     name);
         }},
        {"multicast",
         [] {
             // Both ends are members of one group; a port of this process's own.
             const std::string text =
                 "MULTICAST_MEMBER 239.255.70.18 " + std::to_string(20000 + ::getpid() % 20000);
             return std::make_unique<LocalTransport>(CLayerFactory::kMulticastLayer1, text, text);
         }},
};

struct Result {
    double connectSeconds = 0;
    double downloadSeconds = 0;
    int frames = 0;           // sent and received by the computer
    int retransmissions = 0;  // by both ends
    bool matches = false;
};

int Counter(const VcomStatistics& statistics, int index) {
    return statistics.value[index];
}

bool Download(BenchTransport& transport, Result& result) {
    CBenchClient client(transport.DevicePath());
    auto start = Clock::now();
    if (!client.ConnectAndWait(kConnectTimeout, transport.Layer1Kind(),
                               transport.Layer1Parameters())) {
        std::fprintf(stderr, "no connection\n");
        return false;
    }
    result.connectSeconds = Seconds(Clock::now() - start);

    VcomStatistics clientBefore;
    client.GetStatistics(clientBefore);
    const VcomStatistics desksetBefore = transport.Simulator().LinkStatistics();
    const size_t skip = client.ReceivedCount();
    start = Clock::now();
    client.SendMessage(kVersionRequest, {});
    client.SendMessage(kHardwareRequest, {});
    client.SendMessage(kDownloadRequest, {0});
    if (!client.WaitForType(kDownloadCompleted, skip, kTransferTimeout)) {
        std::fprintf(stderr, "download did not complete\n");
        return false;
    }
    result.downloadSeconds = Seconds(Clock::now() - start);
    VcomStatistics clientAfter;
    client.GetStatistics(clientAfter);
    const VcomStatistics desksetAfter = transport.Simulator().LinkStatistics();
    result.frames = Counter(clientAfter, VcomStatistics::kFramesSent) -
                    Counter(clientBefore, VcomStatistics::kFramesSent) +
                    Counter(clientAfter, VcomStatistics::kFramesReceived) -
                    Counter(clientBefore, VcomStatistics::kFramesReceived);
    result.retransmissions = Counter(clientAfter, VcomStatistics::kRetransmissions) -
                             Counter(clientBefore, VcomStatistics::kRetransmissions) +
                             Counter(desksetAfter, VcomStatistics::kRetransmissions) -
                             Counter(desksetBefore, VcomStatistics::kRetransmissions);

    std::vector<uint8_t> image(ConfigImage::kSize);
    const auto received = client.Received();
    for (size_t i = skip; i < received.size(); ++i) {
        const auto message = DecodeMessage(received[i].data(), received[i].size());
        const auto block =
            message && message->Type() == kImageBlock ? ParseImageBlock(*message) : std::nullopt;
        if (block) {
            std::copy_n(block->data, block->length, image.begin() + block->offset);
        }
    }
    result.matches = image == transport.Simulator().Image();
    client.Disconnect();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0) {
            runs = std::max(1, std::atoi(argv[i + 1]));
        }
    }
    std::printf("%-10s %10s %12s %8s %16s  %s\n", "link", "connect s", "download s", "frames",
                "retransmissions", "image");
    int failures = 0;
    for (const auto& [name, make] : kTransports) {
        for (int run = 0; run < runs; ++run) {
            auto transport = make();
            Result result;
            if (!transport->Start() || !Download(*transport, result)) {
                std::printf("%-10s failed\n", name);
                ++failures;
                continue;
            }
            std::printf("%-10s %10.3f %12.3f %8d %16d  %s\n", name, result.connectSeconds,
                        result.downloadSeconds, result.frames, result.retransmissions,
                        result.matches ? "matches" : "DIFFERS");
        }
    }
    return failures == 0 ? 0 : 1;
}
