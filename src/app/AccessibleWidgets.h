// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a screen reader hears matches what the screen shows, where Qt's own
// descriptions differ from it:
// - a drop-down list is named by its label (its entry is its value), where
//   Qt on Linux names it by its current entry;
// - an unavailable configuration tree item is announced as not enabled,
//   where Qt announces every item of a tree as enabled.

void InstallAccessibleWidgets();
