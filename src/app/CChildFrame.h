// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The frame of one editor window: a caption and a close box, not resizable,
// no minimise or maximise. It never goes while one of its dialogs runs.

#include <QMdiSubWindow>
#include <functional>

class CEditorView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    explicit CChildFrame(CEditorView* view);

    CEditorView* View() const { return m_view; }
    // Fixes the frame to the size the view asks for.
    void FitToView();
    // Deletes the window now, or once its running dialog has ended.
    void Destroy();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // A dialog of this window runs its event loop inside the window's own code
    // and lives on that code's stack: deleting the window under it would free
    // the dialog twice and return to a freed window. With such a dialog
    // running, again() runs after it has ended, and the answer is true.
    bool AfterRunningDialog(std::function<void()> again);

    CEditorView* m_view;
};
