// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <memory>
#include <thread>

class CLayer1;

// A deskset that never answers: reads and drops whatever arrives, so that the
// computer's writes never back up, and says nothing at all.
class CSilentLine {
public:
    explicit CSilentLine(std::unique_ptr<CLayer1> line);
    ~CSilentLine();

    bool Start();  // false when the line cannot be opened
    void Stop();

private:
    void Run();

    std::unique_ptr<CLayer1> m_line;
    std::atomic<bool> m_running{false};
    std::thread m_thread;
};
