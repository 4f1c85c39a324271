// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor window of one channel: a wizard of up to five pages. It writes
// the channel record on Finish only, and reports "Channel n" to the
// configuration tree when it closes.

#include "app/CEditorView.h"

class ChanWizard;

class ChanCfgFV : public CEditorView {
    Q_OBJECT

public:
    static constexpr const char* kInvalidChannelMessage =
        "ERROR calling ChanCfgFV::OnDestroy() with invalid channel number.";

    // The area's channel is 1..4; any other makes an empty window.
    explicit ChanCfgFV(const EditorContext& context);
    ~ChanCfgFV() override;

    // None when the channel index was invalid.
    ChanWizard* Wizard() const { return m_wizard; }

    void OnInitialUpdate() override;

private:
    void ShowPageTitle();
    void OnFinished();
    void ActivateNextWindow();

    ChanWizard* m_wizard = nullptr;
};
