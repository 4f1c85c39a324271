// SPDX-License-Identifier: GPL-3.0-or-later
// The transfer controller against a hostile deskset: any sequence of deskset
// messages mixed with the link's notifications, timer expiries, the Download
// and Upload commands and the progress dialog being closed.
//
// Invariants, checked after every step against a shadow of what the protocol allows:
// - the received buffer changes only by the image block just received, at its offset;
// - the image changes only when a new database starts, or when "download completed"
//   ends a download that delivered every byte since its request: it then becomes
//   the received buffer, and such a download is always accepted;
// - every message sent is well formed: version and hardware requests without payload,
//   each in answer to what calls for it; a download request of one 0 byte; upload
//   blocks only as one whole set of 164 carrying the image, and only for an open database;
// - a transfer under way never sends its blocks or its request a second time;
// - the progress position stays in 0..16400;
// - an upload ends "(Completed)" only on a completion that came once everything
//   sent had been acknowledged.

#include <algorithm>
#include <bitset>
#include <string>

#include "FakeTransferParts.h"
#include "FuzzSupport.h"
#include "model/ImageDefaults.h"
#include "transfer/TransferController.h"

using namespace transfer;

namespace {

constexpr std::string_view kHeader = "ZEL DESKSET V001";

struct CheckingView : FakeView {
    void ShowProgress(const ProgressState& state) override {
        FUZZ_CHECK(state.position >= 0 && state.position <= ProgressState::kRangeEnd,
                   "the progress position stays inside its range");
        FakeView::ShowProgress(state);
    }
};

struct TrackingDatabase : FakeDatabase {
    bool StartNewDatabase() override {
        const bool started = FakeDatabase::StartNewDatabase();
        if (started) {
            ++newDatabases;
        }
        return started;
    }
    int newDatabases = 0;
};

// What one step delivered to the controller.
struct Step {
    bool connected = false;
    bool goodVersion = false;
    bool completeDownload = false;  // "download completed" came for a whole download under way
};

class TransferHarness {
public:
    void Run(fuzz::InputReader& in) {
        m_database.open = in.Flag();
        m_shadowImage = m_database.image;
        m_shadowReceived = m_database.received;
        while (!in.AtEnd()) {
            const std::size_t sentBefore = m_link.sent.size();
            const int newBefore = m_database.newDatabases;
            const int replacedBefore = m_database.replaced;
            const bool activeBefore = m_active != Active::None;
            const Step step = RunStep(in);
            CheckSent(sentBefore, step, activeBefore);
            CheckImage(step, newBefore, replacedBefore);
            FUZZ_CHECK(m_database.received == m_shadowReceived,
                       "the received buffer changes only by the blocks received");
            FUZZ_CHECK(m_controller.Progress().position >= 0 &&
                           m_controller.Progress().position <= ProgressState::kRangeEnd,
                       "the progress position stays inside its range");
            if (!m_controller.TransferStarted()) {
                m_active = Active::None;
            }
        }
    }

private:
    Step RunStep(fuzz::InputReader& in) {
        Step step;
        m_sentAllAcknowledged = in.Flag();  // as the messages of this step arrive
        switch (in.Below(14)) {
            case 0:
                step.connected = true;
                m_controller.OnConnected();
                break;
            case 1:
                m_controller.OnConnectionLost();
                break;
            case 2:
                Deliver(in.Bytes(in.Byte()), step);
                break;
            case 3:
                DeliverVersion(in, step);
                break;
            case 4:
                Deliver(Message(kHardwareConfiguration, in.Bytes(in.Below(3))), step);
                break;
            case 5:
                DeliverBlock(in, step);
                break;
            case 6:
                DeliverWholeImage(in, step);
                break;
            case 7:
                Deliver(Message(in.Byte(), in.Bytes(in.Below(3))), step);
                break;
            case 8:
                FireTimer(in);
                break;
            case 9:
                m_controller.RequestDownload();
                break;
            case 10:
                m_controller.RequestUpload();
                break;
            case 11:
                m_controller.ProgressDialogClosed();
                break;
            case 12:
                m_controller.EndTransfer();
                break;
            default:
                ChangeSurroundings(in);
                break;
        }
        return step;
    }

    static std::vector<std::uint8_t> Message(std::uint8_t type, std::vector<std::uint8_t> payload) {
        payload.insert(payload.begin(), {static_cast<std::uint8_t>(payload.size() + 1), type});
        return payload;
    }

    void DeliverVersion(fuzz::InputReader& in, Step& step) {
        std::vector<std::uint8_t> text(kHeader.begin(), kHeader.end());
        if (in.Flag()) {
            text[in.Below(static_cast<int>(text.size()))] ^= in.Byte() | 1;
        }
        Deliver(Message(kDatabaseVersion, text), step);
    }

    // A block at one of the 164 places, or anywhere with any length.
    void DeliverBlock(fuzz::InputReader& in, Step& step) {
        std::size_t offset = 0;
        std::size_t length = 0;
        if (in.Flag()) {
            offset = static_cast<std::size_t>(in.Below(kBlockCount)) * kBlockSize;
            length = std::min(kBlockSize, ConfigImage::kSize - offset);
        } else {
            offset = in.U16();
            length = in.Below(246);
        }
        Deliver(BlockMessage(offset, length, in.Byte()), step);
    }

    // Every block, perhaps one left out, perhaps followed by the outcome.
    void DeliverWholeImage(fuzz::InputReader& in, Step& step) {
        const std::uint8_t fill = in.Byte();
        const int skipped = in.Flag() ? in.Below(kBlockCount) : -1;
        for (int block = 0; block < kBlockCount; ++block) {
            if (block != skipped) {
                const std::size_t offset = static_cast<std::size_t>(block) * kBlockSize;
                const std::size_t length = std::min(kBlockSize, ConfigImage::kSize - offset);
                Deliver(BlockMessage(offset, length, static_cast<std::uint8_t>(fill + block)),
                        step);
            }
        }
        if (in.Flag()) {
            Deliver(Message(kDownloadCompleted, {}), step);
        }
    }

    static std::vector<std::uint8_t> BlockMessage(std::size_t offset, std::size_t length,
                                                  std::uint8_t fill) {
        std::vector<std::uint8_t> payload{static_cast<std::uint8_t>(offset & 0xFF),
                                          static_cast<std::uint8_t>(offset >> 8)};
        payload.resize(2 + length, fill);
        return Message(kImageBlock, payload);
    }

    // Hands bytes to the controller as the link would, and keeps the shadow of
    // what they may change: a received message is a count byte (taken as at
    // most 248), a type and count - 1 payload bytes.
    void Deliver(const std::vector<std::uint8_t>& bytes, Step& step) {
        const std::string statusBefore = m_view.progress.status;
        m_controller.OnLinkMessage(bytes.data(), bytes.size(), m_sentAllAcknowledged);
        FUZZ_CHECK(m_sentAllAcknowledged || m_view.progress.status == statusBefore ||
                       m_view.progress.status != "Uploading data...(Completed)",
                   "an upload is completed only once everything sent was acknowledged");
        if (bytes.size() < 2) {
            return;
        }
        const std::size_t count = std::min<std::size_t>(bytes[0], 248);
        if (count == 0 || count - 1 > bytes.size() - 2) {
            return;
        }
        const std::uint8_t type = bytes[1];
        const std::uint8_t* payload = bytes.data() + 2;
        const std::size_t length = count - 1;
        if (type == kDatabaseVersion && length == kHeader.size() &&
            std::equal(kHeader.begin(), kHeader.end(), payload)) {
            step.goodVersion = true;
        }
        if (type == kDownloadCompleted) {
            step.completeDownload = m_active == Active::Download && m_covered.all();
        }
        if (type == kImageBlock && length >= 2) {
            const std::size_t offset = payload[0] + 256u * payload[1];
            if (offset + (length - 2) <= ConfigImage::kSize) {
                std::copy_n(payload + 2, length - 2, m_shadowReceived.Bytes().begin() + offset);
                for (std::size_t i = offset; i < offset + length - 2; ++i) {
                    m_covered.set(i);
                }
            }
        }
    }

    void FireTimer(fuzz::InputReader& in) {
        if (m_timers.running.empty()) {
            return;
        }
        auto it = m_timers.running.begin();
        std::advance(it, in.Below(static_cast<int>(m_timers.running.size())));
        m_controller.OnTimer(it->first);
    }

    void ChangeSurroundings(fuzz::InputReader& in) {
        switch (in.Below(5)) {
            case 0:
                m_database.open = !m_database.open;
                break;
            case 1:
                m_database.allowNew = !m_database.allowNew;
                break;
            case 2:
                m_view.retry = !m_view.retry;
                break;
            case 3:
                m_link.connectResult = in.Flag() ? -1 : 0;
                break;
            default:
                m_link.queued = static_cast<std::int8_t>(in.Byte()) * 2;
                m_link.waiting = static_cast<std::int8_t>(in.Byte());
                break;
        }
    }

    void CheckSent(std::size_t from, const Step& step, bool activeBefore) {
        bool sawRequest = false;
        for (std::size_t i = from; i < m_link.sent.size();) {
            const auto& bytes = m_link.sent[i];
            FUZZ_CHECK(bytes.size() >= 2 && bytes[0] == bytes.size() - 1,
                       "every message sent has its count byte");
            switch (bytes[1]) {
                case kVersionRequest:
                    FUZZ_CHECK(bytes.size() == 2 && step.connected,
                               "a version request is sent, empty, when the link comes up");
                    break;
                case kHardwareRequest:
                    FUZZ_CHECK(bytes.size() == 2 && step.goodVersion,
                               "a hardware request is sent, empty, after the right version");
                    break;
                case kDownloadRequest:
                    FUZZ_CHECK(bytes.size() == 3 && bytes[2] == 0,
                               "a download request carries one 0 byte");
                    FUZZ_CHECK(!activeBefore && !sawRequest,
                               "a transfer under way never asks for the download again");
                    sawRequest = true;
                    m_active = Active::Download;
                    m_covered.reset();
                    break;
                case kImageBlockToDeskset:
                    FUZZ_CHECK(!activeBefore && !sawRequest,
                               "a transfer under way never sends its blocks again");
                    CheckUploadBlocks(i);
                    sawRequest = true;
                    m_active = Active::Upload;
                    i += kBlockCount;
                    continue;
                default:
                    FUZZ_CHECK(false, "only the four request types are ever sent");
            }
            ++i;
        }
    }

    void CheckUploadBlocks(std::size_t first) {
        FUZZ_CHECK(m_database.open, "only an open database is uploaded");
        FUZZ_CHECK(m_link.sent.size() - first >= static_cast<std::size_t>(kBlockCount),
                   "an upload hands all 164 blocks to the link at once");
        const auto image = m_database.image.Bytes();
        for (int block = 0; block < kBlockCount; ++block) {
            const auto& bytes = m_link.sent[first + block];
            const std::size_t offset = static_cast<std::size_t>(block) * kBlockSize;
            const std::size_t length = std::min(kBlockSize, ConfigImage::kSize - offset);
            FUZZ_CHECK(bytes.size() == 4 + length && bytes[1] == kImageBlockToDeskset &&
                           bytes[2] + 256u * bytes[3] == offset,
                       "the upload blocks go in order, each at its offset with its length");
            FUZZ_CHECK(std::equal(bytes.begin() + 4, bytes.end(), image.begin() + offset),
                       "an upload block carries the image's bytes");
        }
    }

    void CheckImage(const Step& step, int newBefore, int replacedBefore) {
        if (m_database.newDatabases != newBefore) {
            m_shadowImage = m_database.image;  // the new database's defaults
        }
        const bool accepted = m_database.replaced != replacedBefore;
        if (step.completeDownload) {
            FUZZ_CHECK(accepted && m_database.image == m_database.received,
                       "a download that delivered every byte replaces the image");
        }
        if (m_database.image == m_shadowImage && !accepted) {
            return;
        }
        FUZZ_CHECK(step.completeDownload,
                   "the image is replaced only by a download that delivered every byte");
        FUZZ_CHECK(m_database.image == m_database.received,
                   "a download replaces the image by the received buffer");
        m_shadowImage = m_database.image;
    }

    FakeLink m_link;
    FakeTimers m_timers;
    CheckingView m_view;
    TrackingDatabase m_database;
    TransferController m_controller{m_link, m_timers, m_view, m_database};

    ConfigImage m_shadowImage;
    ConfigImage m_shadowReceived;
    // The transfer whose blocks or request went out and that has not ended yet.
    enum class Active { None, Download, Upload };
    Active m_active = Active::None;
    bool m_sentAllAcknowledged = true;
    std::bitset<ConfigImage::kSize> m_covered;  // bytes received since the download request
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    TransferHarness harness;
    harness.Run(in);
    return 0;
}
