// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/ChanCfgFV.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "app/CTorvoDoc.h"
#include "app/Prompt.h"
#include "model/Layout.h"
#include "model/deskset/PageSequence.h"
#include "model/deskset/qt/ChanWizard.h"

namespace {

bool IsChannelIndex(int index) {
    return index >= 0 && index < static_cast<int>(layout::channel::kCount);
}

}  // namespace

ChanCfgFV::ChanCfgFV(const EditorContext& context) : CEditorView(context) {
    SetHelpTopic(PageHelpTopic(PageCode::Channel));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (!IsChannelIndex(ChannelIndex())) {
        return;
    }
    m_wizard = new ChanWizard(ChannelIndex(), this);
    layout->addWidget(m_wizard);
    m_wizard->show();
    connect(m_wizard, &ChanWizard::PageActivated, this, &ChanCfgFV::ShowPageTitle);
    connect(m_wizard, &ChanWizard::Finished, this, &ChanCfgFV::OnFinished);
    connect(m_wizard, &ChanWizard::Cancelled, this, &CEditorView::CloseFrame);
    connect(m_wizard, &ChanWizard::NextWindowRequested, this, &ChanCfgFV::ActivateNextWindow);
}

ChanCfgFV::~ChanCfgFV() {
    if (!IsChannelIndex(ChannelIndex())) {
        ThePrompt().Ask(kInvalidChannelMessage, PromptIcon::Stop, PromptButtons::Ok);
    }
}

void ChanCfgFV::OnInitialUpdate() {
    ShowPageTitle();
    if (QMdiSubWindow* frame = Frame()) {
        frame->move(0, 0);
    }
}

void ChanCfgFV::ShowPageTitle() {
    if (!m_wizard) {
        return;
    }
    SetFrameTitle(m_wizard->CurrentTitle());
    SetHelpTopic(m_wizard->CurrentHelpTopic());
}

void ChanCfgFV::OnFinished() {
    Document().MarkModified();
    CloseFrame();
}

void ChanCfgFV::ActivateNextWindow() {
    if (QMdiSubWindow* frame = Frame(); frame && frame->mdiArea()) {
        frame->mdiArea()->activateNextSubWindow();
    }
}
