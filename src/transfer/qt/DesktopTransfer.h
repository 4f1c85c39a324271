// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop program's side of a transfer: the link object, the main
// window's timers, message boxes, the status bar and the progress dialog,
// around the transfer controller. The application takes the database steps.

#include <QObject>
#include <QPointer>
#include <map>
#include <string>

#include "transfer/CslVcom.h"
#include "transfer/TransferController.h"
#include "transfer/VcomTransferLink.h"
#include "transfer/qt/LinkEventPoster.h"

class CTorvoApp;
struct TransferPreferences;
class QLabel;
class QTimer;
class QWidget;
class TransferProgressDlg;

class DesktopTransfer : public QObject,
                        private transfer::ITransferTimers,
                        private transfer::ITransferView {
    Q_OBJECT

public:
    static constexpr char kTraceNotWritten[] =
        "The link trace file %1 cannot be written. The transfer goes on without a trace.";

    // dialogParent: the window the progress dialog belongs to; statusMessage:
    // the status bar's message field.
    DesktopTransfer(CTorvoApp& app, QWidget& dialogParent, QLabel& statusMessage);
    ~DesktopTransfer() override;

    // The commands, with their refusal while editor windows are open; an
    // upload backs up and verifies as the transfer options say.
    void Download();
    void Upload();

    transfer::TransferController& Controller() { return m_controller; }
    CslVcom& Link() { return m_link; }
    TransferProgressDlg* ProgressDialog() const;
    bool IsTimerRunning(transfer::TimerId id) const;
    void SetTimings(const transfer::TransferTimings& timings) { m_controller.SetTimings(timings); }
    // Every COM port leads to this device for the rest of the run (demonstration mode).
    void UseDeviceForEveryPort(const std::string& device);

protected:
    bool event(QEvent* event) override;

private:
    // ITransferTimers
    void Start(transfer::TimerId id, int periodMs) override;
    void Stop(transfer::TimerId id) override;
    // ITransferView
    void ShowMessage(const std::string& text) override;
    bool AskRetry(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void ShowProgress(const transfer::ProgressState& state) override;

    void ProgressDialogClosed();
    static transfer::UploadChecks UploadChecksFor(const TransferPreferences& preferences);
    void UseTrace(const TransferPreferences& preferences);

    CTorvoApp& m_app;
    QWidget& m_dialogParent;
    QLabel& m_statusMessage;
    LinkEventPoster m_poster{*this};
    CslVcom m_link;
    VcomTransferLink m_transferLink;
    transfer::TransferController m_controller;
    std::map<transfer::TimerId, QTimer*> m_timers;
    QPointer<TransferProgressDlg> m_dialog;
};
