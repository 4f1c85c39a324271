// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Caps Lock, Num Lock and Scroll Lock, as far as the platform reports them.

#include <QString>
#include <optional>

enum class LockKey { Caps, Num, Scroll };

// On, off, or no answer from the platform.
std::optional<bool> IsLockOn(LockKey key);

// The status-bar text of a lock key while it is on.
QString LockIndicatorText(LockKey key);
