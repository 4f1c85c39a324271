// SPDX-License-Identifier: GPL-3.0-or-later
#include "console/StopRequests.h"

#include <io.h>
#include <windows.h>

#include <cstdio>

namespace stop_requests {

namespace {

std::atomic<bool>* g_flag = nullptr;
HANDLE g_stopEvent = nullptr;

// Runs on a thread of its own that the console starts.
BOOL WINAPI OnConsoleEvent(DWORD /*event: Ctrl+C, Ctrl+Break, close, log-off, shutdown*/) {
    if (g_flag != nullptr) {
        g_flag->store(true);
    }
    if (g_stopEvent != nullptr) {
        ::SetEvent(g_stopEvent);
    }
    return TRUE;
}

}  // namespace

void SetFlagOnStop(std::atomic<bool>& flag) {
    g_flag = &flag;
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void PrepareToWaitForStop() {
    g_stopEvent = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    ::SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
}

void WaitForStop() {
    if (g_stopEvent != nullptr) {
        ::WaitForSingleObject(g_stopEvent, INFINITE);
    }
}

bool ErrorStreamIsTerminal() {
    return ::_isatty(::_fileno(stderr)) != 0;
}

bool ErrorStreamTakesCursorMoves() {
    const HANDLE console = ::GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (!ErrorStreamIsTerminal() || !::GetConsoleMode(console, &mode)) {
        return false;
    }
    return ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

}  // namespace stop_requests
