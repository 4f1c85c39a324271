// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every message box, question and file dialog of the program goes through this
// interface, so that tests can script the answers and read the texts.

#include <QString>
#include <memory>

class QWidget;

// None: a plain box, the text and the buttons only.
enum class PromptIcon { Information, Exclamation, Question, Stop, None };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry };

class IPrompt {
public:
    virtual ~IPrompt() = default;

    virtual PromptAnswer Ask(const QString& text, PromptIcon icon, PromptButtons buttons) = 0;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString OpenFileName(const QString& filter) = 0;
    virtual QString SaveFileName(const QString& suggestedPath, const QString& filter) = 0;

    void Warn(const QString& text) { Ask(text, PromptIcon::Exclamation, PromptButtons::Ok); }
};

// The prompt in use; the desktop program installs message boxes at start-up.
IPrompt& ThePrompt();
void InstallPrompt(std::unique_ptr<IPrompt> prompt);
