// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What an editor window may ask of the window registry: other windows that
// show what it is about to change close, or come back.

#include "model/EditorKind.h"

class IEditorWindows {
public:
    virtual ~IEditorWindows() = default;

    // channel 0 for every area but the channels, 1..4 for a channel window.
    // Activates a matching open window or creates one; false when nothing opened.
    virtual bool OpenEditor(EditorKind kind, int channel = 0) = 0;
    // channel as for OpenEditor; 0 finds any channel window.
    virtual bool IsEditorOpen(EditorKind kind, int channel = 0) const = 0;
    // Destroys the window of an area other than the channels, if one is open.
    virtual void CloseEditor(EditorKind kind) = 0;
    virtual void CloseChannelEditorsAbove1() = 0;
    virtual void CloseSpeedPagingEditor() = 0;
    virtual void ReopenButtonsEditor() = 0;
};
