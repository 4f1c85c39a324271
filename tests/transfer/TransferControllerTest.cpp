// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/TransferController.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>

#include "FakeTransferParts.h"
#include "model/DatabaseFile.h"
#include "support/ScratchDir.h"
#include "transfer/TransferStrings.h"

using namespace transfer;
using ::testing::ElementsAre;

namespace {

class TransferControllerTest : public ::testing::Test {
protected:
    void Receive(std::uint8_t type, std::vector<std::uint8_t> payload = {}) {
        const auto bytes = EncodeMessage(Msg(type, std::move(payload)));
        m_controller.OnLinkMessage(bytes.data(), bytes.size(), m_sentAllAcknowledged);
    }
    void ReceiveVersion(const std::string& text) {
        Receive(kDatabaseVersion, std::vector<std::uint8_t>(text.begin(), text.end()));
    }
    void ConnectAndPassChecks() {
        m_controller.OnConnected();
        ReceiveVersion("ZEL DESKSET V001");
        Receive(kHardwareConfiguration, {0});
    }
    void ReceiveBlock(std::size_t offset, std::uint8_t fill, std::size_t length = 100) {
        std::vector<std::uint8_t> payload{static_cast<std::uint8_t>(offset & 0xFF),
                                          static_cast<std::uint8_t>(offset >> 8)};
        payload.resize(2 + length, fill);
        Receive(kImageBlock, payload);
    }

    bool m_sentAllAcknowledged = true;  // as each received message arrived
    FakeLink m_link;
    FakeTimers m_timers;
    FakeView m_view;
    FakeDatabase m_database;
    TransferController m_controller{m_link, m_timers, m_view, m_database};
};

}  // namespace

TEST_F(TransferControllerTest, DownloadConnectsChecksAndReplacesTheImage) {
    m_controller.RequestDownload();
    EXPECT_THAT(m_link.connects, ElementsAre("2 8 0 0 19200"));
    EXPECT_EQ(m_timers.running.at(kConnectTimer), 7000);

    m_controller.OnConnected();
    EXPECT_FALSE(m_timers.IsRunning(kConnectTimer));
    EXPECT_EQ(m_view.status, "Communication established with deskset.");
    ReceiveVersion("ZEL DESKSET V001");
    Receive(kHardwareConfiguration, {0, 9});
    EXPECT_THAT(m_link.SentTypes(), ElementsAre(1, 2, 3));
    EXPECT_EQ(m_link.sent.back(), (std::vector<std::uint8_t>{2, 3, 0}));
    EXPECT_TRUE(m_database.downloadName);

    for (std::size_t offset = 0; offset < 16384; offset += 100) {
        ReceiveBlock(offset, static_cast<std::uint8_t>(offset / 100), offset < 16300 ? 100 : 84);
        if (offset == 0) {
            EXPECT_TRUE(m_view.progress.open);
            EXPECT_EQ(m_view.progress.position, 100);
            EXPECT_EQ(m_view.progress.status, "Downloading data...");
        }
    }
    EXPECT_EQ(m_view.progress.position, 16400);
    EXPECT_EQ(m_timers.running.at(kCompletionTimer), 10000);

    Receive(kDownloadCompleted);
    EXPECT_EQ(m_database.image.U8(16383), 163);
    EXPECT_EQ(m_database.image.U8(200), 2);
    EXPECT_EQ(m_database.replaced, 1);
    EXPECT_EQ(m_view.progress.status, "Downloading data...(Completed)");
    EXPECT_TRUE(m_view.progress.buttonVisible);
    EXPECT_EQ(m_view.progress.buttonText, "Ok");
    EXPECT_FALSE(m_timers.IsRunning(kCompletionTimer));
    EXPECT_FALSE(m_controller.IsConnected());
    EXPECT_FALSE(m_controller.DownloadRequested());

    m_controller.ProgressDialogClosed();
    EXPECT_FALSE(m_controller.Progress().open);
}

TEST_F(TransferControllerTest, OnlyADownloadOfEveryByteReplacesTheImage) {
    m_database.received.SetU8(16000, 0x77);  // left from an earlier download
    m_controller.RequestDownload();
    ConnectAndPassChecks();
    const ConfigImage defaults = m_database.image;
    for (std::size_t offset = 0; offset < 1000; offset += 100) {
        ReceiveBlock(offset, 0x11);
    }
    Receive(kDownloadCompleted);
    EXPECT_EQ(m_database.image, defaults);
    EXPECT_EQ(m_database.replaced, 0);
    EXPECT_EQ(m_view.progress.status, "Downloading data...(Error! Transfer was incomplete)");
    EXPECT_FALSE(m_controller.IsConnected());

    // Blocks in any order, some twice, still make a whole image; one byte short does not.
    m_controller.ProgressDialogClosed();
    m_controller.RequestDownload();
    ConnectAndPassChecks();
    for (int offset = 16300; offset >= 0; offset -= 100) {
        ReceiveBlock(offset, 0x22, offset == 16300 ? 83 : 100);
        ReceiveBlock(0, 0x22);
    }
    Receive(kDownloadCompleted);
    EXPECT_EQ(m_database.image, defaults) << "byte 16383 never came";

    m_controller.ProgressDialogClosed();
    m_controller.RequestDownload();
    ConnectAndPassChecks();
    for (std::size_t offset = 0; offset < 16384; offset += 100) {
        ReceiveBlock(offset, 0x33, offset < 16300 ? 100 : 84);
    }
    Receive(kDownloadCompleted);
    EXPECT_EQ(m_database.image.U8(16000), 0x33);
    EXPECT_EQ(m_database.replaced, 1);
}

// Found by fuzz_transfer with the input 1a 30 ee 02 63: no download asked for,
// then a whole image of blocks and "download completed" from the deskset.
TEST_F(TransferControllerTest, AWholeImageNobodyAskedForNeverReplacesTheImage) {
    const auto sendWholeImage = [this](std::uint8_t fill) {
        for (std::size_t offset = 0; offset < 16384; offset += 100) {
            ReceiveBlock(offset, fill, offset < 16300 ? 100 : 84);
        }
        Receive(kDownloadCompleted);
    };
    m_database.image.SetU8(500, 0x42);  // the user's open database
    const ConfigImage open = m_database.image;
    sendWholeImage(0xEE);
    EXPECT_EQ(m_database.image, open);
    EXPECT_EQ(m_database.replaced, 0);

    // Connected after a wrong version: the link stays up and the flags stay set.
    m_controller.ProgressDialogClosed();
    m_database.open = true;
    m_controller.RequestUpload();
    m_controller.OnConnected();
    ReceiveVersion("ZEL DESKSET V002");
    sendWholeImage(0xEF);
    EXPECT_EQ(m_database.image, open);

    // During an upload.
    m_controller.ProgressDialogClosed();
    m_controller.RequestUpload();
    ConnectAndPassChecks();
    ASSERT_TRUE(m_controller.TransferStarted());
    sendWholeImage(0xF0);
    EXPECT_EQ(m_database.image, open);
    EXPECT_EQ(m_database.replaced, 0);
    EXPECT_FALSE(m_controller.TransferStarted());
}

TEST_F(TransferControllerTest, ADoubledHardwareAnswerOrUploadAgainNeverQueuesTheBlocksTwice) {
    m_database.open = true;
    m_controller.RequestUpload();
    m_controller.OnConnected();
    m_controller.RequestUpload();  // while the version check is pending
    ReceiveVersion("ZEL DESKSET V001");
    Receive(kHardwareConfiguration, {0});
    Receive(kHardwareConfiguration, {0});
    m_controller.RequestUpload();
    EXPECT_EQ(m_link.sent.size(), 2u + 164u);
    EXPECT_TRUE(m_view.messages.empty());

    // Whatever the link's counts say, the bar stays inside its range.
    m_link.queued = 300;
    m_controller.OnTimer(kUploadProgressTimer);
    EXPECT_EQ(m_view.progress.position, 0);
    m_link.queued = -20;
    m_controller.OnTimer(kUploadProgressTimer);
    EXPECT_EQ(m_view.progress.position, 16400);
}

TEST_F(TransferControllerTest, ADesksetThatStopsAnsweringEndsTheTransfer) {
    m_controller.RequestDownload();
    m_controller.OnConnected();
    EXPECT_EQ(m_timers.running.at(kAnswerTimer), 10000);
    ReceiveVersion("ZEL DESKSET V01");  // ignored: no answer yet
    m_controller.OnTimer(kAnswerTimer);
    EXPECT_THAT(m_view.messages, ElementsAre("Communication error with deskset"));
    EXPECT_FALSE(m_controller.IsConnected());
    EXPECT_FALSE(m_controller.DownloadRequested());
    EXPECT_TRUE(m_timers.running.empty());

    // Blocks that stop part way: the dialog says so and offers Cancel.
    m_controller.RequestDownload();
    ConnectAndPassChecks();
    ReceiveBlock(0, 1);
    ReceiveBlock(100, 1);
    EXPECT_TRUE(m_timers.IsRunning(kAnswerTimer));
    m_controller.OnTimer(kAnswerTimer);
    EXPECT_EQ(m_view.progress.status, "Communication error with deskset");
    EXPECT_EQ(m_view.progress.buttonText, "Cancel");
    EXPECT_FALSE(m_controller.IsConnected());

    // A refused version waits on the user, not on the deskset.
    m_controller.ProgressDialogClosed();
    m_controller.RequestDownload();
    m_controller.OnConnected();
    ReceiveVersion("ZEL DESKSET V002");
    EXPECT_FALSE(m_timers.IsRunning(kAnswerTimer));
}

TEST_F(TransferControllerTest, TheStatusBarFollowsTheConnection) {
    m_controller.RequestDownload();
    EXPECT_EQ(m_view.status, "Connecting to the deskset on COM2, attempt 1 of 6...");
    m_controller.OnTimer(kConnectTimer);
    EXPECT_EQ(m_view.status, "Connecting to the deskset on COM2, attempt 2 of 6...");
    m_controller.OnConnected();
    EXPECT_EQ(m_view.status, "Communication established with deskset.");
    m_controller.EndTransfer();
    EXPECT_EQ(m_view.status, "For Help, press F1");

    m_controller.RequestDownload();
    m_controller.OnConnected();
    m_controller.OnConnectionLost();
    m_controller.EndTransfer();
    EXPECT_EQ(m_view.status, "Communication with deskset has been lost.");
}

TEST_F(TransferControllerTest, AnUploadCompletedBeforeTheFirstPollShowsAFullBar) {
    m_database.open = true;
    m_controller.RequestUpload();
    ConnectAndPassChecks();
    Receive(kUploadCompleted);
    EXPECT_EQ(m_view.progress.position, 16400);
    EXPECT_EQ(m_view.progress.status, "Uploading data...(Completed)");
}

// Found by fuzz_transfer: a download asked for while the finished upload's
// dialog was still open showed "Uploading data...(Completed)" at its end.
TEST_F(TransferControllerTest, EachTransferShowsItsOwnProgressWhateverTheLastOneLeftOpen) {
    m_database.open = true;
    m_controller.RequestUpload();
    ConnectAndPassChecks();
    Receive(kUploadCompleted);
    ASSERT_EQ(m_view.progress.status, "Uploading data...(Completed)");

    m_controller.RequestDownload();
    ConnectAndPassChecks();
    for (std::size_t offset = 0; offset < 16384; offset += 100) {
        ReceiveBlock(offset, 0x33, offset < 16300 ? 100 : 84);
    }
    Receive(kDownloadCompleted);
    EXPECT_EQ(m_view.progress.status, "Downloading data...(Completed)");

    m_controller.RequestUpload();
    ConnectAndPassChecks();
    Receive(kUploadCompleted);
    EXPECT_EQ(m_view.progress.status, "Uploading data...(Completed)");
}

TEST_F(TransferControllerTest, ClosingTheDialogAtAFullBarStillArmsTheNextCompletionTimer) {
    m_database.open = true;
    m_controller.RequestUpload();
    ConnectAndPassChecks();
    m_controller.OnTimer(kUploadProgressTimer);
    ASSERT_TRUE(m_timers.IsRunning(kCompletionTimer));
    m_controller.ProgressDialogClosed();

    m_controller.RequestUpload();
    ConnectAndPassChecks();
    m_controller.OnTimer(kUploadProgressTimer);
    EXPECT_TRUE(m_timers.IsRunning(kCompletionTimer));
}

TEST_F(TransferControllerTest, FailedDownloadKeepsTheNewDatabaseDefaults) {
    m_controller.RequestDownload();
    ConnectAndPassChecks();
    ReceiveBlock(0, 0x11);
    const ConfigImage defaults = m_database.image;
    Receive(kDownloadFailed);
    EXPECT_EQ(m_database.image, defaults);
    EXPECT_EQ(m_view.progress.status, "Downloading data...(Error! Transfer was incomplete)");
    EXPECT_EQ(m_database.replaced, 0);
}

TEST_F(TransferControllerTest, AnOutcomeBeforeAnyBlockStillOpensTheProgressDialog) {
    m_controller.RequestDownload();
    ConnectAndPassChecks();
    Receive(kDownloadFailed);
    EXPECT_TRUE(m_view.progress.open);
    EXPECT_EQ(m_view.progress.status, "Downloading data...(Error! Transfer was incomplete)");
    EXPECT_TRUE(m_view.progress.buttonVisible);
}

TEST_F(TransferControllerTest, CancelledCloseStepSendsNothing) {
    m_database.allowNew = false;
    m_controller.RequestDownload();
    ConnectAndPassChecks();
    EXPECT_THAT(m_link.SentTypes(), ElementsAre(1, 2));
    EXPECT_TRUE(m_controller.IsConnected());
    EXPECT_TRUE(m_controller.DownloadRequested());
    EXPECT_FALSE(m_database.downloadName);
}

TEST_F(TransferControllerTest, WrongVersionOrHardwareKeepsTheLinkAndTheNextDownloadSkipsChecks) {
    m_controller.RequestDownload();
    m_controller.OnConnected();
    ReceiveVersion("ZEL DESKSET V01");    // 15 bytes: ignored
    ReceiveVersion("ZEL DESKSET V0012");  // 17 bytes: ignored
    EXPECT_TRUE(m_view.messages.empty());
    ReceiveVersion("ZEL DESKSET V002");
    EXPECT_THAT(m_view.messages, ElementsAre("ERROR : Wrong database version"));
    EXPECT_THAT(m_link.SentTypes(), ElementsAre(1));
    EXPECT_TRUE(m_controller.IsConnected());

    Receive(kHardwareConfiguration, {});  // empty: ignored
    Receive(kHardwareConfiguration, {1});
    EXPECT_THAT(m_view.messages,
                ElementsAre("ERROR : Wrong database version", "ERROR : Wrong hardware ID"));

    m_controller.RequestDownload();
    EXPECT_THAT(m_link.SentTypes(), ElementsAre(1, 3));
    EXPECT_EQ(m_link.connects.size(), 1u);
}

TEST_F(TransferControllerTest, UnknownTypesAreReportedAndTypeFourIgnored) {
    Receive(kIgnored, {1, 2});
    Receive(0);
    Receive(9);
    Receive(255);
    EXPECT_EQ(m_view.messages.size(), 3u);
    EXPECT_EQ(m_view.messages[0], "ERROR : Unknown request from the Deskset");
}

TEST_F(TransferControllerTest, UploadSendsTheImageAndFollowsTheLinkQueues) {
    m_database.open = true;
    SetImageDefaults(m_database.image);
    m_controller.RequestUpload();
    ConnectAndPassChecks();
    ASSERT_EQ(m_link.sent.size(), 2u + 164u);
    EXPECT_EQ(m_link.sent[2].size(), 104u);
    EXPECT_EQ(m_link.sent.back().size(), 88u);
    EXPECT_EQ(m_view.progress.status, "Uploading data...");
    EXPECT_EQ(m_timers.running.at(kUploadProgressTimer), 100);

    m_link.queued = 60;
    m_link.waiting = 4;
    m_controller.OnTimer(kUploadProgressTimer);
    EXPECT_EQ(m_view.progress.position, 10000);
    EXPECT_FALSE(m_timers.IsRunning(kCompletionTimer));
    m_link.queued = 0;
    m_link.waiting = 0;
    m_controller.OnTimer(kUploadProgressTimer);
    EXPECT_EQ(m_view.progress.position, 16400);
    EXPECT_TRUE(m_timers.IsRunning(kCompletionTimer));

    Receive(kUploadCompleted);
    EXPECT_EQ(m_view.progress.status, "Uploading data...(Completed)");
    EXPECT_FALSE(m_timers.IsRunning(kUploadProgressTimer));
    EXPECT_FALSE(m_timers.IsRunning(kCompletionTimer));
    EXPECT_FALSE(m_controller.IsConnected());
}

TEST_F(TransferControllerTest, SilentEndAfterTheBarFilledIsACommunicationError) {
    m_database.open = true;
    m_controller.RequestUpload();
    ConnectAndPassChecks();
    m_controller.OnTimer(kUploadProgressTimer);
    m_controller.OnTimer(kCompletionTimer);
    EXPECT_EQ(m_view.progress.status, "Communication error with deskset");
    EXPECT_EQ(m_view.progress.buttonText, "Cancel");
    EXPECT_TRUE(m_view.progress.buttonVisible);
    EXPECT_TRUE(m_timers.running.empty());
    EXPECT_FALSE(m_controller.UploadRequested());
}

TEST_F(TransferControllerTest, LinkLostMidTransferShowsItInTheDialog) {
    m_controller.RequestDownload();
    ConnectAndPassChecks();
    ReceiveBlock(0, 1);
    m_controller.OnConnectionLost();
    EXPECT_EQ(m_view.status, "Communication with deskset has been lost.");
    EXPECT_EQ(m_view.progress.status, "ERROR : Disconnected with the Deskset");
    EXPECT_EQ(m_view.progress.buttonText, "Cancel");
    EXPECT_TRUE(m_controller.DownloadRequested()) << "cleared only when the dialog closes";
    m_controller.ProgressDialogClosed();
    EXPECT_FALSE(m_controller.DownloadRequested());
}

TEST_F(TransferControllerTest, SixAttemptsThenTheRetryQuestion) {
    m_controller.RequestDownload();
    for (int expiry = 1; expiry <= 5; ++expiry) {
        m_controller.OnTimer(kConnectTimer);
        EXPECT_TRUE(m_timers.IsRunning(kConnectTimer));
    }
    EXPECT_EQ(m_link.connects.size(), 6u);
    EXPECT_TRUE(m_view.questions.empty());

    m_view.retry = true;
    m_controller.OnTimer(kConnectTimer);
    ASSERT_EQ(m_view.questions.size(), 1u);
    EXPECT_EQ(m_view.questions[0], transfer_strings::kRetryQuestion);
    EXPECT_EQ(m_link.connects.size(), 7u) << "Retry starts a new series";
    EXPECT_EQ(m_controller.ConnectAttempts(), 0);

    m_view.retry = false;
    for (int expiry = 1; expiry <= 6; ++expiry) {
        m_controller.OnTimer(kConnectTimer);
    }
    EXPECT_EQ(m_view.questions.size(), 2u);
    EXPECT_EQ(m_view.status, "For Help, press F1");
    EXPECT_FALSE(m_timers.IsRunning(kConnectTimer));
    EXPECT_TRUE(m_controller.DownloadRequested());
}

TEST_F(TransferControllerTest, DownloadAgainWhileConnectingRestartsTheAttempt) {
    m_controller.RequestDownload();
    m_controller.OnTimer(kConnectTimer);
    m_timers.running.clear();
    const int disconnects = m_link.disconnects;
    m_controller.RequestDownload();
    EXPECT_EQ(m_link.connects.size(), 3u);
    EXPECT_EQ(m_link.disconnects, disconnects + 1);
    EXPECT_EQ(m_timers.running.at(kConnectTimer), 7000);
    EXPECT_EQ(m_controller.ConnectAttempts(), 1) << "the count goes on";
}

TEST_F(TransferControllerTest, ConnectFailingAtOnceIsReportedWithoutTimer) {
    m_link.connectResult = -10003;
    m_database.digit = "";
    m_controller.RequestDownload();
    EXPECT_THAT(m_link.connects, ElementsAre(" 8 0 0 19200"));
    EXPECT_THAT(m_view.messages,
                ElementsAre("Torvo is unable to establish connection with the deskset."));
    EXPECT_FALSE(m_timers.IsRunning(kConnectTimer));
}

TEST_F(TransferControllerTest, UploadIsNeverSentWhenTheDatabaseWasClosedMeanwhile) {
    m_database.open = true;
    m_controller.RequestUpload();
    m_database.open = false;  // closed while connecting
    ConnectAndPassChecks();
    EXPECT_THAT(m_link.SentTypes(), ElementsAre(1, 2));
    EXPECT_EQ(m_view.messages.size(), 1u);
    EXPECT_FALSE(m_controller.IsConnected());
}

TEST_F(TransferControllerTest, GarbageFromTheLineNeverWritesPastTheReceivedImage) {
    m_controller.RequestDownload();
    ConnectAndPassChecks();
    std::mt19937 random(7);
    for (int n = 0; n < 5000; ++n) {
        std::vector<std::uint8_t> bytes(random() % 251);
        for (auto& byte : bytes) {
            byte = static_cast<std::uint8_t>(random());
        }
        if (bytes.size() > 1 && n % 2 == 0) {
            bytes[1] = kImageBlock;  // half of them claim to be image blocks
        }
        m_controller.OnLinkMessage(bytes.data(), bytes.size(), m_sentAllAcknowledged);
    }
    EXPECT_LE(m_view.progress.position, ProgressState::kRangeEnd);
}

namespace {

class UploadPhasesTest : public TransferControllerTest {
protected:
    UploadPhasesTest() {
        m_database.open = true;
        SetImageDefaults(m_database.image);
        m_database.image.SetU8(0x0040, 0x11);
        SetImageDefaults(m_deskset);
        m_deskset.SetU8(0x0040, 0x22);
    }
    // The deskset serves image, block by block, then reports the download complete.
    void ServeImage(const ConfigImage& image, std::size_t blocks = kBlockCount) {
        const auto all = BuildUploadBlocks(image);
        for (std::size_t i = 0; i < blocks; ++i) {
            Receive(kImageBlock, all[i].Payload());
        }
        Receive(kDownloadCompleted);
    }
    std::size_t SentOfType(std::uint8_t type) const {
        const auto types = m_link.SentTypes();
        return std::count(types.begin(), types.end(), type);
    }
    std::vector<std::filesystem::path> Backups() const {
        std::vector<std::filesystem::path> files;
        for (const auto& entry : std::filesystem::directory_iterator(m_scratch.Root())) {
            files.push_back(entry.path());
        }
        return files;
    }

    ScratchDir m_scratch;
    ConfigImage m_deskset;
};

}  // namespace

TEST_F(UploadPhasesTest, BackupUploadAndVerifyRunOnOneConnection) {
    m_controller.RequestUpload({m_scratch.Root().string(), true});
    ConnectAndPassChecks();
    EXPECT_THAT(m_link.SentTypes(), ElementsAre(1, 2, 3));
    EXPECT_EQ(m_view.progress.phase, TransferPhase::Backup);
    EXPECT_EQ(m_view.progress.status, "Backing up the deskset's database...");

    ServeImage(m_deskset);
    const auto backups = Backups();
    ASSERT_EQ(backups.size(), 1u);
    ConfigImage kept;
    ASSERT_TRUE(ReadDatabaseFile(backups[0].string(), kept).Ok());
    EXPECT_EQ(kept, m_deskset);
    EXPECT_EQ(m_controller.BackupPath(), backups[0].string());
    EXPECT_EQ(SentOfType(kImageBlockToDeskset), 164u);
    EXPECT_EQ(m_view.progress.status, "Uploading data...");
    EXPECT_FALSE(m_view.progress.buttonVisible);
    EXPECT_EQ(m_database.image.U8(0x0040), 0x11);  // a read-back never touches the open database

    Receive(kUploadCompleted);
    EXPECT_EQ(SentOfType(kDownloadRequest), 2u);
    EXPECT_EQ(m_view.progress.status, "Verifying the upload...");
    EXPECT_FALSE(m_timers.IsRunning(kUploadProgressTimer));
    ServeImage(m_database.image);
    EXPECT_EQ(m_view.progress.status, "Verifying the upload...(Completed)");
    EXPECT_EQ(m_view.progress.position, 16400);
    EXPECT_TRUE(m_view.messages.empty());
    EXPECT_EQ(m_link.connects.size(), 1u);
    EXPECT_FALSE(m_controller.IsConnected());
    EXPECT_FALSE(m_timers.IsRunning(kCompletionTimer));
    EXPECT_FALSE(m_timers.IsRunning(kAnswerTimer));
}

TEST_F(UploadPhasesTest, AVerifyThatDiffersSaysHowManyBytesAndWhereTheBackupIs) {
    m_controller.RequestUpload({m_scratch.Root().string(), true});
    ConnectAndPassChecks();
    ServeImage(m_deskset);
    Receive(kUploadCompleted);
    ConfigImage readBack = m_database.image;
    readBack.SetU8(0, readBack.U8(0) ^ 1);
    readBack.SetU8(16383, readBack.U8(16383) ^ 0x80);
    ServeImage(readBack);
    EXPECT_EQ(m_view.progress.status, "Verifying the upload...(Verify failed)");
    ASSERT_EQ(m_view.messages.size(), 1u);
    EXPECT_EQ(m_view.messages[0], transfer_strings::VerifyFailedText(2, Backups().at(0).string()));
    EXPECT_THAT(m_view.messages[0], ::testing::StartsWith("Verify failed: 2 bytes read back"));
    EXPECT_FALSE(m_controller.IsConnected());

    // Verify alone: no backup phase, no backup named.
    m_controller.ProgressDialogClosed();
    m_view.messages.clear();
    m_controller.RequestUpload({std::nullopt, true});
    ConnectAndPassChecks();
    EXPECT_EQ(m_view.progress.phase, TransferPhase::Upload);
    Receive(kUploadCompleted);
    ServeImage(readBack);
    ASSERT_EQ(m_view.messages.size(), 1u);
    EXPECT_EQ(m_view.messages[0], transfer_strings::VerifyFailedText(2, ""));
}

TEST_F(UploadPhasesTest, NoBlockIsSentWithoutACompleteWrittenBackup) {
    m_controller.RequestUpload({m_scratch.Root().string(), false});
    ConnectAndPassChecks();
    ServeImage(m_deskset, 100);  // reported complete after 100 blocks
    EXPECT_EQ(SentOfType(kImageBlockToDeskset), 0u);
    EXPECT_EQ(m_view.progress.status,
              "Backing up the deskset's database...(Error! Transfer was incomplete)");
    EXPECT_TRUE(Backups().empty());
    EXPECT_FALSE(m_controller.IsConnected());

    m_controller.RequestUpload({m_scratch.Path("gone"), false});
    ConnectAndPassChecks();
    ServeImage(m_deskset);
    EXPECT_EQ(SentOfType(kImageBlockToDeskset), 0u);
    EXPECT_THAT(m_view.progress.status,
                ::testing::StartsWith("The deskset's database could not be backed up, so nothing "
                                      "was uploaded. The backup folder "));
    EXPECT_EQ(m_view.progress.buttonText, "Cancel");
    EXPECT_FALSE(m_controller.IsConnected());

    // The deskset failing the backup's download stops the upload too.
    m_controller.RequestUpload({m_scratch.Root().string(), true});
    ConnectAndPassChecks();
    Receive(kDownloadFailed);
    EXPECT_EQ(SentOfType(kImageBlockToDeskset), 0u);
    EXPECT_FALSE(m_controller.IsConnected());
}

// "Upload completed" counts only in the upload phase, once, and only when every
// block was handed to the link and acknowledged; anywhere else the answer
// timer ends the transfer.
TEST_F(UploadPhasesTest, AnUploadCompletionOutOfPlaceIsNeverBelieved) {
    // Answering a download request: ignored, and the silence ends it.
    m_controller.RequestDownload();
    ConnectAndPassChecks();
    const ConfigImage defaults = m_database.image;
    Receive(kUploadCompleted);
    Receive(kUploadFailed);
    EXPECT_TRUE(m_controller.IsConnected());
    EXPECT_FALSE(m_view.progress.buttonVisible);
    m_controller.OnTimer(kAnswerTimer);
    EXPECT_THAT(m_view.messages, ElementsAre("Communication error with deskset"));
    EXPECT_EQ(m_database.image, defaults);

    // Answering the backup's download request: nothing is uploaded.
    SetImageDefaults(m_database.image);
    m_controller.RequestUpload({m_scratch.Root().string(), true});
    ConnectAndPassChecks();
    Receive(kUploadCompleted);
    Receive(kUploadFailed);
    EXPECT_EQ(m_view.progress.phase, TransferPhase::Backup);
    EXPECT_FALSE(m_view.progress.buttonVisible);
    EXPECT_EQ(SentOfType(kImageBlockToDeskset), 0u);
    m_controller.OnTimer(kAnswerTimer);
    EXPECT_EQ(m_view.progress.status, "Communication error with deskset");
    EXPECT_TRUE(Backups().empty());
}

TEST_F(UploadPhasesTest, ACompletionBeforeEveryBlockWasTakenAndAcknowledgedFailsTheUpload) {
    struct Case {
        std::size_t acceptedSends;  // the version and hardware requests, then the blocks
        bool acknowledged;
        bool completed;
    };
    for (const Case& c :
         {Case{2 + 164, true, true}, Case{2 + 163, true, false}, Case{2 + 164, false, false}}) {
        SCOPED_TRACE(testing::Message() << c.acceptedSends << " " << c.acknowledged);
        m_link.sent.clear();
        m_link.acceptedSends = c.acceptedSends;
        m_sentAllAcknowledged = c.acknowledged;
        m_view.messages.clear();
        m_controller.RequestUpload();
        ConnectAndPassChecks();
        Receive(kUploadCompleted);
        EXPECT_FALSE(m_controller.IsConnected());
        if (c.completed) {
            EXPECT_EQ(m_view.progress.status, "Uploading data...(Completed)");
            EXPECT_TRUE(m_view.messages.empty());
        } else {
            EXPECT_EQ(m_view.progress.status, "Uploading data...(Error! Transfer was incomplete)");
            EXPECT_THAT(m_view.messages,
                        ElementsAre("The deskset reported the upload complete before it had "
                                    "received every block. The upload failed: upload the "
                                    "database again."));
        }
        m_controller.ProgressDialogClosed();
    }
}

TEST_F(UploadPhasesTest, ADoubledCompletionNeverSkipsTheVerify) {
    m_controller.RequestUpload({std::nullopt, true});
    ConnectAndPassChecks();
    Receive(kUploadCompleted);
    Receive(kUploadCompleted);
    Receive(kUploadFailed);
    EXPECT_EQ(m_view.progress.status, "Verifying the upload...");
    EXPECT_TRUE(m_controller.IsConnected());
    ConfigImage readBack = m_database.image;
    readBack.SetU8(100, readBack.U8(100) ^ 1);
    ServeImage(readBack);
    EXPECT_EQ(m_view.progress.status, "Verifying the upload...(Verify failed)");
    EXPECT_THAT(m_view.messages, ElementsAre(transfer_strings::VerifyFailedText(1, "")));

    // Once the upload has ended, a late completion changes nothing.
    Receive(kUploadCompleted);
    EXPECT_EQ(m_view.progress.status, "Verifying the upload...(Verify failed)");
}

TEST_F(TransferControllerTest, TheLossOfALinkAlreadyClosedLeavesTheOutcomeStanding) {
    m_controller.RequestDownload();
    ConnectAndPassChecks();
    for (std::size_t offset = 0; offset < 16384; offset += 100) {
        ReceiveBlock(offset, 0x5A, offset < 16300 ? 100 : 84);
    }
    Receive(kDownloadCompleted);
    m_controller.OnConnectionLost();  // the deskset hung up right after its outcome
    EXPECT_EQ(m_view.progress.status, "Downloading data...(Completed)");
    EXPECT_EQ(m_view.progress.buttonText, "Ok");
    EXPECT_EQ(m_view.status, "For Help, press F1");
    EXPECT_EQ(m_database.replaced, 1);
}

// A lost link leaves no timer of the transfer running, in whichever phase it
// went, and a timer that fires late changes nothing.
TEST_F(UploadPhasesTest, ALinkLostInAnyPhaseLeavesNoTimerRunning) {
    const auto toBackup = [this] {
        m_controller.RequestUpload({m_scratch.Root().string(), true});
        ConnectAndPassChecks();
    };
    const auto toUpload = [this] {
        m_controller.RequestUpload({std::nullopt, true});
        ConnectAndPassChecks();
        m_controller.OnTimer(kUploadProgressTimer);  // the bar is full: the completion timer runs
    };
    const auto toVerify = [this] {
        m_controller.RequestUpload({std::nullopt, true});
        ConnectAndPassChecks();
        Receive(kUploadCompleted);
    };
    const auto toDownload = [this] {
        m_controller.RequestDownload();
        ConnectAndPassChecks();
        ReceiveBlock(0, 1);
    };
    for (const auto& [phase, reach] : std::vector<std::pair<TransferPhase, std::function<void()>>>{
             {TransferPhase::Backup, toBackup},
             {TransferPhase::Upload, toUpload},
             {TransferPhase::Verify, toVerify},
             {TransferPhase::Download, toDownload}}) {
        SCOPED_TRACE(static_cast<int>(phase));
        reach();
        ASSERT_EQ(m_view.progress.phase, phase);
        m_controller.OnConnectionLost();
        EXPECT_TRUE(m_timers.running.empty());
        for (TimerId late : {kAnswerTimer, kCompletionTimer, kUploadProgressTimer}) {
            m_controller.OnTimer(late);
        }
        EXPECT_EQ(m_view.progress.status, "ERROR : Disconnected with the Deskset");
        EXPECT_TRUE(m_view.messages.empty());
        m_controller.ProgressDialogClosed();
    }
}

// Each phase of an upload arms its own completion timer when its bar fills,
// and the next phase starts with it stopped.
TEST_F(UploadPhasesTest, EachPhaseArmsItsOwnCompletionTimer) {
    m_controller.RequestUpload({m_scratch.Root().string(), true});
    ConnectAndPassChecks();
    const auto blocks = BuildUploadBlocks(m_deskset);
    for (const Msg& block : blocks) {
        Receive(kImageBlock, block.Payload());
    }
    EXPECT_TRUE(m_timers.IsRunning(kCompletionTimer));
    EXPECT_FALSE(m_timers.IsRunning(kAnswerTimer));
    Receive(kDownloadCompleted);  // the backup is kept; the blocks go out
    EXPECT_FALSE(m_timers.IsRunning(kCompletionTimer));
    EXPECT_TRUE(m_timers.IsRunning(kAnswerTimer));
    EXPECT_TRUE(m_timers.IsRunning(kUploadProgressTimer));

    m_controller.OnTimer(kUploadProgressTimer);
    EXPECT_TRUE(m_timers.IsRunning(kCompletionTimer));
    Receive(kUploadCompleted);
    EXPECT_FALSE(m_timers.IsRunning(kCompletionTimer));
    EXPECT_FALSE(m_timers.IsRunning(kUploadProgressTimer));
    EXPECT_TRUE(m_timers.IsRunning(kAnswerTimer));

    for (std::size_t i = 0; i + 1 < blocks.size(); ++i) {
        Receive(kImageBlock, blocks[i].Payload());
    }
    EXPECT_FALSE(m_timers.IsRunning(kCompletionTimer)) << "one block short of a full bar";
    Receive(kImageBlock, blocks.back().Payload());
    EXPECT_TRUE(m_timers.IsRunning(kCompletionTimer));
    m_controller.OnTimer(kCompletionTimer);
    EXPECT_EQ(m_view.progress.status, "Communication error with deskset");
    EXPECT_TRUE(m_timers.running.empty());
}
