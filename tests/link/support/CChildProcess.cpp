// SPDX-License-Identifier: GPL-3.0-or-later
#include "CChildProcess.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <thread>

CChildProcess::CChildProcess(const std::function<int()>& body) {
    m_pid = ::fork();
    if (m_pid == 0) {
        int result = 100;
        try {
            result = body();
        } catch (...) {
        }
        ::_exit(result);
    }
}

CChildProcess::~CChildProcess() {
    Kill();
}

std::optional<int> CChildProcess::Wait(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (IsStarted() && !m_reaped) {
        const pid_t result = ::waitpid(m_pid, &m_status, WNOHANG);
        if (result == m_pid || (result < 0 && errno != EINTR)) {
            m_reaped = true;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (m_reaped && WIFEXITED(m_status)) {
        return WEXITSTATUS(m_status);
    }
    return std::nullopt;
}

void CChildProcess::Kill() {
    if (!IsStarted() || m_reaped) {
        return;
    }
    ::kill(m_pid, SIGKILL);
    while (::waitpid(m_pid, &m_status, 0) < 0 && errno == EINTR) {
    }
    m_reaped = true;
}
