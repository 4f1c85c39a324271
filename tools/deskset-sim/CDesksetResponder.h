// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "DesksetSimOptions.h"

class Msg;

// What a deskset answers to each message of the transfer protocol, encoded
// and decoded by the program's own message codec. No threads and no link
// here: it takes one message and gives back the messages to send.
class CDesksetResponder {
public:
    using Message = std::vector<uint8_t>;
    using UploadSink = std::function<void(const std::vector<uint8_t>& image)>;

    explicit CDesksetResponder(const DesksetSimOptions& options);

    std::vector<Message> Handle(const uint8_t* bytes, int length);
    // Forgets a half-received upload (a new connection starts afresh).
    void ResetTransfer();
    void SetUploadSink(UploadSink sink) { m_uploadSink = std::move(sink); }
    // A deskset that stops part way: from now on it answers only the next
    // `messages` messages, and serves a download's first `blocks` blocks
    // without its outcome (-1: no limit). AnswerAgain answers as the options say.
    void StopPartWay(int messages, int blocks);
    void AnswerAgain();

    const std::vector<uint8_t>& Image() const { return m_image; }
    int CompletedUploads() const { return m_completedUploads; }
    int Downloads() const { return m_downloads; }

private:
    std::vector<Message> ServeDownload();
    std::vector<Message> StoreBlock(const Msg& block);
    void CorruptStoredBlock();

    const DesksetSimOptions m_configured;
    DesksetSimOptions m_options;  // as configured, or stopping part way
    std::vector<uint8_t> m_image;
    std::vector<uint8_t> m_upload;
    std::vector<bool> m_uploadCovered;
    int m_uploadCoveredCount = 0;
    int m_uploadBlocks = 0;  // blocks of the upload under way
    int m_messagesSeen = 0;
    int m_completedUploads = 0;
    int m_downloads = 0;
    UploadSink m_uploadSink;
};
