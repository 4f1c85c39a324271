// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageSending.h"

#include <algorithm>

#include "CRecordingVcom.h"

std::vector<uint8_t> ImagePattern(int seed) {
    std::vector<uint8_t> image(kImageSize);
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * (2 * seed + 5) + (i >> 8) + seed);
    }
    return image;
}

std::vector<uint8_t> SendImage(CRecordingVcom& from, CRecordingVcom& to,
                               const std::vector<uint8_t>& image) {
    constexpr int kMessageSize = 250;
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

bool ImagesCrossBothWays(CRecordingVcom& first, CRecordingVcom& second) {
    const auto there = ImagePattern(1);
    const auto back = ImagePattern(2);
    return SendImage(first, second, there) == there && SendImage(second, first, back) == back;
}
