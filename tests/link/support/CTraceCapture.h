// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "link/VcomTrace.h"

// Collects the link's debug texts, from any thread, while it lives.
class CTraceCapture {
public:
    CTraceCapture() {
        SetVcomTraceSink([this](std::string_view text) {
            std::lock_guard lock(m_mutex);
            m_texts.emplace_back(text);
        });
    }
    ~CTraceCapture() { SetVcomTraceSink(nullptr); }
    CTraceCapture(const CTraceCapture&) = delete;
    CTraceCapture& operator=(const CTraceCapture&) = delete;

    int Count(const std::string& text) {
        std::lock_guard lock(m_mutex);
        return static_cast<int>(std::count(m_texts.begin(), m_texts.end(), text));
    }

private:
    std::mutex m_mutex;
    std::vector<std::string> m_texts;
};
