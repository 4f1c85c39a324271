// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Buttons Configuration" window: the deskset's picture with its 18
// programmable keys. Pressing a key opens its dialog; the window works on a
// copy of the keys that OK writes back. While it is open the tree keeps
// Speed Paging unavailable, so speed pages do not move under the keys.

#include <memory>

#include "model/deskset/ButtonsForm.h"
#include "model/editing/qt/FormWindow.h"

class DesksetPicture;

class DesksetButtonsCfgFV : public FormWindow {
    Q_OBJECT

public:
    explicit DesksetButtonsCfgFV(const EditorContext& context);

    void OnInitialUpdate() override;
    void OnUpdate() override;

    DesksetPicture* Picture() const { return m_picture; }
    QPushButton* ClearAllButton() const { return m_clearAll; }
    QPushButton* UndoButton() const { return m_undo; }
    const ButtonsWorkingCopy& Keys() const { return *m_keys; }

    // The buttons, as the user presses them.
    void EditKey(std::size_t key);
    void ClearAll();
    void Undo();

protected:
    void focusInEvent(QFocusEvent* event) override;
    std::optional<Refusal> Check() const override { return std::nullopt; }
    bool Write() override;

private:
    void ShowKeys();

    std::unique_ptr<ButtonsWorkingCopy> m_keys;
    DesksetPicture* m_picture;
    QPushButton* m_clearAll;
    QPushButton* m_undo;
};
