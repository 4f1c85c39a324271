// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/VcomTrace.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace {

std::mutex& TraceMutex() {
    static std::mutex mutex;
    return mutex;
}

VcomTraceSink& TraceSink() {
    static VcomTraceSink sink;
    return sink;
}

void DefaultSink(std::string_view text) {
    static const bool enabled = std::getenv("VCOM_TRACE") != nullptr;
    if (enabled) {
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
}

}  // namespace

void SetVcomTraceSink(VcomTraceSink sink) {
    std::lock_guard lock(TraceMutex());
    TraceSink() = std::move(sink);
}

void VcomTrace(std::string_view text) {
    std::lock_guard lock(TraceMutex());
    if (TraceSink()) {
        TraceSink()(text);
    } else {
        DefaultSink(text);
    }
}
