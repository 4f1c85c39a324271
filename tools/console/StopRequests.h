// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user asking a console program to stop: Ctrl+C, and a request to end it
// (a terminate or hang-up signal on Linux, the console closing on Windows).

#include <atomic>

namespace stop_requests {

// From now on a stop request sets the flag instead of ending the program.
void SetFlagOnStop(std::atomic<bool>& flag);
// Call before any thread starts; then WaitForStop returns on the first stop
// request.
void PrepareToWaitForStop();
void WaitForStop();
// Whether standard error is a terminal (progress is drawn as a bar there).
bool ErrorStreamIsTerminal();
// Whether standard error is a terminal that takes cursor moves (ANSI escape
// sequences), so that lines already written can be redrawn. On Windows the
// console is switched to take them where it can.
bool ErrorStreamTakesCursorMoves();

}  // namespace stop_requests
