// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageBoxPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

#include "app/AppStrings.h"
#include "app/HelpWindow.h"

namespace {

constexpr char kOpenTitle[] = "Open";
constexpr char kSaveAsTitle[] = "Save As";
constexpr char kDefaultSuffix[] = "ddb";

QMessageBox::Icon ToIcon(PromptIcon icon) {
    switch (icon) {
        case PromptIcon::Information:
            return QMessageBox::Information;
        case PromptIcon::Exclamation:
            return QMessageBox::Warning;
        case PromptIcon::Question:
            return QMessageBox::Question;
        case PromptIcon::Stop:
            return QMessageBox::Critical;
        case PromptIcon::None:
            return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons ToButtons(PromptButtons buttons) {
    switch (buttons) {
        case PromptButtons::Ok:
            return QMessageBox::Ok;
        case PromptButtons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case PromptButtons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case PromptButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case PromptButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

PromptAnswer ToAnswer(int button) {
    switch (button) {
        case QMessageBox::Ok:
            return PromptAnswer::Ok;
        case QMessageBox::Yes:
            return PromptAnswer::Yes;
        case QMessageBox::No:
            return PromptAnswer::No;
        case QMessageBox::Retry:
            return PromptAnswer::Retry;
        default:
            return PromptAnswer::Cancel;
    }
}

// A message written in lines keeps them: the box is as wide as the longest
// line (within the screen), so that none wraps and leaves a word alone.
void FitLongestLine(QMessageBox& box, const QString& text) {
    if (!text.contains('\n')) {
        return;
    }
    for (QLabel* label : box.findChildren<QLabel*>()) {
        if (label->text() != text) {
            continue;
        }
        int longest = 0;
        for (const QString& line : text.split('\n')) {
            longest = std::max(longest, label->fontMetrics().horizontalAdvance(line));
        }
        const QScreen* screen = box.screen();
        const int limit = screen ? screen->availableGeometry().width() * 3 / 4 : longest;
        label->setMinimumWidth(std::min(longest, limit));
    }
}

QString Chosen(QFileDialog& dialog) {
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace

QWidget* MessageBoxPrompt::Owner() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    QWidget* owner = QApplication::activeWindow();
    // Never help: help follows a running box as its transient child, so a box
    // owned by help would make each window the other's parent.
    if (auto* help = qobject_cast<HelpWindow*>(owner)) {
        owner = help->parentWidget();
    }
    // The active editor window, which then stays until its question is answered.
    if (auto* main = qobject_cast<QMainWindow*>(owner)) {
        if (auto* workspace = qobject_cast<QMdiArea*>(main->centralWidget())) {
            if (QMdiSubWindow* editor = workspace->currentSubWindow()) {
                return editor;
            }
        }
    }
    return owner;
}

PromptAnswer MessageBoxPrompt::Ask(const QString& text, PromptIcon icon, PromptButtons buttons) {
    QMessageBox box(ToIcon(icon), app_strings::kTitle, text, ToButtons(buttons), Owner());
    FitLongestLine(box, text);
    return ToAnswer(box.exec());
}

std::unique_ptr<QFileDialog> MessageBoxPrompt::OpenDialog(QWidget* owner, const QString& filter) {
    auto dialog = std::make_unique<QFileDialog>(owner, kOpenTitle, QString(), filter);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setDefaultSuffix(kDefaultSuffix);
    return dialog;
}

std::unique_ptr<QFileDialog> MessageBoxPrompt::SaveDialog(QWidget* owner,
                                                          const QString& suggestedPath,
                                                          const QString& filter) {
    auto dialog = std::make_unique<QFileDialog>(owner, kSaveAsTitle, suggestedPath, filter);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(kDefaultSuffix);
    dialog->selectFile(suggestedPath);
    return dialog;
}

QString MessageBoxPrompt::OpenFileName(const QString& filter) {
    return Chosen(*OpenDialog(Owner(), filter));
}

QString MessageBoxPrompt::SaveFileName(const QString& suggestedPath, const QString& filter) {
    return Chosen(*SaveDialog(Owner(), suggestedPath, filter));
}
