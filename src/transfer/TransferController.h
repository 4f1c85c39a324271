// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Download and upload of the configuration image: the connection with its
// attempts, the version and hardware checks, the blocks, the progress and the
// outcome. Runs on one thread; the link's notifications are handed to it in
// the order they arrived.

#include <bitset>
#include <optional>
#include <string>

#include "model/ConfigImage.h"
#include "transfer/Msg.h"
#include "transfer/TransferInterfaces.h"

namespace transfer {

class TransferController {
public:
    static constexpr int kAttemptsBeforeQuestion = 5;

    TransferController(ITransferLink& link, ITransferTimers& timers, ITransferView& view,
                       IDatabaseSteps& database, TransferTimings timings = {});

    // The commands, after the caller's refusal while editor windows are open.
    void RequestDownload();
    // With checks, the upload first keeps the deskset's database and afterwards
    // reads it back, each on the same connection.
    void RequestUpload(UploadChecks checks = {});

    void ConnectToDeskset();
    void EndTransfer();
    void ResetConnectAttempts() { m_connectAttempts = 0; }
    void SetTimings(const TransferTimings& timings) { m_timings = timings; }
    const TransferTimings& Timings() const { return m_timings; }

    // Notifications from the link, in arrival order.
    void OnConnected();
    void OnConnectionLost();
    // sentAllAcknowledged: the deskset's link had confirmed everything sent
    // before this message arrived.
    void OnLinkMessage(const std::uint8_t* bytes, std::size_t length, bool sentAllAcknowledged);
    void OnTimer(TimerId id);

    void DispatchDesksetMessage(const Msg& message, bool sentAllAcknowledged);
    // The user closed the progress dialog.
    void ProgressDialogClosed();

    bool IsConnected() const { return m_connected; }
    bool UploadRequested() const { return m_uploadRequested; }
    bool DownloadRequested() const { return m_downloadRequested; }
    // The download request was sent, or the upload blocks are on their way.
    bool TransferStarted() const { return m_transferStarted; }
    int ConnectAttempts() const { return m_connectAttempts; }
    const ProgressState& Progress() const { return m_progress; }
    TransferPhase Phase() const { return m_phase; }
    // The backup the last upload made, or empty.
    const std::string& BackupPath() const { return m_backupPath; }

private:
    int SendToDeskset(const Msg& message);
    // The hardware fits: the upload's blocks or the download request go out.
    void StartRequestedTransfer();
    void OpenProgressDialog();
    void ShowPhaseStart(int position);
    void MakeDownloadRequest();
    void StartUpload();
    void ReadBack(TransferPhase phase);
    void FinishReadBack();
    void FinishUpload(bool completed, bool sentAllAcknowledged);
    void SendBlocks();
    void StoreImageBlock(const Msg& message);
    void FinishProgress(const char* appended, std::optional<int> finalPosition = std::nullopt);
    void ShowProgressProblem(const std::string& text);
    void ArmCompletionTimerAtEnd();
    void ShowUploadPosition(int position);
    // The download request went out, and every byte came since.
    bool DownloadIsComplete() const { return m_downloadStarted && m_receivedBytes.all(); }
    void AwaitAnswer();
    void StartPhaseAfresh();
    void ForgetEarlierProgress();
    void GiveUpOnTheDeskset();
    void SetLinkStatus(const std::string& text);

    ITransferLink& m_link;
    ITransferTimers& m_timers;
    ITransferView& m_view;
    IDatabaseSteps& m_database;
    TransferTimings m_timings;

    bool m_connected = false;
    bool m_linkOpen = false;  // a Connect succeeded and nothing closed the link since
    bool m_uploadRequested = false;
    bool m_downloadRequested = false;
    bool m_armFinalTimer = true;
    bool m_transferStarted = false;
    // The download request went out: blocks and an outcome that come without
    // one (unasked, or during an upload) never replace the image.
    bool m_downloadStarted = false;
    bool m_statusShowsLink = false;  // the status bar speaks of a link that EndTransfer closes
    // The image bytes the current download has delivered.
    std::bitset<ConfigImage::kSize> m_receivedBytes;
    int m_blocksHanded = 0;  // upload blocks the link took
    int m_connectAttempts = 0;
    ProgressState m_progress;
    TransferPhase m_phase = TransferPhase::Download;
    UploadChecks m_checks;
    std::string m_backupPath;
};

}  // namespace transfer
