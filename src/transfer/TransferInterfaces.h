// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the transfer controller needs from its surroundings. The desktop
// program implements these with its link object, window timers, message
// boxes and progress dialog; torvo-cli with a plain link and the console.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class ConfigImage;

namespace transfer {

// The answer timer bounds every wait on the deskset once the link is up: a
// request that is never answered, or blocks that stop part way.
enum TimerId {
    kConnectTimer = 3,
    kUploadProgressTimer = 4,
    kCompletionTimer = 5,
    kAnswerTimer = 6,
};

struct TransferTimings {
    int connectMs = 7000;
    int uploadPollMs = 100;
    int completionMs = 10000;
    int answerMs = 10000;
};

enum class TransferKind { Download = 1, Upload = 2 };

// What the link is doing within one command: an upload may read the
// deskset's database before (backup) and after (verify) sending its own.
enum class TransferPhase { Download, Backup, Upload, Verify };

// What an upload does around the blocks, all on one connection.
struct UploadChecks {
    std::optional<std::string> backupFolder;  // keep the deskset's database here first
    bool verify = false;                      // read the database back and compare
};

// What the progress dialog shows.
struct ProgressState {
    static constexpr int kRangeEnd = 16400;
    static constexpr int kStep = 100;
    // Whatever a hostile deskset or the link's counts make of a position, the
    // bar is drawn inside its range.
    static constexpr int Clamped(int position) { return std::clamp(position, 0, kRangeEnd); }

    bool open = false;
    TransferKind kind = TransferKind::Download;
    TransferPhase phase = TransferPhase::Download;
    std::string status;
    int position = 0;
    bool buttonVisible = false;
    std::string buttonText;
};

class ITransferLink {
public:
    virtual ~ITransferLink() = default;
    // parameters: the port digit and the line settings, "2 8 0 0 19200".
    virtual int Connect(const std::string& parameters) = 0;
    virtual void Disconnect() = 0;
    virtual int Send(const std::vector<std::uint8_t>& bytes) = 0;
    // Messages in the transmit queue, and frames waiting to be sent below it.
    virtual int QueuedMessages() = 0;
    virtual int WaitingFrames() = 0;
};

// Periodic timers, identified by number; starting a running timer restarts it.
class ITransferTimers {
public:
    virtual ~ITransferTimers() = default;
    virtual void Start(TimerId id, int periodMs) = 0;
    virtual void Stop(TimerId id) = 0;
};

class ITransferView {
public:
    virtual ~ITransferView() = default;
    virtual void ShowMessage(const std::string& text) = 0;
    // The retry question; true for Retry.
    virtual bool AskRetry(const std::string& text) = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    // Opens the progress dialog, or shows its new state while it is open.
    virtual void ShowProgress(const ProgressState& state) = 0;
};

class IDatabaseSteps {
public:
    virtual ~IDatabaseSteps() = default;
    virtual bool IsDatabaseOpen() const = 0;
    // The close step and a new database; false when the user cancelled.
    virtual bool StartNewDatabase() = 0;
    // The new database is named "download.ddb" in the tree and the title.
    virtual void ShowDownloadName() = 0;
    // The image was replaced by a download: refresh what shows it.
    virtual void ImageReplaced() = 0;
    // The stored COM port digit, or empty.
    virtual std::string ComPortDigit() const = 0;
    virtual ConfigImage& Image() = 0;
    virtual ConfigImage& ReceivedImage() = 0;
};

}  // namespace transfer
