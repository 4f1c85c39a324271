// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One download or upload from the shell: the transfer controller driven by a
// plain event loop, with progress and messages on standard error.

#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>

#include "link/CLinkEventInbox.h"
#include "model/ConfigImage.h"
#include "model/ImageDefaults.h"
#include "transfer/CslVcom.h"
#include "transfer/TransferController.h"
#include "transfer/VcomTransferLink.h"

class ConsoleTransfer : private transfer::ITransferTimers,
                        private transfer::ITransferView,
                        private transfer::IDatabaseSteps {
public:
    // device: the serial device the deskset is on, or tcp:HOST:PORT.
    ConsoleTransfer(const std::string& device, std::ostream& err, bool drawBar,
                    transfer::TransferTimings timings = {},
                    const VcomThreadPriorities& priorities = {});

    // Returns true when the deskset reported completion; Failure() says why not.
    bool Download(ConfigImage& result);
    // With checks, a backup before and a verify after, all on one connection.
    bool Upload(const ConfigImage& image, transfer::UploadChecks checks = {});
    const std::string& Failure() const { return m_failure; }
    // Where the upload kept the deskset's previous database, or empty.
    const std::string& BackupPath() const { return m_controller.BackupPath(); }

    CslVcom& Link() { return m_link; }
    void SetTimings(const transfer::TransferTimings& timings) { m_controller.SetTimings(timings); }
    const transfer::TransferTimings& Timings() const { return m_controller.Timings(); }
    // Called once when the image starts to move (the progress appears).
    void SetProgressStartedHook(std::function<void()> hook) { m_progressStarted = std::move(hook); }
    // Takes every progress the transfer shows; nothing is then drawn or
    // printed of it (a fleet shows each unit on a line of its own).
    void SetProgressHook(std::function<void(const transfer::ProgressState&)> hook) {
        m_progressHook = std::move(hook);
    }
    // Called each time the link reports the connection up.
    void SetConnectedHook(std::function<void()> hook) { m_connected = std::move(hook); }
    // A flag that a signal handler may set: the transfer then ends at once.
    void SetStopRequest(const std::atomic<bool>* stop) { m_stop = stop; }
    // Bounds the time until the link is up; without it the desktop program's
    // series of attempts decides.
    void SetConnectTimeout(std::optional<std::chrono::milliseconds> timeout) {
        m_connectTimeout = timeout;
    }

private:
    bool Run();
    bool ConnectTimeIsUp() const;
    void FailToConnect(const std::string& text);
    // What is known of why the link does not come up, as one line; empty when nothing.
    std::string ConnectCause();
    void ShowConnectAttempt();
    void EndStatusLine();
    void DispatchEvent(const LinkEvent& event);
    void FireDueTimers();
    std::chrono::steady_clock::time_point NextDeadline() const;
    void DrawProgress(int position);
    // The transfer's last status: whether it completed.
    bool FinishWith(const std::string& status);

    // ITransferTimers
    void Start(transfer::TimerId id, int periodMs) override;
    void Stop(transfer::TimerId id) override;
    // ITransferView
    void ShowMessage(const std::string& text) override;
    bool AskRetry(const std::string& text) override;
    void SetStatusText(const std::string& text) override;
    void ShowProgress(const transfer::ProgressState& state) override;
    // IDatabaseSteps
    bool IsDatabaseOpen() const override { return m_databaseOpen; }
    bool StartNewDatabase() override;
    void ShowDownloadName() override {}
    void ImageReplaced() override {}
    std::string ComPortDigit() const override { return "1"; }
    ConfigImage& Image() override { return m_image; }
    ConfigImage& ReceivedImage() override { return m_received; }

    struct Timer {
        std::chrono::milliseconds period;
        std::chrono::steady_clock::time_point due;
    };

    std::string m_device;
    std::ostream& m_err;
    bool m_drawBar;
    CLinkEventInbox m_inbox;
    CslVcom m_link;
    VcomTransferLink m_transferLink;
    transfer::TransferController m_controller;
    std::map<transfer::TimerId, Timer> m_timers;
    ConfigImage m_image;
    ConfigImage m_received;
    bool m_databaseOpen = false;
    bool m_finished = false;
    bool m_completed = false;
    std::string m_failure;
    int m_drawnPosition = -1;
    bool m_progressShown = false;
    transfer::TransferPhase m_shownPhase = transfer::TransferPhase::Download;
    std::function<void()> m_progressStarted;
    std::function<void()> m_connected;
    std::function<void(const transfer::ProgressState&)> m_progressHook;
    const std::atomic<bool>* m_stop = nullptr;
    std::optional<std::chrono::milliseconds> m_connectTimeout;
    std::chrono::steady_clock::time_point m_started;
    bool m_linkWasUp = false;
    int m_connectAttempts = 0;
    bool m_statusLineOpen = false;  // a progress bar or an attempt line waits for its end
};
