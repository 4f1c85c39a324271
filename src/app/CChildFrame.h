#pragma once
// The frame of one editor window: a caption and a close box, not resizable,
// no minimise or maximise.

#include <QMdiSubWindow>

class CEditorView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    explicit CChildFrame(CEditorView* view);

    CEditorView* View() const { return m_view; }
    // Fixes the frame to the size the view asks for.
    void FitToView();

private:
    CEditorView* m_view;
};
