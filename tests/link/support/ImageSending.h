// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

class CRecordingVcom;

inline constexpr int kImageSize = 16384;
// A 16384-byte image with a pattern that shows any byte out of place.
std::vector<uint8_t> ImagePattern(int seed);

// Sends the image from one connected stack to the other, both in this
// process, in messages of at most 250 bytes and returns what arrived, joined
// up; empty when it did not arrive within the bound.
std::vector<uint8_t> SendImage(CRecordingVcom& from, CRecordingVcom& to,
                               const std::vector<uint8_t>& image);

// Between two connected stacks in this process: an image from the first to
// the second, another back, each arriving byte for byte.
bool ImagesCrossBothWays(CRecordingVcom& first, CRecordingVcom& second);
