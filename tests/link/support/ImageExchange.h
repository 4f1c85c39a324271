// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ImageSending.h"

// Two link stacks in two processes move a 16384-byte image each way through
// the packet layer over one transport, in 100-byte messages as a transfer
// sends its blocks. The far end ("Passive") runs in a forked child: it sends
// its image as soon as the link is up, then checks the one it is sent and
// answers with a one-byte verdict.
struct ImageExchangeResult {
    std::string failure;    // empty when both images arrived byte for byte
    double downloadMs = 0;  // link up to the far end's whole image received
    double uploadMs = 0;    // first block queued to the far end's verdict received
};

// Call with no thread of the test's own running (it forks first).
ImageExchangeResult ExchangeImages(int layer1Kind, const std::string& computerParameters,
                                   const std::string& farEndParameters);
