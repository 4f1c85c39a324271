#pragma once
// The configuration areas, in the order of the tree: for each, its tree item,
// its View menu command, the internal command that opens its editor window,
// the window class and its help topic. The tree, the menus and the window
// registry all read this one table.

#include <span>
#include <string_view>

#include "app/Commands.h"
#include "app/EditorKind.h"

struct ConfigArea {
    const char* treeText;
    const char* parentText;  // the tree item it hangs under; nullptr for the root
    cmd::Id viewCommand;
    int editorCommand;  // 200..208, 210
    EditorKind kind;
    int channel;  // 1..4 for a channel window, 0 for every other area
    int helpTopic;
    int viewMenuGroup;    // View menu items of one group stand between two separators
    bool followsItsItem;  // the View menu item greys with its tree item
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

std::span<const ConfigArea> ConfigAreas();
// The area of a tree item, View menu command, editor command or window; null for none.
const ConfigArea* AreaByTreeText(std::string_view text);
const ConfigArea* AreaByViewCommand(int id);
const ConfigArea* AreaByEditorCommand(int command);
const ConfigArea* AreaOf(EditorKind kind, int channel = 0);
