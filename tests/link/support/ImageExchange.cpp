// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageExchange.h"

#include <algorithm>
#include <chrono>

#include "CChildProcess.h"
#include "CRecordingVcom.h"
#include "FastClock.h"
#include "link/CLayerFactory.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr int kBlockSize = 100;
constexpr int kBlocks = (kImageSize + kBlockSize - 1) / kBlockSize;
constexpr int kClockFactor = 20;
constexpr auto kChildBound = std::chrono::seconds(30);

void SendBlocks(CRecordingVcom& link, const Bytes& image) {
    for (int offset = 0; offset < kImageSize; offset += kBlockSize) {
        link.Send(image.data() + offset, std::min(kBlockSize, kImageSize - offset));
    }
}

// The first kBlocks messages received, joined.
Bytes ReceivedImage(CRecordingVcom& link) {
    auto lock = link.Lock();
    Bytes image;
    for (int i = 0; i < kBlocks && i < static_cast<int>(link.received.size()); ++i) {
        image.insert(image.end(), link.received[i].begin(), link.received[i].end());
    }
    return image;
}

bool WaitForMessages(CRecordingVcom& link, size_t count) {
    return link.WaitUntil([&] { return link.received.size() >= count; });
}

int RunFarEnd(int layer1Kind, const std::string& parameters) {
    CRecordingVcom link;
    link.LayerFactory().SetClock(FastClock(kClockFactor));
    if (link.Connect(0, "Passive", layer1Kind, parameters.c_str()) != 0) {
        return 2;
    }
    if (!link.WaitUntil([&] { return link.connects == 1; })) {
        return 3;
    }
    SendBlocks(link, ImagePattern(2));
    if (!WaitForMessages(link, kBlocks)) {
        return 4;
    }
    const uint8_t verdict = ReceivedImage(link) == ImagePattern(1) ? 1 : 0;
    link.Send(&verdict, 1);
    // The computer hangs up once it has the verdict.
    link.WaitUntil([&] { return link.disconnects == 1; });
    return verdict == 1 ? 0 : 5;
}

double MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

ImageExchangeResult ExchangeImages(int layer1Kind, const std::string& computerParameters,
                                   const std::string& farEndParameters) {
    ImageExchangeResult result;
    CChildProcess child([&] { return RunFarEnd(layer1Kind, farEndParameters); });
    if (!child.IsStarted()) {
        result.failure = "no child process";
        return result;
    }
    CRecordingVcom computer;
    computer.LayerFactory().SetClock(FastClock(kClockFactor));
    if (const int code = computer.Connect(0, nullptr, layer1Kind, computerParameters.c_str());
        code != 0) {
        result.failure = "Connect returned " + std::to_string(code);
        return result;
    }
    if (!computer.WaitUntil([&] { return computer.connects == 1; })) {
        result.failure = "the link did not come up";
        return result;
    }
    const auto linkUp = Clock::now();
    if (!WaitForMessages(computer, kBlocks)) {
        result.failure = "the far end's image did not arrive";
        return result;
    }
    result.downloadMs = MillisecondsSince(linkUp);
    if (ReceivedImage(computer) != ImagePattern(2)) {
        result.failure = "the far end's image arrived changed";
        return result;
    }

    const auto uploadStart = Clock::now();
    SendBlocks(computer, ImagePattern(1));
    if (!WaitForMessages(computer, kBlocks + 1)) {
        result.failure = "no verdict from the far end";
        return result;
    }
    result.uploadMs = MillisecondsSince(uploadStart);
    const Bytes verdict = [&] {
        auto lock = computer.Lock();
        return computer.received[kBlocks];
    }();
    if (verdict != Bytes{1}) {
        result.failure = "the far end got the image changed";
        return result;
    }
    computer.Disconnect();
    if (const auto code = child.Wait(kChildBound); code != 0) {
        result.failure = "the far end ended with " + (code ? std::to_string(*code) : "no exit");
    }
    return result;
}
