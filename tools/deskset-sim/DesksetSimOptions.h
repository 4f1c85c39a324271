// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/VcomClock.h"

// How the simulated deskset behaves.
struct DesksetSimOptions {
    static constexpr int kImageSize = 16384;

    std::vector<uint8_t> image;  // served on a download; empty: a new database's defaults
    std::string savePath;        // where each complete upload is written; empty: nowhere
    std::string version = "ZEL DESKSET V001";  // answer to the version request
    int hardware = 0;                          // answer to the hardware request
    int hardwareAnswers = 1;                   // how many times that answer is sent
    int downloadBlocks = -1;                   // blocks served before "download completed"; -1: all
    bool stallDownload = false;                // serve the blocks, then never report the outcome
    bool failDownload = false;                 // answer a download request with "failed"
    bool failUpload = false;                   // answer a complete upload with "failed"
    int uploadCompletedAfterBlocks = -1;       // claim the upload complete after so many blocks
    int uploadCompletions = 1;                 // how many times "upload completed" is sent
    bool downloadAnsweredAsUpload = false;     // answer a download request with "upload completed"
    bool hangUpAfterOutcome = false;  // close the line once a transfer's outcome is acknowledged
    int corruptUploadBlock = -1;      // store this upload block (0 to 163) with every byte inverted
    bool silent = false;              // never answer anything, not even the link
    int answerLimit = -1;             // answer only the first N messages; -1: all
    int baudRate = 19200;
    std::string linkPath;                               // a symbolic link to the pty, made at start
    MillisecondClock clock = SteadyMillisecondClock();  // the packet layer's clock
};
