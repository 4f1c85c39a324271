// SPDX-License-Identifier: GPL-3.0-or-later
// What the named pipe does alike on every platform: reading the parameter
// text, running the connection thread, and a failed read or write. The pipe
// itself is in posix/CPipeLayer1.cpp and win32/CPipeLayer1.cpp.
#include "link/CPipeLayer1.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "link/VcomCodes.h"
#include "link/VcomTrace.h"

namespace {

// Close gives the connection thread 10 checks 50 ms apart to end.
constexpr int kStopChecks = 10;
constexpr int kStopCheckMs = 50;

}  // namespace

CPipeLayer1::Parameters CPipeLayer1::ParseParameters(const char* text) {
    Parameters parsed;
    if (text == nullptr) {
        return parsed;
    }
    char role[256] = {};
    char name[256] = {};
    if (std::sscanf(text, "%255s %255s", role, name) != 2) {
        return parsed;
    }
    if (std::strcmp(role, "SERVER") == 0) {
        parsed.role = Role::kServer;
    } else if (std::strcmp(role, "CLIENT") == 0) {
        parsed.role = Role::kClient;
    }
    if (parsed.role != Role::kNone && std::strncmp(name, "\\\\", 2) == 0) {
        parsed.name = name;
    }
    return parsed;
}

bool CPipeLayer1::StartConnectThread() {
    m_stop.Reset();
    m_threadFinished.store(false);
    try {
        m_connectThread = std::thread(&CPipeLayer1::PipeConnectThread, this);
    } catch (const std::system_error&) {
        m_threadFinished.store(true);
        return false;
    }
    return true;
}

void CPipeLayer1::StopConnectThread() {
    if (!m_connectThread.joinable()) {
        return;
    }
    m_stop.Request();
    for (int check = 0; check < kStopChecks && !m_threadFinished.load(); ++check) {
        std::this_thread::sleep_for(std::chrono::milliseconds(kStopCheckMs));
    }
    if (!m_threadFinished.load()) {
        // Threads are never killed, and every wait of this one is bounded:
        // report the overrun and wait for it.
        VcomTrace("(CPipeLayer1::Close)  error: the connection thread did not end in time\n");
    }
    m_connectThread.join();
}

int CPipeLayer1::Failed(const char* text) {
    VcomTrace(text);
    ClosePipe();
    PostStatus(kStatusPipeFailed, 0);
    return -1;
}
