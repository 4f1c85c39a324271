// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop prompts: message boxes captioned with the application title,
// and the system file dialogs with their usual titles.

#include <QPointer>
#include <memory>

#include "app/Prompt.h"

class QFileDialog;

class MessageBoxPrompt : public IPrompt {
public:
    PromptAnswer Ask(const QString& text, PromptIcon icon, PromptButtons buttons) override;
    QString OpenFileName(const QString& filter) override;
    QString SaveFileName(const QString& suggestedPath, const QString& filter) override;

    // The file dialogs as they are shown: titled "Open" and "Save As", and a
    // name typed without an extension gets ".ddb".
    static std::unique_ptr<QFileDialog> OpenDialog(QWidget* owner, const QString& filter);
    static std::unique_ptr<QFileDialog> SaveDialog(QWidget* owner, const QString& suggestedPath,
                                                   const QString& filter);

    // The window a box or file dialog belongs to: the running dialog, else the
    // active editor window or main window; never the help window.
    static QWidget* Owner();
};
