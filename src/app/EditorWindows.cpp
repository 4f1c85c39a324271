// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EditorWindows.h"

#include <QMdiArea>

#include "app/CChildFrame.h"
#include "app/CConfigTree.h"
#include "app/CTorvoDoc.h"
#include "app/ConfigAreas.h"

std::map<EditorKind, EditorWindows::Factory>& EditorWindows::Factories() {
    static std::map<EditorKind, Factory> factories;
    return factories;
}

void EditorWindows::RegisterFactory(EditorKind kind, Factory factory) {
    Factories()[kind] = std::move(factory);
}

void EditorWindows::UnregisterFactory(EditorKind kind) {
    Factories().erase(kind);
}

void RegisterEditors() {
    for (const EditorRegistration& editor : AllEditors()) {
        EditorWindows::RegisterFactory(editor.kind, editor.make);
    }
}

EditorWindows::EditorWindows(QMdiArea& workspace, CConfigTree& tree,
                             std::function<CTorvoDoc*()> document)
    : m_workspace(workspace), m_tree(tree), m_document(std::move(document)) {}

QList<CEditorView*> EditorWindows::OpenViews() const {
    QList<CEditorView*> views;
    if (!m_document()) {
        return views;
    }
    for (QMdiSubWindow* frame : m_workspace.subWindowList()) {
        // A frame being destroyed is no CChildFrame any more.
        if (auto* child = qobject_cast<CChildFrame*>(frame); child && child->View()) {
            views.append(child->View());
        }
    }
    return views;
}

CEditorView* EditorWindows::FindView(EditorKind kind, int channel) const {
    for (CEditorView* view : OpenViews()) {
        if (view->Kind() == kind && (channel == 0 || view->ChannelIndex() + 1 == channel)) {
            return view;
        }
    }
    return nullptr;
}

void EditorWindows::Activate(CEditorView* view) {
    if (QMdiSubWindow* frame = view->Frame()) {
        m_workspace.setActiveSubWindow(frame);
        frame->raise();
    }
    view->setFocus();
    view->update();
}

bool EditorWindows::OpenEditor(EditorKind kind, int channel) {
    CTorvoDoc* doc = m_document();
    if (!doc) {
        return false;
    }
    if (CEditorView* open = FindView(kind, channel)) {
        Activate(open);
        return true;
    }
    const auto factory = Factories().find(kind);
    const ConfigArea* area = AreaOf(kind, channel);
    if (factory == Factories().end() || !area) {
        return false;
    }
    if (channel > 0) {
        doc->SetChannelToOpen(channel - 1);
    }
    CEditorView* view = factory->second(EditorContext{*doc, *this, m_tree, *area});
    auto* frame = new CChildFrame(view);
    m_workspace.addSubWindow(frame);
    view->OnInitialUpdate();
    frame->FitToView();
    frame->show();
    m_tree.EditorOpened(view->TreeText());
    Activate(view);
    return true;
}

bool EditorWindows::IsEditorOpen(EditorKind kind, int channel) const {
    return FindView(kind, channel) != nullptr;
}

void EditorWindows::CloseChannelEditorsAbove1() {
    for (int channel = 2; channel <= 4; ++channel) {
        if (CEditorView* view = FindView(EditorKind::ChanCfg, channel)) {
            view->DestroyFrame();
        }
    }
}

void EditorWindows::CloseEditor(EditorKind kind) {
    if (CEditorView* view = FindView(kind, 0)) {
        view->DestroyFrame();
    }
}

void EditorWindows::CloseSpeedPagingEditor() {
    CloseEditor(EditorKind::SpeedPageList);
}

void EditorWindows::ReopenButtonsEditor() {
    if (IsEditorOpen(EditorKind::DesksetButtonsCfg)) {
        CloseEditor(EditorKind::DesksetButtonsCfg);
        OpenEditor(EditorKind::DesksetButtonsCfg);
    }
}

CEditorView* EditorWindows::ActiveView() const {
    QMdiSubWindow* frame = m_workspace.activeSubWindow();
    auto* child = qobject_cast<CChildFrame*>(frame);
    return child ? child->View() : nullptr;
}

QSize EditorWindows::LargestFrameSize() {
    QSize largest;
    if (m_document()) {
        return largest;
    }
    // The scratch document is the current one while it lives, and none after.
    CTorvoDoc scratch;
    for (const auto& [kind, factory] : Factories()) {
        // The four channel windows are alike: channel 1 stands for them.
        const ConfigArea* area = AreaOf(kind, 0) ? AreaOf(kind, 0) : AreaOf(kind, 1);
        // In the workspace, hidden: the frame has its borders there.
        auto* frame = new CChildFrame(factory(EditorContext{scratch, *this, m_tree, *area}));
        m_workspace.addSubWindow(frame);
        frame->FitToView();
        largest = largest.expandedTo(frame->size());
        delete frame;
    }
    return largest;
}
