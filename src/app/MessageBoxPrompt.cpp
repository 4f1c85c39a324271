#include "app/MessageBoxPrompt.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "app/AppStrings.h"

namespace {

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

}  // namespace

QWidget* MessageBoxPrompt::Owner() {
    QWidget* owner = QApplication::activeModalWidget();
    return owner ? owner : QApplication::activeWindow();
}

PromptAnswer MessageBoxPrompt::Ask(const QString& text, PromptIcon icon, PromptButtons buttons) {
    QMessageBox box(ToIcon(icon), app_strings::kTitle, text, ToButtons(buttons), Owner());
    return ToAnswer(box.exec());
}

QString MessageBoxPrompt::OpenFileName(const QString& filter) {
    return QFileDialog::getOpenFileName(Owner(), app_strings::kTitle, QString(), filter);
}

QString MessageBoxPrompt::SaveFileName(const QString& suggestedPath, const QString& filter) {
    QFileDialog dialog(Owner(), app_strings::kTitle, suggestedPath, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("ddb");
    dialog.selectFile(suggestedPath);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}
