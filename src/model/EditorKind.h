// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editors, one per kind of configuration area (the channels share one),
// and which of them are never open together.

#include <array>
#include <utility>

enum class EditorKind {
    DesksetCfg,         // the deskset's settings
    ChanCfg,            // one channel, the channel wizard
    DesksetButtonsCfg,  // the keys
    ManualPageList,     // the paging formats
    SpeedPageList,      // the speed pages
    CustomPageList,     // the custom paging tones
    AliasList,          // the PTT ID aliases
};

// While one of a pair is open the other cannot be: a speed page may move under a key.
inline constexpr std::array<std::pair<EditorKind, EditorKind>, 1> kNeverOpenTogether{{
    {EditorKind::DesksetButtonsCfg, EditorKind::SpeedPageList},
}};

// True when an open window of kind open keeps a window of kind other from opening.
constexpr bool KeepsClosed(EditorKind open, EditorKind other) {
    for (const auto& [first, second] : kNeverOpenTogether) {
        if ((open == first && other == second) || (open == second && other == first)) {
            return true;
        }
    }
    return false;
}
