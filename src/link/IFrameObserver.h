// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// Sees every frame the packet layer writes, and every frame it reads to the
// end, as the bytes on the line (check bytes included). Called on the comm
// link thread while the layer works, so an observer must be quick, must not
// call back into the link, and must guard whatever another thread also uses.
enum class FrameDirection { Sent, Received };

class IFrameObserver {
public:
    virtual ~IFrameObserver() = default;
    // checkOk is false for a received frame whose check did not match, or
    // whose length could not be ours; such a frame is dropped.
    virtual void OnFrame(FrameDirection direction, const uint8_t* bytes, int length,
                         bool checkOk) = 0;
};

// One frame as a line of text, without the time:
// "TX data seq=3 len=108 04 03 67 ...", "RX bad-crc seq=0 len=5 ...".
std::string DescribeFrame(FrameDirection direction, const uint8_t* bytes, int length, bool checkOk);
