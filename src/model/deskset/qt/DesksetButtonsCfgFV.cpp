// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/qt/DesksetButtonsCfgFV.h"

#include <QDialogButtonBox>
#include <QFocusEvent>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Prompt.h"
#include "model/deskset/qt/ButtonConfigDlg.h"
#include "model/deskset/qt/DesksetPicture.h"
#include "model/editing/qt/Latin1.h"
#include "model/editing/qt/PageControls.h"

DesksetButtonsCfgFV::DesksetButtonsCfgFV(const EditorContext& context)
    : FormWindow(context), m_keys(std::make_unique<ButtonsWorkingCopy>(TheImage())) {
    m_picture = new DesksetPicture(IsFourChannelDeskset(TheImage()), this);
    connect(m_picture, &DesksetPicture::KeyPressed, this, &DesksetButtonsCfgFV::EditKey);

    m_clearAll = Buttons()->addButton("&Clear All", QDialogButtonBox::ActionRole);
    m_undo = Buttons()->addButton("&Undo Last Change", QDialogButtonBox::ActionRole);
    connect(m_clearAll, &QPushButton::clicked, this, &DesksetButtonsCfgFV::ClearAll);
    connect(m_undo, &QPushButton::clicked, this, &DesksetButtonsCfgFV::Undo);
    // The keys in entry order, then the buttons.
    SetTabOrder(
        {m_picture->Key(ButtonTable::kCount - 1), OkButton(), m_clearAll, m_undo, CancelButton()});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_picture);
    layout->addWidget(Buttons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void DesksetButtonsCfgFV::OnInitialUpdate() {
    ShowKeys();
    SetFrameTitle(TreeText());
    if (QMdiSubWindow* frame = Frame()) {
        frame->move(0, 0);
    }
}

void DesksetButtonsCfgFV::focusInEvent(QFocusEvent* event) {
    // The window itself takes the focus when it opens: Key 1 has it then.
    m_picture->Key(0)->setFocus(event->reason());
}

void DesksetButtonsCfgFV::OnUpdate() {
    // A paging format may have gone: its keys show Not Defined.
    ShowKeys();
}

void DesksetButtonsCfgFV::ShowKeys() {
    m_keys->RefreshLabels(TheImage());
    for (std::size_t key = 0; key < ButtonTable::kCount; ++key) {
        m_picture->ShowKey(key, FromLatin1(m_keys->ShortLabel(key)),
                           FromLatin1(KeyFunction(TheImage(), m_keys->Entry(key))));
    }
}

void DesksetButtonsCfgFV::EditKey(std::size_t key) {
    ButtonConfigDlg dialog(*m_keys, key, this);
    if (dialog.exec() == QDialog::Accepted) {
        ShowKeys();
    }
}

void DesksetButtonsCfgFV::ClearAll() {
    if (ThePrompt().Ask(FromLatin1(kClearAllQuestion), PromptIcon::Question,
                        PromptButtons::YesNo) == PromptAnswer::Yes) {
        m_keys->ClearAll();
        ShowKeys();
    }
}

void DesksetButtonsCfgFV::Undo() {
    m_keys->Undo();
    ShowKeys();
}

bool DesksetButtonsCfgFV::Write() {
    m_keys->WriteTo(TheImage());
    return true;
}
