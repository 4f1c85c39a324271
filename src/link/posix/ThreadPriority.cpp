// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/ThreadPriority.h"

#include <pthread.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>

void ApplyCurrentThreadPriority(int level) {
    const int nice = std::clamp(-2 * level, -20, 19);
    const auto threadId = static_cast<id_t>(::syscall(SYS_gettid));
    // Raising priority needs a privilege most users lack; the thread then keeps
    // running at the default, which is what the stack expects anyway.
    (void)::setpriority(PRIO_PROCESS, threadId, nice);
}

void NameCurrentThread(const char* name) {
    pthread_setname_np(pthread_self(), name);
}
