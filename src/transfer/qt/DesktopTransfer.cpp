// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/qt/DesktopTransfer.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTimer>

#include "app/AppStrings.h"
#include "app/CTorvoApp.h"
#include "app/Prompt.h"
#include "app/TorvoSettings.h"
#include "link/CLayerFactory.h"
#include "model/editing/qt/Latin1.h"
#include "settings/ComPortSettings.h"
#include "transfer/FrameTraceFile.h"
#include "transfer/TransferStrings.h"
#include "transfer/qt/TransferProgressDlg.h"

using transfer::TimerId;

DesktopTransfer::DesktopTransfer(CTorvoApp& app, QWidget& dialogParent, QLabel& statusMessage)
    : m_app(app),
      m_dialogParent(dialogParent),
      m_statusMessage(statusMessage),
      m_link(ComPortSettings::LinkThreadPriorities()),
      m_transferLink(m_link),
      m_controller(m_transferLink, *this, *this, app) {
    m_link.LayerFactory().SetPortResolver(
        [](int port) { return ComPortSettings::ComPortDevice(port).toStdString(); });
    m_link.SetEventSink(&m_poster);
}

DesktopTransfer::~DesktopTransfer() {
    m_link.SetEventSink(nullptr);
    delete m_dialog.data();
    m_link.Shutdown();
}

void DesktopTransfer::UseDeviceForEveryPort(const std::string& device) {
    m_link.LayerFactory().SetPortResolver([device](int) { return device; });
}

void DesktopTransfer::Download() {
    if (!m_app.RefuseWhileEditing(app_strings::kCloseWindowsBeforeDownloading)) {
        UseTrace(TorvoSettings::LoadTransferPreferences());
        m_controller.RequestDownload();
    }
}

void DesktopTransfer::Upload() {
    if (m_app.IsDatabaseOpen() &&
        !m_app.RefuseWhileEditing(app_strings::kCloseWindowsBeforeUploading)) {
        const TransferPreferences preferences = TorvoSettings::LoadTransferPreferences();
        UseTrace(preferences);
        m_controller.RequestUpload(UploadChecksFor(preferences));
    }
}

transfer::UploadChecks DesktopTransfer::UploadChecksFor(const TransferPreferences& preferences) {
    transfer::UploadChecks checks;
    checks.verify = preferences.verifyAfterUpload;
    if (preferences.backupBeforeUpload) {
        const QString folder = TorvoSettings::BackupFolder();
        QDir().mkpath(folder);  // should that fail, the backup says why and nothing is uploaded
        checks.backupFolder = QFile::encodeName(folder).toStdString();
    }
    return checks;
}

// The trace goes to the packet layer of the next connection.
void DesktopTransfer::UseTrace(const TransferPreferences& preferences) {
    std::shared_ptr<FrameTraceFile> trace;
    if (preferences.writeTrace && !preferences.traceFile.isEmpty()) {
        trace = std::make_shared<FrameTraceFile>(
            QFile::encodeName(preferences.traceFile).toStdString());
        if (!trace->IsOpen()) {
            ThePrompt().Warn(QString(kTraceNotWritten).arg(preferences.traceFile));
            trace.reset();
        }
    }
    m_link.LayerFactory().SetFrameObserver(std::move(trace));
}

bool DesktopTransfer::event(QEvent* event) {
    if (event->type() != LinkNotification::kType) {
        return QObject::event(event);
    }
    VcomTransferLink::Dispatch(static_cast<LinkNotification*>(event)->Event(), m_controller);
    return true;
}

void DesktopTransfer::Start(TimerId id, int periodMs) {
    QTimer*& timer = m_timers[id];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] { m_controller.OnTimer(id); });
    }
    timer->start(periodMs);
}

void DesktopTransfer::Stop(TimerId id) {
    if (const auto it = m_timers.find(id); it != m_timers.end()) {
        it->second->stop();
    }
}

TransferProgressDlg* DesktopTransfer::ProgressDialog() const {
    return m_dialog;
}

bool DesktopTransfer::IsTimerRunning(TimerId id) const {
    const auto it = m_timers.find(id);
    return it != m_timers.end() && it->second->isActive();
}

void DesktopTransfer::ShowMessage(const std::string& text) {
    // A message may name a backup file, in the file system's encoding.
    ThePrompt().Warn(QFile::decodeName(text.c_str()));
}

bool DesktopTransfer::AskRetry(const std::string& text) {
    return ThePrompt().Ask(FromLatin1(text), PromptIcon::Exclamation, PromptButtons::RetryCancel) ==
           PromptAnswer::Retry;
}

void DesktopTransfer::SetStatusText(const std::string& text) {
    m_statusMessage.setText(FromLatin1(text));
}

void DesktopTransfer::ShowProgress(const transfer::ProgressState& state) {
    if (!m_dialog) {
        m_dialog = new TransferProgressDlg(&m_dialogParent);
        connect(m_dialog, &QDialog::finished, this, &DesktopTransfer::ProgressDialogClosed);
        m_dialog->show();
    }
    m_dialog->ShowState(state);
}

void DesktopTransfer::ProgressDialogClosed() {
    if (m_dialog) {
        m_dialog->deleteLater();
        m_dialog = nullptr;
    }
    m_controller.ProgressDialogClosed();
}
