// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CTorvoApp.h"

#include <QFile>
#include <QFileInfo>

#include "app/AppStrings.h"
#include "app/Prompt.h"
#include "app/TorvoSettings.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "settings/ComPortSettings.h"
#include "transfer/TransferStrings.h"

namespace {
std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}
}  // namespace

CTorvoApp::CTorvoApp() = default;

CTorvoApp::~CTorvoApp() = default;

bool CTorvoApp::CloseDatabase() {
    m_lastCloseOk = true;
    if (!m_doc) {
        return true;
    }
    const bool wasModified = m_doc->IsModified();
    if (wasModified) {
        const PromptAnswer answer =
            ThePrompt().Ask(QString(app_strings::kSaveChanges).arg(m_doc->DisplayName()),
                            PromptIcon::Question, PromptButtons::YesNoCancel);
        if (answer == PromptAnswer::Cancel || (answer == PromptAnswer::Yes && !DoSave(false))) {
            m_lastCloseOk = false;
            return false;
        }
    } else if (ThePrompt().Ask(app_strings::kCloseQuestion, PromptIcon::Exclamation,
                               PromptButtons::OkCancel) != PromptAnswer::Ok) {
        m_lastCloseOk = false;
        return false;
    }
    ClearImage();
    emit DatabaseClosed();
    m_doc->CloseAllViews();
    m_doc.reset();
    return true;
}

void CTorvoApp::BeginDocument(const QString& title, const QString& path) {
    m_doc = std::make_unique<CTorvoDoc>();
    m_doc->SetTitle(title);
    m_doc->SetPath(path);
    connect(m_doc.get(), &CTorvoDoc::EditorClosed, this, &CTorvoApp::EditorClosed);
    emit DatabaseOpened(title, path.isEmpty() ? title : path);
}

bool CTorvoApp::NewDatabase() {
    if (!CloseDatabase()) {
        return false;
    }
    SetImageDefaults(TheImage());
    BeginDocument(app_strings::kNewName, QString());
    return true;
}

void CTorvoApp::OpenDatabase() {
    if (!CloseDatabase()) {
        return;
    }
    const QString path = ThePrompt().OpenFileName(app_strings::kFileFilter);
    if (!path.isEmpty()) {
        OpenDatabaseFile(path);
    }
}

bool CTorvoApp::OpenDatabaseFile(const QString& path) {
    if (!CloseDatabase()) {
        return true;
    }
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    const FileResult result = ReadDatabaseFile(LocalPath(fullPath), TheImage());
    if (!result.Ok()) {
        if (result.outcome == FileResult::Outcome::Failed) {
            ThePrompt().Warn(QString::fromLocal8Bit(result.message.c_str()));
        }
        // A short read may have filled part of the image; no database is open.
        ClearImage();
        TorvoSettings::RemoveRecentFile(fullPath);
        emit RecentFilesChanged();
        return false;
    }
    TorvoSettings::AddRecentFile(fullPath);
    BeginDocument(QFileInfo(fullPath).fileName(), fullPath);
    emit RecentFilesChanged();
    return true;
}

bool CTorvoApp::RefuseWhileEditing(const char* message) const {
    if (m_doc && m_doc->HasViews()) {
        ThePrompt().Warn(message);
        return true;
    }
    return false;
}

void CTorvoApp::SaveDatabase() {
    if (!m_doc || RefuseWhileEditing(app_strings::kCloseWindowsBeforeSaving)) {
        return;
    }
    DoSave(false);
    ShowSavedName();
}

void CTorvoApp::SaveDatabaseAs() {
    if (!m_doc || RefuseWhileEditing(app_strings::kCloseWindowsBeforeSaving)) {
        return;
    }
    DoSave(true);
    ShowSavedName();
}

bool CTorvoApp::DoSave(bool askForName) {
    QString target = m_doc->Path();
    // Save onto a read-only file becomes Save As.
    if (askForName || target.isEmpty() || !CheckWritable(LocalPath(target)).Ok()) {
        const QString suggested = target.isEmpty() ? m_doc->Title() + ".ddb" : target;
        target = ThePrompt().SaveFileName(suggested, app_strings::kFileFilter);
        if (target.isEmpty()) {
            return false;
        }
    }
    const QString fullPath = QFileInfo(target).absoluteFilePath();
    // The write refuses a read-only file the user chose in the dialog.
    const FileResult result = WriteDatabaseFile(LocalPath(fullPath), TheImage());
    if (!result.Ok()) {
        ThePrompt().Warn(QString::fromLocal8Bit(result.message.c_str()));
        return false;
    }
    m_doc->SetModified(false);
    m_doc->SetPath(fullPath);
    m_doc->SetTitle(QFileInfo(fullPath).fileName());
    TorvoSettings::AddRecentFile(fullPath);
    emit RecentFilesChanged();
    return true;
}

void CTorvoApp::ShowSavedName() {
    if (m_doc && !m_doc->Path().isEmpty()) {
        emit DatabaseNamed(QFileInfo(m_doc->Path()).fileName(), m_doc->Path());
    }
}

void CTorvoApp::ShowDownloadName() {
    emit DatabaseNamed(transfer_strings::kDownloadName, transfer_strings::kDownloadName);
}

void CTorvoApp::ImageReplaced() {
    emit ImageChanged();
}

std::string CTorvoApp::ComPortDigit() const {
    return ComPortSettings::ComPortDigit().toStdString();
}

ConfigImage& CTorvoApp::Image() {
    return TheImage();
}

ConfigImage& CTorvoApp::ReceivedImage() {
    return TheReceivedImage();
}
