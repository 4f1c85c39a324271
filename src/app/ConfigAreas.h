// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every editor of the program, registered once: one row says what the tree,
// the View menu, the commands and the window registry need of it. An editor
// of each channel stands for four areas.

#include <span>
#include <string_view>

#include "app/Commands.h"
#include "app/ConfigArea.h"

struct EditorRegistration {
    EditorKind kind;
    const char* treeText;    // "%1" stands for the channel number
    const char* parentText;  // the tree item it hangs under; nullptr for the root
    int channels;            // 4 for an editor of each channel, else 0
    int viewCommand;         // the first channel's for an editor of each channel
    const char* menuText;    // View menu; "%1" as above
    const char* prompt;      // status-bar prompt; "%1" as above
    int helpTopic;
    int viewMenuGroup;
    bool followsItsItem;
    EditorFactory make;
};

namespace area_texts {
inline constexpr char kDeskset[] = "Deskset Configuration";
inline constexpr char kButtons[] = "Buttons Configuration";
inline constexpr char kPaging[] = "Paging";  // a group, not an area
inline constexpr char kPagingFormats[] = "Paging Formats";
inline constexpr char kSpeedPaging[] = "Speed Paging";
inline constexpr char kCustomTones[] = "Custom Paging Tones";
inline constexpr char kAliases[] = "PTT ID Aliases";
}  // namespace area_texts

std::span<const EditorRegistration> AllEditors();

// The areas in the order of the tree.
std::span<const ConfigArea> ConfigAreas();
// The area of a tree item, View menu command or window; null for none.
const ConfigArea* AreaByTreeText(std::string_view text);
const ConfigArea* AreaByViewCommand(int id);
const ConfigArea* AreaOf(EditorKind kind, int channel = 0);
// The View menu command of an area (0 when there is none).
int ViewCommandOf(EditorKind kind, int channel = 0);

// Every command of the main window in menu order: the fixed ones, with the
// areas' View commands after the configuration tree's.
std::span<const cmd::Command> MenuCommands();
const cmd::Command& MenuCommand(int id);
