// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Prompt.h"

#include "app/MessageBoxPrompt.h"

namespace {
std::unique_ptr<IPrompt>& Installed() {
    static std::unique_ptr<IPrompt> prompt = std::make_unique<MessageBoxPrompt>();
    return prompt;
}
}  // namespace

IPrompt& ThePrompt() {
    return *Installed();
}

void InstallPrompt(std::unique_ptr<IPrompt> prompt) {
    Installed() = std::move(prompt);
}
