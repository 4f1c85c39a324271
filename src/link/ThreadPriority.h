// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Applies a thread priority level (the scale of the desktop platform: 0 normal,
// 1 above normal, 2 highest, 15 time-critical, negative values lower) to the
// calling thread. On Windows the level is the thread priority itself; on Linux
// it becomes the thread's nice value, two steps per level. A refusal (no right
// to raise priority) is ignored.
void ApplyCurrentThreadPriority(int level);

// Names the calling thread for debuggers and process viewers (top -H).
void NameCurrentThread(const char* name);
