#pragma once

// Applies a thread priority level (the scale of the desktop platform: 0 normal,
// 1 above normal, 2 highest, 15 time-critical, negative values lower) to the
// calling thread. On Linux the level becomes the thread's nice value, two
// steps per level; a refusal (no right to raise priority) is ignored.
void ApplyCurrentThreadPriority(int level);
