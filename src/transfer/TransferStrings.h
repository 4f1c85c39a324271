// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the deskset connection and the transfer, used exactly as they stand.

#include <string>

namespace transfer_strings {
// The status bar's text when nothing is going on.
inline constexpr char kIdle[] = "For Help, press F1";
inline constexpr char kEstablished[] = "Communication established with deskset.";
inline constexpr char kLost[] = "Communication with deskset has been lost.";
inline constexpr char kUnableToConnect[] =
    "Torvo is unable to establish connection with the deskset.";
inline constexpr char kRetryQuestion[] =
    "Torvo is presently unable to establish connection with the deskset.\n"
    "\n"
    "Please verify the following:\n"
    "1) Do you have the right COM port set in the Torvo for your computer?\n"
    "2) Is the cable properly connected between computer and deskset?\n"
    "3) Is the deskset in the configuration mode? If not, simultaneously press \n"
    "and hold the Main Transmit, Speaker and * buttons until the Busy and \n"
    "Transmit LEDs blink, then release. The display should briefly show \n"
    "the words \"entering configuration mode\".\n"
    "\n"
    "Do you want Torvo to automatically retry to connect with the deskset?";
inline constexpr char kWrongVersion[] = "ERROR : Wrong database version";
inline constexpr char kWrongHardware[] = "ERROR : Wrong hardware ID";
inline constexpr char kUnknownRequest[] = "ERROR : Unknown request from the Deskset";
inline constexpr char kNoDatabaseToUpload[] =
    "The database was closed before the upload could start. Nothing was sent to the deskset.";
inline constexpr char kCompletedTooEarly[] =
    "The deskset reported the upload complete before it had received every block. The upload "
    "failed: upload the database again.";
inline constexpr char kDownloading[] = "Downloading data...";
inline constexpr char kUploading[] = "Uploading data...";
inline constexpr char kBackingUp[] = "Backing up the deskset's database...";
inline constexpr char kVerifying[] = "Verifying the upload...";
inline constexpr char kVerifyFailed[] = "(Verify failed)";
inline constexpr char kCompleted[] = "(Completed)";
inline constexpr char kIncomplete[] = "(Error! Transfer was incomplete)";
inline constexpr char kCommunicationError[] = "Communication error with deskset";
inline constexpr char kDisconnected[] = "ERROR : Disconnected with the Deskset";
inline constexpr char kOk[] = "Ok";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kDownloadName[] = "download.ddb";
inline constexpr char kLineSettings[] = " 8 0 0 19200";

inline std::string BackupFailedText(const std::string& reason) {
    return "The deskset's database could not be backed up, so nothing was uploaded. " + reason;
}

// backupPath: where the deskset's previous database was kept, or empty.
inline std::string VerifyFailedText(std::size_t differingBytes, const std::string& backupPath) {
    std::string text = "Verify failed: " + std::to_string(differingBytes) +
                       (differingBytes == 1 ? " byte" : " bytes") +
                       " read back from the deskset differ from the uploaded database.";
    if (!backupPath.empty()) {
        text += " The deskset's previous database is in " + backupPath + ".";
    }
    return text;
}

// The status text while an attempt to connect runs: "Connecting to the deskset
// on COM1, attempt 2 of 6...".
inline std::string ConnectingText(const std::string& portDigit, int attempt, int attempts) {
    const std::string port = portDigit.empty() ? std::string() : " on COM" + portDigit;
    return "Connecting to the deskset" + port + ", attempt " + std::to_string(attempt) + " of " +
           std::to_string(attempts) + "...";
}
}  // namespace transfer_strings
