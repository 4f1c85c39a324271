// SPDX-License-Identifier: GPL-3.0-or-later
#include "CSilentLine.h"

#include <cstdint>

#include "link/CLayer1.h"

namespace {
constexpr int kWaitMs = 50;
}

CSilentLine::CSilentLine(std::unique_ptr<CLayer1> line) : m_line(std::move(line)) {}

CSilentLine::~CSilentLine() {
    Stop();
}

bool CSilentLine::Start() {
    if (m_line->Open() != 0) {
        return false;
    }
    m_running.store(true);
    m_thread = std::thread(&CSilentLine::Run, this);
    return true;
}

void CSilentLine::Stop() {
    m_running.store(false);
    if (m_thread.joinable()) {
        m_thread.join();
    }
    m_line->Close();
}

void CSilentLine::Run() {
    uint8_t buffer[256];
    while (m_running.load()) {
        m_line->WaitReadable(kWaitMs);
        while (m_line->Read(buffer, sizeof(buffer)) > 0) {
        }
    }
}
