// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDesksetResponder.h"

#include <algorithm>

#include "DefaultImage.h"
#include "model/ConfigImage.h"
#include "transfer/MessageCodec.h"

namespace {

CDesksetResponder::Message Encode(std::uint8_t type, std::vector<std::uint8_t> payload = {}) {
    return transfer::EncodeMessage(Msg(type, std::move(payload)));
}

}  // namespace

CDesksetResponder::CDesksetResponder(const DesksetSimOptions& options)
    : m_configured(options),
      m_options(options),
      m_image(options.image.empty() ? DefaultImage() : options.image),
      m_upload(DesksetSimOptions::kImageSize, 0),
      m_uploadCovered(DesksetSimOptions::kImageSize, false) {
    m_image.resize(DesksetSimOptions::kImageSize, 0);
}

void CDesksetResponder::ResetTransfer() {
    std::fill(m_uploadCovered.begin(), m_uploadCovered.end(), false);
    m_uploadCoveredCount = 0;
    m_uploadBlocks = 0;
}

void CDesksetResponder::StopPartWay(int messages, int blocks) {
    m_options.answerLimit = messages < 0 ? -1 : m_messagesSeen + messages;
    m_options.downloadBlocks = blocks;
    m_options.stallDownload = blocks >= 0;
}

void CDesksetResponder::AnswerAgain() {
    m_options.answerLimit = m_configured.answerLimit;
    m_options.downloadBlocks = m_configured.downloadBlocks;
    m_options.stallDownload = m_configured.stallDownload;
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
    const std::optional<Msg> message = transfer::DecodeMessage(bytes, length);
    if (!message) {
        return {};
    }
    switch (message->Type()) {
        case transfer::kVersionRequest:
            ResetTransfer();
            return {Encode(transfer::kDatabaseVersion,
                           {m_options.version.begin(), m_options.version.end()})};
        case transfer::kHardwareRequest:
            return std::vector<Message>(m_options.hardwareAnswers,
                                        Encode(transfer::kHardwareConfiguration,
                                               {static_cast<uint8_t>(m_options.hardware)}));
        case transfer::kDownloadRequest:
            return ServeDownload();
        case transfer::kImageBlockToDeskset:
            return StoreBlock(*message);
        default:
            return {};  // nothing else is a request
    }
}

// The download carries the same blocks as an upload, as the deskset's type.
std::vector<CDesksetResponder::Message> CDesksetResponder::ServeDownload() {
    if (m_options.failDownload) {
        return {Encode(transfer::kDownloadFailed)};
    }
    if (m_options.downloadAnsweredAsUpload) {
        return {Encode(transfer::kUploadCompleted)};
    }
    ConfigImage image;
    std::copy(m_image.begin(), m_image.end(), image.Bytes().begin());
    std::vector<Message> messages;
    std::vector<Msg> blocks = transfer::BuildUploadBlocks(image);
    if (m_options.downloadBlocks >= 0 &&
        static_cast<std::size_t>(m_options.downloadBlocks) < blocks.size()) {
        blocks.erase(blocks.begin() + m_options.downloadBlocks, blocks.end());
    }
    for (const Msg& block : blocks) {
        messages.push_back(Encode(transfer::kImageBlock, block.Payload()));
    }
    if (!m_options.stallDownload) {
        messages.push_back(Encode(transfer::kDownloadCompleted));
    }
    ++m_downloads;
    return messages;
}

std::vector<CDesksetResponder::Message> CDesksetResponder::StoreBlock(const Msg& message) {
    // A block without its offset, or running past the end, is not ours to store.
    const std::optional<transfer::ImageBlock> block = transfer::ParseImageBlock(message);
    if (!block) {
        return {};
    }
    for (std::size_t i = 0; i < block->length; ++i) {
        const std::size_t at = block->offset + i;
        m_upload[at] = block->data[i];
        if (!m_uploadCovered[at]) {
            m_uploadCovered[at] = true;
            ++m_uploadCoveredCount;
        }
    }
    if (++m_uploadBlocks == m_options.uploadCompletedAfterBlocks) {
        return {Encode(transfer::kUploadCompleted)};  // stored nothing, claims all
    }
    if (m_uploadCoveredCount < DesksetSimOptions::kImageSize) {
        return {};
    }

    ResetTransfer();
    if (m_options.failUpload) {
        return {Encode(transfer::kUploadFailed)};
    }
    m_image = m_upload;
    CorruptStoredBlock();
    ++m_completedUploads;
    if (m_uploadSink) {
        m_uploadSink(m_image);
    }
    return std::vector<Message>(std::max(m_options.uploadCompletions, 0),
                                Encode(transfer::kUploadCompleted));
}

// A deskset whose memory let one block down: the upload still reports
// complete, and only reading the database back shows the damage.
void CDesksetResponder::CorruptStoredBlock() {
    if (m_options.corruptUploadBlock < 0) {
        return;
    }
    const std::size_t begin = m_options.corruptUploadBlock * transfer::kBlockSize;
    const std::size_t end = std::min(begin + transfer::kBlockSize, m_image.size());
    for (std::size_t at = begin; at < end; ++at) {
        m_image[at] = static_cast<uint8_t>(~m_image[at]);
    }
}
