// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/TransferController.h"

#include <algorithm>

#include "model/ConfigImage.h"
#include "transfer/DesksetBackup.h"
#include "transfer/MessageCodec.h"
#include "transfer/TransferStrings.h"

namespace transfer {

namespace strings = transfer_strings;

namespace {

const char* PhaseText(TransferPhase phase) {
    switch (phase) {
        case TransferPhase::Backup:
            return strings::kBackingUp;
        case TransferPhase::Upload:
            return strings::kUploading;
        case TransferPhase::Verify:
            return strings::kVerifying;
        case TransferPhase::Download:
            break;
    }
    return strings::kDownloading;
}

}  // namespace

TransferController::TransferController(ITransferLink& link, ITransferTimers& timers,
                                       ITransferView& view, IDatabaseSteps& database,
                                       TransferTimings timings)
    : m_link(link), m_timers(timers), m_view(view), m_database(database), m_timings(timings) {}

void TransferController::RequestDownload() {
    if (m_transferStarted) {
        return;
    }
    m_downloadRequested = true;
    if (m_connected) {
        MakeDownloadRequest();
    } else {
        ConnectToDeskset();
    }
}

void TransferController::RequestUpload(UploadChecks checks) {
    if (!m_database.IsDatabaseOpen() || m_transferStarted) {
        return;
    }
    m_uploadRequested = true;
    m_checks = std::move(checks);
    m_backupPath.clear();
    if (m_connected) {
        StartUpload();
    } else {
        ConnectToDeskset();
    }
}

void TransferController::ConnectToDeskset() {
    if (m_connected) {
        return;
    }
    m_link.Disconnect();
    const std::string parameters = m_database.ComPortDigit() + strings::kLineSettings;
    m_linkOpen = m_link.Connect(parameters) == 0;
    if (m_linkOpen) {
        m_timers.Start(kConnectTimer, m_timings.connectMs);
        SetLinkStatus(strings::ConnectingText(m_database.ComPortDigit(), m_connectAttempts + 1,
                                              kAttemptsBeforeQuestion + 1));
    } else {
        m_view.ShowMessage(strings::kUnableToConnect);
    }
}

void TransferController::EndTransfer() {
    m_link.Disconnect();
    m_linkOpen = false;
    m_timers.Stop(kAnswerTimer);
    m_connected = false;
    m_uploadRequested = false;
    m_downloadRequested = false;
    m_transferStarted = false;
    m_phase = TransferPhase::Download;
    m_checks = {};
    StartPhaseAfresh();
    if (m_statusShowsLink) {
        m_view.SetStatusText(strings::kIdle);
        m_statusShowsLink = false;
    }
}

// Every transfer, and every phase of an upload, starts with nothing received
// and its completion timer armed: a dialog closed while the completion timer
// ran must not leave the next transfer without one.
void TransferController::StartPhaseAfresh() {
    m_armFinalTimer = true;
    m_receivedBytes.reset();
    m_downloadStarted = false;
}

void TransferController::SetLinkStatus(const std::string& text) {
    m_view.SetStatusText(text);
    m_statusShowsLink = true;
}

void TransferController::OnConnected() {
    m_timers.Stop(kConnectTimer);
    m_connected = true;
    SetLinkStatus(strings::kEstablished);
    SendToDeskset(Msg(kVersionRequest));
    AwaitAnswer();
}

void TransferController::AwaitAnswer() {
    m_timers.Start(kAnswerTimer, m_timings.answerMs);
}

void TransferController::OnConnectionLost() {
    // The loss of a link this end already closed, reported on its way down
    // (a deskset that hangs up right after its outcome): the transfer is over.
    if (!m_linkOpen) {
        return;
    }
    m_linkOpen = false;
    m_connected = false;
    m_timers.Stop(kAnswerTimer);
    m_timers.Stop(kUploadProgressTimer);
    m_statusShowsLink = false;
    m_view.SetStatusText(strings::kLost);
    if (m_progress.open) {
        ShowProgressProblem(strings::kDisconnected);
        m_timers.Stop(kCompletionTimer);
    }
}

void TransferController::OnLinkMessage(const std::uint8_t* bytes, std::size_t length,
                                       bool sentAllAcknowledged) {
    if (const auto message = DecodeMessage(bytes, length)) {
        DispatchDesksetMessage(*message, sentAllAcknowledged);
    }
}

void TransferController::OnTimer(TimerId id) {
    switch (id) {
        case kConnectTimer:
            m_timers.Stop(kConnectTimer);
            ++m_connectAttempts;
            if (m_connectAttempts <= kAttemptsBeforeQuestion) {
                ConnectToDeskset();
                return;
            }
            m_link.Disconnect();
            m_linkOpen = false;
            m_connectAttempts = 0;
            if (m_view.AskRetry(strings::kRetryQuestion)) {
                ConnectToDeskset();
            } else {
                m_statusShowsLink = false;
                m_view.SetStatusText(strings::kIdle);
            }
            return;
        case kUploadProgressTimer:
            if (m_progress.open && m_connected) {
                const int pending = m_link.QueuedMessages() + m_link.WaitingFrames();
                ShowUploadPosition((kBlockCount - pending) * ProgressState::kStep);
            }
            return;
        case kCompletionTimer:
        case kAnswerTimer:
            // They bound waits on a live link; one that fires after the link
            // went leaves the loss shown.
            if (m_linkOpen) {
                GiveUpOnTheDeskset();
            }
            return;
    }
}

void TransferController::ShowUploadPosition(int position) {
    position = ProgressState::Clamped(position);
    const bool advanced = position > m_progress.position;
    m_progress.position = position;
    m_view.ShowProgress(m_progress);
    ArmCompletionTimerAtEnd();
    if (advanced && m_armFinalTimer) {
        AwaitAnswer();
    }
}

void TransferController::GiveUpOnTheDeskset() {
    if (m_progress.open) {
        ShowProgressProblem(strings::kCommunicationError);
    } else {
        m_view.ShowMessage(strings::kCommunicationError);
    }
    m_timers.Stop(kCompletionTimer);
    m_timers.Stop(kUploadProgressTimer);
    EndTransfer();
}

void TransferController::DispatchDesksetMessage(const Msg& message, bool sentAllAcknowledged) {
    const auto& payload = message.Payload();
    switch (message.Type()) {
        case kDatabaseVersion: {
            if (payload.size() != layout::kHeaderLength) {
                return;
            }
            if (!std::equal(payload.begin(), payload.end(), layout::kHeaderText.begin())) {
                m_timers.Stop(kAnswerTimer);
                m_view.ShowMessage(strings::kWrongVersion);
                return;
            }
            // The version matches: ask for the hardware.
            SendToDeskset(Msg(kHardwareRequest));
            AwaitAnswer();
            return;
        }
        case kHardwareConfiguration:
            // A second answer must not queue the blocks or the request again.
            if (payload.empty() || m_transferStarted) {
                return;
            }
            m_timers.Stop(kAnswerTimer);
            if (payload[0] != 0) {
                m_view.ShowMessage(strings::kWrongHardware);
                return;
            }
            StartRequestedTransfer();
            return;
        case kImageBlock:
            StoreImageBlock(message);
            return;
        case kIgnored:
            return;
        case kUploadCompleted:
        case kUploadFailed:
            FinishUpload(message.Type() == kUploadCompleted, sentAllAcknowledged);
            return;
        case kDownloadCompleted:
            if (m_phase == TransferPhase::Backup || m_phase == TransferPhase::Verify) {
                FinishReadBack();
                return;
            }
            // Only a download under way that delivered every byte of the image
            // replaces it; anything less leaves the new database as it was, and
            // an outcome nobody asked for leaves the open database alone.
            if (!DownloadIsComplete()) {
                FinishProgress(strings::kIncomplete);
            } else {
                std::copy(m_database.ReceivedImage().Bytes().begin(),
                          m_database.ReceivedImage().Bytes().end(),
                          m_database.Image().Bytes().begin());
                m_database.ImageReplaced();
                FinishProgress(strings::kCompleted);
            }
            EndTransfer();
            return;
        case kDownloadFailed:
            FinishProgress(strings::kIncomplete);
            EndTransfer();
            return;
        default:
            m_view.ShowMessage(strings::kUnknownRequest);
            return;
    }
}

// An upload's outcome counts only while this upload's blocks are on their way,
// and once: the phase moves on with it. Anywhere else the answer timer ends a
// transfer whose deskset says nothing that fits.
void TransferController::FinishUpload(bool completed, bool sentAllAcknowledged) {
    if (m_phase != TransferPhase::Upload || !m_transferStarted) {
        return;
    }
    m_timers.Stop(kUploadProgressTimer);
    if (!completed) {
        FinishProgress(strings::kIncomplete);
        EndTransfer();
        return;
    }
    // A deskset cannot have stored blocks that never reached it.
    if (m_blocksHanded != kBlockCount || !sentAllAcknowledged) {
        FinishProgress(strings::kIncomplete);
        EndTransfer();
        m_view.ShowMessage(strings::kCompletedTooEarly);
        return;
    }
    if (m_checks.verify) {
        m_timers.Stop(kCompletionTimer);
        ReadBack(TransferPhase::Verify);
        return;
    }
    // Also when it came before a poll saw the queues empty.
    FinishProgress(strings::kCompleted, ProgressState::kRangeEnd);
    EndTransfer();
}

void TransferController::StartRequestedTransfer() {
    if (m_uploadRequested) {
        if (!m_database.IsDatabaseOpen()) {
            // The database was closed while connecting: never send an empty image.
            m_view.ShowMessage(strings::kNoDatabaseToUpload);
            EndTransfer();
            return;
        }
        StartUpload();
    } else if (m_downloadRequested) {
        MakeDownloadRequest();
    }
}

int TransferController::SendToDeskset(const Msg& message) {
    return m_link.Send(EncodeMessage(message));
}

void TransferController::MakeDownloadRequest() {
    if (!m_database.StartNewDatabase()) {
        return;
    }
    ForgetEarlierProgress();
    m_phase = TransferPhase::Download;
    m_receivedBytes.reset();
    m_transferStarted = true;
    m_downloadStarted = true;
    SendToDeskset(Msg(kDownloadRequest, {0}));
    AwaitAnswer();
    m_database.ShowDownloadName();
}

void TransferController::StartUpload() {
    ForgetEarlierProgress();
    if (m_checks.backupFolder) {
        ReadBack(TransferPhase::Backup);
    } else {
        SendBlocks();
    }
}

// A download that leaves the open database alone: the deskset's database
// arrives in the received image only.
void TransferController::ReadBack(TransferPhase phase) {
    m_phase = phase;
    StartPhaseAfresh();
    m_transferStarted = true;
    m_downloadStarted = true;
    SendToDeskset(Msg(kDownloadRequest, {0}));
    AwaitAnswer();
    ShowPhaseStart(0);  // each block steps the bar, the first one too
}

void TransferController::FinishReadBack() {
    m_timers.Stop(kCompletionTimer);
    // A partial database is no backup, and proves nothing about an upload.
    if (const bool whole = DownloadIsComplete(); !whole) {
        FinishProgress(strings::kIncomplete);
        EndTransfer();
        return;
    }
    const ConfigImage& received = m_database.ReceivedImage();
    if (m_phase == TransferPhase::Backup) {
        const BackupResult kept = KeepBackup(*m_checks.backupFolder, received);
        if (!kept.ok) {
            ShowProgressProblem(strings::BackupFailedText(kept.message));
            EndTransfer();
            return;
        }
        m_backupPath = kept.path;
        SendBlocks();
        return;
    }
    const std::size_t differing = CountDifferingBytes(received, m_database.Image());
    FinishProgress(differing == 0 ? strings::kCompleted : strings::kVerifyFailed);
    EndTransfer();
    if (differing != 0) {
        m_view.ShowMessage(strings::VerifyFailedText(differing, m_backupPath));
    }
}

void TransferController::SendBlocks() {
    const bool afterBackup = m_phase == TransferPhase::Backup;
    m_phase = TransferPhase::Upload;
    StartPhaseAfresh();
    m_transferStarted = true;
    m_blocksHanded = 0;
    for (const Msg& block : BuildUploadBlocks(m_database.Image())) {
        if (SendToDeskset(block) == 0) {
            ++m_blocksHanded;
        }
    }
    if (afterBackup) {
        ShowPhaseStart(ProgressState::kStep);
    } else {
        OpenProgressDialog();
    }
    m_timers.Start(kUploadProgressTimer, m_timings.uploadPollMs);
    AwaitAnswer();
}

void TransferController::StoreImageBlock(const Msg& message) {
    const auto block = ParseImageBlock(message);
    if (!block) {
        return;  // nothing is ever written past the received image
    }
    std::copy_n(block->data, block->length,
                m_database.ReceivedImage().Bytes().begin() + block->offset);
    for (std::size_t i = 0; i < block->length; ++i) {
        m_receivedBytes.set(block->offset + i);
    }
    if (m_armFinalTimer) {
        AwaitAnswer();
    }
    if (!m_progress.open) {
        OpenProgressDialog();
        return;
    }
    m_progress.position = std::min(m_progress.position + ProgressState::kStep,
                                   static_cast<int>(ProgressState::kRangeEnd));
    m_view.ShowProgress(m_progress);
    ArmCompletionTimerAtEnd();
}

// Once the bar is full the completion timer alone waits for the outcome.
void TransferController::ArmCompletionTimerAtEnd() {
    if (m_progress.position == ProgressState::kRangeEnd && m_armFinalTimer) {
        m_timers.Stop(kAnswerTimer);
        m_timers.Start(kCompletionTimer, m_timings.completionMs);
        m_armFinalTimer = false;
    }
}

// A transfer shows its own progress from its start, in the dialog an earlier
// one may have left open.
void TransferController::ForgetEarlierProgress() {
    m_progress.open = false;
}

void TransferController::OpenProgressDialog() {
    if (!m_progress.open) {
        ShowPhaseStart(ProgressState::kStep);
    }
}

// The progress of the current phase from its start, in the dialog that is
// already open when one phase follows another.
void TransferController::ShowPhaseStart(int position) {
    m_progress = ProgressState{};
    m_progress.open = true;
    m_progress.phase = m_phase;
    m_progress.kind =
        m_phase == TransferPhase::Upload ? TransferKind::Upload : TransferKind::Download;
    m_progress.status = PhaseText(m_phase);
    m_progress.position = position;
    m_progress.buttonText = strings::kOk;
    m_view.ShowProgress(m_progress);
}

void TransferController::FinishProgress(const char* appended, std::optional<int> finalPosition) {
    // An outcome that comes before any block still reaches the user.
    OpenProgressDialog();
    if (finalPosition) {
        m_progress.position = *finalPosition;
    }
    m_progress.status += appended;
    m_progress.buttonText = strings::kOk;
    m_progress.buttonVisible = true;
    m_timers.Stop(kCompletionTimer);
    m_view.ShowProgress(m_progress);
}

void TransferController::ShowProgressProblem(const std::string& text) {
    m_progress.status = text;
    m_progress.buttonText = strings::kCancel;
    m_progress.buttonVisible = true;
    m_view.ShowProgress(m_progress);
}

void TransferController::ProgressDialogClosed() {
    m_progress.open = false;
    m_timers.Stop(kUploadProgressTimer);
    m_timers.Stop(kCompletionTimer);
    EndTransfer();
}

}  // namespace transfer
