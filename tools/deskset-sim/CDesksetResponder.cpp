#include "CDesksetResponder.h"

#include <algorithm>

#include "DefaultImage.h"

CDesksetResponder::CDesksetResponder(const DesksetSimOptions& options)
    : m_options(options),
      m_image(options.image.empty() ? DefaultImage() : options.image),
      m_upload(DesksetSimOptions::kImageSize, 0),
      m_uploadCovered(DesksetSimOptions::kImageSize, false) {
    m_image.resize(DesksetSimOptions::kImageSize, 0);
}

CDesksetResponder::Message CDesksetResponder::MakeMessage(uint8_t type,
                                                          const std::vector<uint8_t>& payload) {
    Message message;
    message.reserve(payload.size() + 2);
    message.push_back(static_cast<uint8_t>(payload.size() + 1));
    message.push_back(type);
    message.insert(message.end(), payload.begin(), payload.end());
    return message;
}

void CDesksetResponder::ResetTransfer() {
    std::fill(m_uploadCovered.begin(), m_uploadCovered.end(), false);
    m_uploadCoveredCount = 0;
}

std::vector<CDesksetResponder::Message> CDesksetResponder::Handle(const uint8_t* bytes,
                                                                  int length) {
    if (m_options.silent || length < 2) {
        return {};
    }
    ++m_messagesSeen;
    if (m_options.answerLimit >= 0 && m_messagesSeen > m_options.answerLimit) {
        return {};
    }
    // The payload is what follows the type byte. The count byte is not
    // trusted for it: the link has already delivered the message whole.
    const uint8_t type = bytes[1];
    const uint8_t* payload = bytes + 2;
    const int payloadLength = length - 2;
    switch (type) {
        case kVersionRequest:
            ResetTransfer();
            return {MakeMessage(kVersionAnswer, std::vector<uint8_t>(m_options.version.begin(),
                                                                     m_options.version.end()))};
        case kHardwareRequest:
            return {MakeMessage(kHardwareAnswer, {static_cast<uint8_t>(m_options.hardware)})};
        case kDownloadRequest:
            return ServeDownload();
        case kImageBlockIn:
            return StoreBlock(payload, payloadLength);
        default:
            return {};  // nothing else is a request
    }
}

std::vector<CDesksetResponder::Message> CDesksetResponder::ServeDownload() {
    if (m_options.failDownload) {
        return {MakeMessage(kDownloadFailed, {})};
    }
    std::vector<Message> messages;
    for (int offset = 0; offset < DesksetSimOptions::kImageSize; offset += kBlockSize) {
        const int count = std::min(kBlockSize, DesksetSimOptions::kImageSize - offset);
        std::vector<uint8_t> payload{static_cast<uint8_t>(offset & 0xFF),
                                     static_cast<uint8_t>(offset >> 8)};
        payload.insert(payload.end(), m_image.begin() + offset, m_image.begin() + offset + count);
        messages.push_back(MakeMessage(kImageBlockOut, payload));
    }
    messages.push_back(MakeMessage(kDownloadCompleted, {}));
    ++m_downloads;
    return messages;
}

std::vector<CDesksetResponder::Message> CDesksetResponder::StoreBlock(const uint8_t* payload,
                                                                      int length) {
    if (length < 2) {
        return {};
    }
    const int offset = payload[0] + 256 * payload[1];
    const int count = length - 2;
    if (offset + count > DesksetSimOptions::kImageSize) {
        return {};  // a block past the end of the database is not ours to store
    }
    for (int i = 0; i < count; ++i) {
        m_upload[offset + i] = payload[2 + i];
        if (!m_uploadCovered[offset + i]) {
            m_uploadCovered[offset + i] = true;
            ++m_uploadCoveredCount;
        }
    }
    if (m_uploadCoveredCount < DesksetSimOptions::kImageSize) {
        return {};
    }

    ResetTransfer();
    if (m_options.failUpload) {
        return {MakeMessage(kUploadFailed, {})};
    }
    m_image = m_upload;
    ++m_completedUploads;
    if (m_uploadSink) {
        m_uploadSink(m_image);
    }
    return {MakeMessage(kUploadCompleted, {})};
}
