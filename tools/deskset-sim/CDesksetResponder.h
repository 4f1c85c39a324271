#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "DesksetSimOptions.h"

// What a deskset answers to each message of the transfer protocol. A message
// on the link is a count byte (payload length + 1), a type byte and the
// payload. No threads and no link here: it takes one message and gives back
// the messages to send.
class CDesksetResponder {
public:
    using Message = std::vector<uint8_t>;
    using UploadSink = std::function<void(const std::vector<uint8_t>& image)>;

    static constexpr int kBlockSize = 100;

    // Requests from the computer.
    static constexpr uint8_t kVersionRequest = 1;
    static constexpr uint8_t kHardwareRequest = 2;
    static constexpr uint8_t kDownloadRequest = 3;
    static constexpr uint8_t kImageBlockIn = 4;
    // Answers of the deskset.
    static constexpr uint8_t kVersionAnswer = 1;
    static constexpr uint8_t kHardwareAnswer = 2;
    static constexpr uint8_t kImageBlockOut = 3;
    static constexpr uint8_t kUploadCompleted = 5;
    static constexpr uint8_t kUploadFailed = 6;
    static constexpr uint8_t kDownloadCompleted = 7;
    static constexpr uint8_t kDownloadFailed = 8;

    explicit CDesksetResponder(const DesksetSimOptions& options);

    static Message MakeMessage(uint8_t type, const std::vector<uint8_t>& payload);

    std::vector<Message> Handle(const uint8_t* bytes, int length);
    // Forgets a half-received upload (a new connection starts afresh).
    void ResetTransfer();
    void SetUploadSink(UploadSink sink) { m_uploadSink = std::move(sink); }

    const std::vector<uint8_t>& Image() const { return m_image; }
    int CompletedUploads() const { return m_completedUploads; }
    int Downloads() const { return m_downloads; }

private:
    std::vector<Message> ServeDownload();
    std::vector<Message> StoreBlock(const uint8_t* payload, int length);

    DesksetSimOptions m_options;
    std::vector<uint8_t> m_image;
    std::vector<uint8_t> m_upload;
    std::vector<bool> m_uploadCovered;
    int m_uploadCoveredCount = 0;
    int m_messagesSeen = 0;
    int m_completedUploads = 0;
    int m_downloads = 0;
    UploadSink m_uploadSink;
};
