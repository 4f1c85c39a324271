#pragma once
// The desktop prompts: message boxes and the system file dialogs, captioned
// with the application title.

#include <QPointer>

#include "app/Prompt.h"

class MessageBoxPrompt : public IPrompt {
public:
    PromptAnswer Ask(const QString& text, PromptIcon icon, PromptButtons buttons) override;
    QString OpenFileName(const QString& filter) override;
    QString SaveFileName(const QString& suggestedPath, const QString& filter) override;

private:
    static QWidget* Owner();
};
