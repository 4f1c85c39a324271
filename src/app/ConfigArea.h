// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One configuration area: one tree item, one View menu command and at most
// one editor window. The table of them is ConfigAreas.

#include <functional>
#include <string>

#include "model/EditorKind.h"

class CEditorView;
struct EditorContext;

// Makes the view of an area's editor window (the context names the area).
using EditorFactory = std::function<CEditorView*(const EditorContext&)>;

struct ConfigArea {
    EditorKind kind;
    int channel;  // 1..4 for a channel window, 0 for every other area
    std::string treeText;
    const char* parentText;  // the tree item it hangs under; nullptr for the root
    int viewCommand;
    std::string menuText;  // the View menu command's, with & before the mnemonic
    std::string prompt;    // the View menu command's status-bar prompt
    int helpTopic;
    int viewMenuGroup;    // View menu items of one group stand between two separators
    bool followsItsItem;  // the View menu item greys with its tree item
};
