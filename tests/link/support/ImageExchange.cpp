#include "ImageExchange.h"

#include <algorithm>

#include "CRecordingVcom.h"

namespace {
constexpr int kImageSize = 16384;
constexpr int kMessageSize = 250;
}  // namespace

std::vector<uint8_t> PatternImage(int seed) {
    std::vector<uint8_t> image(kImageSize);
    for (int i = 0; i < kImageSize; ++i) {
        image[i] = static_cast<uint8_t>(i * 31 + seed + i / 256);
    }
    return image;
}

std::vector<uint8_t> SendImage(CRecordingVcom& from, CRecordingVcom& to,
                               const std::vector<uint8_t>& image) {
    size_t before = 0;
    {
        auto lock = to.Lock();
        before = to.received.size();
    }
    size_t messages = 0;
    for (size_t offset = 0; offset < image.size(); offset += kMessageSize, ++messages) {
        const int length = static_cast<int>(std::min<size_t>(kMessageSize, image.size() - offset));
        if (from.Send(image.data() + offset, length) != 0) {
            return {};
        }
    }
    if (!to.WaitUntil([&] { return to.received.size() >= before + messages; })) {
        return {};
    }
    std::vector<uint8_t> joined;
    auto lock = to.Lock();
    for (size_t i = before; i < to.received.size(); ++i) {
        joined.insert(joined.end(), to.received[i].begin(), to.received[i].end());
    }
    return joined;
}
