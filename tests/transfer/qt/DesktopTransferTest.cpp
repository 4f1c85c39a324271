// SPDX-License-Identifier: GPL-3.0-or-later
// Download and Upload in the desktop program, against the simulated deskset.

#include <gmock/gmock.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "CDesksetSimulator.h"
#include "app/CConfigTree.h"
#include "app/Commands.h"
#include "app/GuiTestSupport.h"
#include "app/TorvoSettings.h"
#include "link/CLayerFactory.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "transfer/TransferStrings.h"
#include "transfer/qt/DesktopTransfer.h"
#include "transfer/qt/TransferProgressDlg.h"

using ::testing::ElementsAre;
using ::testing::EndsWith;

namespace {

constexpr int kWaitMs = 15000;

class DesktopTransferTest : public GuiTest {
protected:
    void StartSimulator(DesksetSimOptions options = {}) {
        m_simulator = std::make_unique<CDesksetSimulator>(std::move(options));
        ASSERT_TRUE(m_simulator->StartOnNewPty()) << m_simulator->LastError();
        m_frame->UseSimulatedDeskset(QString::fromStdString(m_simulator->DevicePath()));
        // Plain uploads, unless a test asks for the backup and verify around them.
        TorvoSettings::SetTransferPreferences({false, false, false, {}});
        // The computer's link timers (first poll, supervision) run ten times faster.
        const MillisecondClock steady = SteadyMillisecondClock();
        Transfer().Link().LayerFactory().SetClock([steady] { return steady() * 10; });
    }
    void TearDown() override {
        m_frame.reset();  // the link goes before the simulated deskset
        m_simulator.reset();
        GuiTest::TearDown();
    }
    DesktopTransfer& Transfer() { return m_frame->Transfer(); }
    QString ProgressText() {
        TransferProgressDlg* dialog = Transfer().ProgressDialog();
        return dialog ? dialog->StatusText() : QString();
    }
    bool WaitForProgressText(const QString& ending) {
        return QTest::qWaitFor([&] { return ProgressText().endsWith(ending); }, kWaitMs);
    }
    void CloseProgressDialog() {
        ASSERT_NE(Transfer().ProgressDialog(), nullptr);
        Transfer().ProgressDialog()->Button()->click();
        ProcessEvents();
        EXPECT_EQ(Transfer().ProgressDialog(), nullptr);
    }

    std::unique_ptr<CDesksetSimulator> m_simulator;
};

std::vector<std::uint8_t> ImageBytes(const ConfigImage& image) {
    return {image.Bytes().begin(), image.Bytes().end()};
}

}  // namespace

TEST_F(DesktopTransferTest, DownloadReplacesTheDatabaseWithTheDesksets) {
    DesksetSimOptions options;
    ConfigImage served;
    SetImageDefaults(served);
    served.SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType), 4);
    served.SetU8(0x3FFF, 0x5A);
    options.image = ImageBytes(served);
    StartSimulator(options);

    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    ASSERT_TRUE(WaitForProgressText("Downloading data...(Completed)"));
    EXPECT_EQ(TheImage(), served);
    EXPECT_EQ(Transfer().ProgressDialog()->Position(), 16400);
    EXPECT_TRUE(Transfer().ProgressDialog()->Button()->isVisible());
    EXPECT_EQ(Transfer().ProgressDialog()->Button()->text(), "Ok");
    EXPECT_EQ(m_frame->Tree().RootLabel(), "download.ddb");
    EXPECT_EQ(m_frame->windowTitle(), "Velk Series Torvo  - [download.ddb]");
    EXPECT_EQ(m_frame->Tree().ItemState("Channel 2"), CConfigTree::kClosed);
    EXPECT_FALSE(m_app->Document()->IsModified());
    EXPECT_EQ(m_frame->StatusText(), "For Help, press F1") << "the link closed with the transfer";
    CloseProgressDialog();
    EXPECT_FALSE(Transfer().Controller().IsConnected());

    // The database has no path: Save asks for a file name.
    m_frame->ExecuteCommand(cmd::SaveDatabase);
    EXPECT_EQ(m_prompt->suggestedSaves.size(), 1);
    EXPECT_TRUE(m_prompt->texts.isEmpty());
}

TEST_F(DesktopTransferTest, UploadDeliversTheExactImage) {
    StartSimulator();
    m_frame->ExecuteCommand(cmd::NewDatabase);
    for (std::size_t offset : {0x0023u, 0x0500u, 0x3BE4u, 0x3FFFu}) {
        TheImage().SetU8(offset, static_cast<std::uint8_t>(offset));
    }
    m_frame->ExecuteCommand(cmd::UploadDatabase);
    ASSERT_TRUE(WaitForProgressText("Uploading data...(Completed)"));
    EXPECT_EQ(m_simulator->Image(), ImageBytes(TheImage()));
    EXPECT_EQ(m_simulator->CompletedUploads(), 1);
    CloseProgressDialog();
}

TEST_F(DesktopTransferTest, WrongVersionKeepsTheLinkAndTheNextDownloadSkipsTheChecks) {
    DesksetSimOptions options;
    options.version = "ZEL DESKSET V002";
    StartSimulator(options);
    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_prompt->texts.isEmpty(); }, kWaitMs));
    EXPECT_THAT(m_prompt->texts, ElementsAre("ERROR : Wrong database version"));
    EXPECT_TRUE(Transfer().Controller().IsConnected());
    EXPECT_EQ(m_app->Document(), nullptr);

    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    ASSERT_TRUE(WaitForProgressText("(Completed)"));
    EXPECT_EQ(m_prompt->texts.size(), 1);
}

TEST_F(DesktopTransferTest, WrongHardwareIsReported) {
    DesksetSimOptions options;
    options.hardware = 3;
    StartSimulator(options);
    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_prompt->texts.isEmpty(); }, kWaitMs));
    EXPECT_THAT(m_prompt->texts, ElementsAre("ERROR : Wrong hardware ID"));
    EXPECT_TRUE(Transfer().Controller().IsConnected());
}

TEST_F(DesktopTransferTest, AFailedUploadIsShownInTheProgressDialog) {
    DesksetSimOptions options;
    options.failUpload = true;
    StartSimulator(options);
    m_frame->ExecuteCommand(cmd::NewDatabase);
    m_frame->ExecuteCommand(cmd::UploadDatabase);
    ASSERT_TRUE(WaitForProgressText("Uploading data...(Error! Transfer was incomplete)"));
    CloseProgressDialog();
}

TEST_F(DesktopTransferTest, AFailedDownloadLeavesTheNewDatabaseWithItsDefaults) {
    DesksetSimOptions options;
    options.failDownload = true;
    StartSimulator(options);
    m_frame->ExecuteCommand(cmd::NewDatabase);
    TheImage().SetU8(layout::deskset::Absolute(layout::deskset::kMuteTimer), 12);
    m_app->Document()->MarkModified();
    m_prompt->answers = {PromptAnswer::No};  // do not save the changes
    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    ASSERT_TRUE(WaitForProgressText("(Error! Transfer was incomplete)"));
    EXPECT_THAT(m_prompt->texts, ElementsAre("Save changes to New?"));
    EXPECT_EQ(m_frame->Tree().RootLabel(), "download.ddb");
    ConfigImage defaults;
    SetImageDefaults(defaults);
    EXPECT_EQ(TheImage(), defaults);
}

TEST_F(DesktopTransferTest, CancelInTheCloseQuestionSendsNoDownloadRequest) {
    StartSimulator();
    m_frame->ExecuteCommand(cmd::NewDatabase);
    m_prompt->answers = {PromptAnswer::Cancel};
    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_prompt->texts.isEmpty(); }, kWaitMs));
    EXPECT_THAT(m_prompt->texts,
                ElementsAre("This action will close the current database. OK to continue?"));
    QTest::qWait(200);
    EXPECT_EQ(m_simulator->Downloads(), 0);
    EXPECT_EQ(m_frame->Tree().RootLabel(), "New");
    EXPECT_EQ(Transfer().ProgressDialog(), nullptr);
}

TEST_F(DesktopTransferTest, SilentDesksetGivesSixAttemptsThenTheRetryQuestion) {
    DesksetSimOptions options;
    options.silent = true;
    StartSimulator(options);
    Transfer().SetTimings({.connectMs = 30, .uploadPollMs = 100, .completionMs = 10000});
    m_prompt->answers = {PromptAnswer::Retry, PromptAnswer::Cancel};
    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_prompt->texts.size() == 2; }, kWaitMs));
    EXPECT_EQ(m_prompt->texts[0], transfer_strings::kRetryQuestion);
    EXPECT_EQ(m_frame->StatusText(), "For Help, press F1");
    EXPECT_FALSE(Transfer().IsTimerRunning(transfer::kConnectTimer));
    EXPECT_TRUE(Transfer().Controller().DownloadRequested());
}

TEST_F(DesktopTransferTest, LosingTheDesksetMidTransferIsShown) {
    DesksetSimOptions options;
    options.downloadBlocks = 10;  // then nothing, so the transfer is still on when the deskset goes
    options.stallDownload = true;
    StartSimulator(options);
    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Transfer().ProgressDialog() != nullptr; }, kWaitMs));
    m_simulator->Stop();
    ASSERT_TRUE(WaitForProgressText("ERROR : Disconnected with the Deskset"));
    EXPECT_EQ(Transfer().ProgressDialog()->Button()->text(), "Cancel");
    EXPECT_EQ(m_frame->StatusText(), "Communication with deskset has been lost.");
    CloseProgressDialog();
}

TEST_F(DesktopTransferTest, ADesksetThatGoesQuietWithTheLinkUpEndsTheTransfer) {
    DesksetSimOptions options;
    options.answerLimit = 1;  // the version, then silence
    StartSimulator(options);
    Transfer().SetTimings({.answerMs = 300});
    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_prompt->texts.isEmpty(); }, kWaitMs));
    EXPECT_THAT(m_prompt->texts, ElementsAre("Communication error with deskset"));
    EXPECT_FALSE(Transfer().Controller().IsConnected());
    EXPECT_EQ(m_frame->StatusText(), "For Help, press F1");
}

// The desktop program shares the controller: a completion claimed after ten
// blocks is a failed upload with its reason, never "(Completed)".
TEST_F(DesktopTransferTest, AnUploadClaimedCompleteTooEarlyFails) {
    DesksetSimOptions options;
    options.uploadCompletedAfterBlocks = 10;
    StartSimulator(options);
    m_frame->ExecuteCommand(cmd::NewDatabase);
    m_frame->ExecuteCommand(cmd::UploadDatabase);
    ASSERT_TRUE(WaitForProgressText("Uploading data...(Error! Transfer was incomplete)"));
    ASSERT_EQ(m_prompt->texts.size(), 1);
    EXPECT_TRUE(m_prompt->texts[0].contains("before it had received every block"));
    CloseProgressDialog();
}

// A deskset that hangs up right after its outcome: the outcome stays shown.
TEST_F(DesktopTransferTest, AHangUpRightAfterTheOutcomeLeavesItStanding) {
    DesksetSimOptions options;
    options.hangUpAfterOutcome = true;
    StartSimulator(options);
    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    ASSERT_TRUE(WaitForProgressText("Downloading data...(Completed)"));
    QTest::qWait(100);  // the loss of the line, reported on its way down
    EXPECT_EQ(ProgressText(), "Downloading data...(Completed)");
    EXPECT_EQ(Transfer().ProgressDialog()->Button()->text(), "Ok");
    CloseProgressDialog();
}

TEST_F(DesktopTransferTest, AnUploadRightAfterADownloadConnectsAgain) {
    StartSimulator();
    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    ASSERT_TRUE(WaitForProgressText("(Completed)"));
    CloseProgressDialog();
    TheImage().SetU8(layout::deskset::Absolute(layout::deskset::kMuteTimer), 44);
    m_frame->ExecuteCommand(cmd::UploadDatabase);
    ASSERT_TRUE(WaitForProgressText("Uploading data...(Completed)"));
    EXPECT_EQ(m_simulator->Image(), ImageBytes(TheImage()));
}

namespace {

QStringList Backups() {
    return QDir(TorvoSettings::BackupFolder()).entryList(QDir::Files, QDir::Name);
}

}  // namespace

TEST_F(DesktopTransferTest, UploadBacksUpUploadsAndVerifiesWithATrace) {
    ConfigImage held;
    SetImageDefaults(held);
    held.SetU8(0x0300, 0x33);
    DesksetSimOptions options;
    options.image = ImageBytes(held);
    StartSimulator(options);
    TorvoSettings::SetTransferPreferences({true, true, true, TempPath("link.txt")});
    const QStringList before = Backups();
    m_frame->ExecuteCommand(cmd::NewDatabase);
    TheImage().SetU8(0x0500, 0x55);

    m_frame->ExecuteCommand(cmd::UploadDatabase);
    ASSERT_TRUE(WaitForProgressText("Verifying the upload...(Completed)"))
        << ProgressText().toStdString();
    EXPECT_EQ(m_simulator->Image(), ImageBytes(TheImage()));
    EXPECT_EQ(m_simulator->Downloads(), 2);
    EXPECT_EQ(m_simulator->CompletedUploads(), 1);
    const QStringList after = Backups();
    ASSERT_EQ(after.size(), before.size() + 1);
    const QString backup = QDir(TorvoSettings::BackupFolder()).filePath(after.back());
    ConfigImage kept;
    ASSERT_TRUE(ReadDatabaseFile(backup.toStdString(), kept).Ok());
    EXPECT_EQ(kept, held);
    EXPECT_TRUE(m_prompt->texts.isEmpty()) << m_prompt->texts.join('\n').toStdString();
    QFile trace(TempPath("link.txt"));
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    const QByteArray lines = trace.readAll();
    EXPECT_TRUE(lines.contains(" TX data seq=")) << "the upload's blocks";
    EXPECT_TRUE(lines.contains(" RX data seq=")) << "the backup's and the verify's blocks";
    CloseProgressDialog();
}

TEST_F(DesktopTransferTest, AFailedVerifySaysSoAndNamesTheBackup) {
    DesksetSimOptions options;
    options.corruptUploadBlock = 0;
    StartSimulator(options);
    TorvoSettings::SetTransferPreferences({true, true, false, {}});
    m_frame->ExecuteCommand(cmd::NewDatabase);

    m_frame->ExecuteCommand(cmd::UploadDatabase);
    ASSERT_TRUE(WaitForProgressText("Verifying the upload...(Verify failed)"));
    const QString backup = QDir(TorvoSettings::BackupFolder()).filePath(Backups().back());
    EXPECT_THAT(m_prompt->texts,
                ElementsAre(QString::fromStdString(transfer_strings::VerifyFailedText(
                    100, QFile::encodeName(backup).toStdString()))));
    CloseProgressDialog();
}
