// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How fast a held spin control steps: 1 at once, 5 after a second, 10 after two.

inline int AcceleratedStep(long long heldMs) {
    if (heldMs >= 2000) {
        return 10;
    }
    return heldMs >= 1000 ? 5 : 1;
}
