// SPDX-License-Identifier: GPL-3.0-or-later
// New, Open, Close, Save and Save As through the main window's commands.

#include <gmock/gmock.h>

#include <sys/resource.h>
#include <QApplication>
#include <QDockWidget>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <csignal>

#include "GuiTestSupport.h"
#include "app/CConfigTree.h"
#include "app/Commands.h"
#include "app/MessageBoxPrompt.h"
#include "app/TorvoSettings.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "support/FileSizeLimit.h"

using ::testing::ElementsAre;

namespace {

constexpr char kCloseQuestion[] = "This action will close the current database. OK to continue?";

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray DefaultImageBytes() {
    ConfigImage image;
    SetImageDefaults(image);
    return QByteArray(reinterpret_cast<const char*>(image.Bytes().data()), ConfigImage::kSize);
}

class DocumentCommandsTest : public GuiTest {};

}  // namespace

TEST_F(DocumentCommandsTest, NewDatabaseShowsDefaultsNameAndDatabaseMenu) {
    EXPECT_EQ(m_frame->windowTitle(), "Velk Series Torvo");
    EXPECT_FALSE(m_frame->ShowsDatabaseMenu());
    EXPECT_FALSE(m_frame->Action(cmd::SaveDatabase)->isEnabled());
    EXPECT_FALSE(m_frame->Action(cmd::UploadDatabase)->isEnabled());
    EXPECT_TRUE(m_frame->Action(cmd::DownloadDatabase)->isEnabled());
    EXPECT_TRUE(m_frame->TreeDock().isHidden());

    m_frame->ExecuteCommand(cmd::NewDatabase);
    ASSERT_NE(m_app->Document(), nullptr);
    EXPECT_EQ(m_frame->windowTitle(), "Velk Series Torvo  - [New]");
    EXPECT_TRUE(m_frame->ShowsDatabaseMenu());
    EXPECT_FALSE(m_frame->TreeDock().isHidden());
    EXPECT_EQ(m_frame->Tree().RootLabel(), "New");
    EXPECT_TRUE(m_frame->Action(cmd::SaveDatabase)->isEnabled());
    EXPECT_TRUE(m_frame->Action(cmd::UploadDatabase)->isEnabled());
    EXPECT_FALSE(m_app->Document()->IsModified());
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(TheImage().Bytes().data()), 16384),
              DefaultImageBytes());
    EXPECT_TRUE(m_prompt->texts.isEmpty());
}

TEST_F(DocumentCommandsTest, ClosingAskWhatTheStateCallsFor) {
    m_frame->ExecuteCommand(cmd::NewDatabase);

    // Unmodified: only the close question; Cancel keeps everything.
    m_prompt->answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(m_app->CloseDatabase());
    EXPECT_THAT(m_prompt->texts, ElementsAre(kCloseQuestion));
    EXPECT_NE(m_app->Document(), nullptr);
    EXPECT_TRUE(TheImage().HasHeader());

    // Modified: only the save question; No closes without the second question.
    m_app->Document()->MarkModified();
    m_prompt->texts.clear();
    m_prompt->answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(m_app->CloseDatabase());
    EXPECT_THAT(m_prompt->texts, ElementsAre("Save changes to New?"));
    EXPECT_NE(m_app->Document(), nullptr);

    m_prompt->texts.clear();
    m_prompt->answers = {PromptAnswer::No};
    EXPECT_TRUE(m_app->CloseDatabase());
    EXPECT_THAT(m_prompt->texts, ElementsAre("Save changes to New?"));
    EXPECT_EQ(m_app->Document(), nullptr);
    EXPECT_EQ(TheImage(), ConfigImage{});
    EXPECT_EQ(m_frame->windowTitle(), "Velk Series Torvo");
    EXPECT_FALSE(m_frame->ShowsDatabaseMenu());
    EXPECT_TRUE(m_frame->TreeDock().isHidden());

    // Unmodified and OK.
    m_frame->ExecuteCommand(cmd::NewDatabase);
    m_prompt->texts.clear();
    m_prompt->answers = {PromptAnswer::Ok};
    m_frame->ExecuteCommand(cmd::CloseDatabase);
    EXPECT_THAT(m_prompt->texts, ElementsAre(kCloseQuestion));
    EXPECT_EQ(m_app->Document(), nullptr);
}

TEST_F(DocumentCommandsTest, YesSavesThroughTheSaveAsDialogAndCancelThereKeepsTheDatabase) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    m_app->Document()->MarkModified();

    m_prompt->answers = {PromptAnswer::Yes};
    m_prompt->saveFiles = {QString()};  // the save dialog is cancelled
    EXPECT_FALSE(m_app->CloseDatabase());
    EXPECT_THAT(m_prompt->suggestedSaves, ElementsAre("New.ddb"));
    EXPECT_TRUE(m_app->Document()->IsModified());

    const QString path = TempPath("saved.ddb");
    m_prompt->answers = {PromptAnswer::Yes};
    m_prompt->saveFiles = {path};
    EXPECT_TRUE(m_app->CloseDatabase());
    EXPECT_EQ(ReadFile(path), DefaultImageBytes());
    EXPECT_EQ(m_app->Document(), nullptr);
}

TEST_F(DocumentCommandsTest, ExitWithCancelKeepsTheProgramRunning) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    m_prompt->answers = {PromptAnswer::Cancel};
    m_frame->ExecuteCommand(cmd::Exit);
    EXPECT_TRUE(m_frame->isVisible());
    EXPECT_NE(m_app->Document(), nullptr);

    m_prompt->answers = {PromptAnswer::Ok};
    m_frame->ExecuteCommand(cmd::Exit);
    EXPECT_FALSE(m_frame->isVisible());
    EXPECT_EQ(m_app->Document(), nullptr);
}

TEST_F(DocumentCommandsTest, SaveAsSuggestsNewDdbAndSavedFileReopensWithItsName) {
    m_frame->ExecuteCommand(cmd::NewDatabase);
    const QString path = TempPath("site.ddb");
    m_prompt->saveFiles = {path};
    m_frame->ExecuteCommand(cmd::SaveDatabase);  // no path yet: behaves as Save As
    EXPECT_THAT(m_prompt->suggestedSaves, ElementsAre("New.ddb"));
    EXPECT_THAT(m_prompt->filters, ElementsAre("Torvo Files (*.ddb)"));
    EXPECT_EQ(ReadFile(path), DefaultImageBytes());
    EXPECT_EQ(m_frame->Tree().RootLabel(), "site.ddb");
    EXPECT_EQ(m_frame->windowTitle(), "Velk Series Torvo  - [" + path + "]");
    EXPECT_FALSE(m_app->Document()->IsModified());
    EXPECT_EQ(TorvoSettings::RecentFiles().value(0), path);

    // Save again writes to the same path without a dialog.
    TheImage().SetU8(layout::deskset::Absolute(layout::deskset::kMuteTimer), 45);
    m_app->Document()->MarkModified();
    m_frame->ExecuteCommand(cmd::SaveDatabase);
    EXPECT_EQ(m_prompt->suggestedSaves.size(), 1);
    EXPECT_EQ(static_cast<std::uint8_t>(
                  ReadFile(path)[layout::deskset::Absolute(layout::deskset::kMuteTimer)]),
              45);

    // Save As offers the current path.
    m_prompt->saveFiles = {QString()};
    m_frame->ExecuteCommand(cmd::SaveDatabaseAs);
    EXPECT_EQ(m_prompt->suggestedSaves.last(), path);
    EXPECT_TRUE(m_prompt->texts.isEmpty());
}

TEST_F(DocumentCommandsTest, ReservedBytesOfALoadedFileSurviveASave) {
    ConfigImage image;
    SetImageDefaults(image);
    image.SetU8(0x0023, 0xAB);
    image.SetU8(0x00A4, 0xCD);
    image.SetU8(0x0100 + 0x146, 0xEF);
    image.SetU8(0x3FFF, 0x12);
    const QString path = TempPath("reserved.ddb");
    ASSERT_TRUE(WriteDatabaseFile(path.toStdString(), image).Ok());
    const QByteArray original = ReadFile(path);

    ASSERT_TRUE(m_app->OpenDatabaseFile(path));
    m_app->Document()->MarkModified();
    m_frame->ExecuteCommand(cmd::SaveDatabase);
    EXPECT_EQ(ReadFile(path), original);
}

TEST_F(DocumentCommandsTest, FailedSaveKeepsTheOldFileAndTheModifiedFlagAndSaysWhy) {
    const QString path = WriteDatabase("keep.ddb");
    const QByteArray before = ReadFile(path);
    ASSERT_TRUE(m_app->OpenDatabaseFile(path));
    TheImage().SetU8(layout::deskset::Absolute(layout::deskset::kMuteTimer), 7);
    m_app->Document()->MarkModified();

    {
        const FileSizeLimit limit(100);
        m_frame->ExecuteCommand(cmd::SaveDatabase);
    }

    ASSERT_EQ(m_prompt->texts.size(), 1);
    EXPECT_THAT(m_prompt->texts.first().toStdString(), ::testing::HasSubstr("Failed to save"));
    EXPECT_TRUE(m_app->Document()->IsModified());
    EXPECT_EQ(ReadFile(path), before);
}

TEST_F(DocumentCommandsTest, SaveOntoAReadOnlyFileGoesToSaveAsAndNeverOverwritesIt) {
    const QString path = WriteDatabase("locked.ddb");
    const QByteArray before = ReadFile(path);
    ASSERT_TRUE(
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_TRUE(m_app->OpenDatabaseFile(path));
    TheImage().SetU8(layout::deskset::Absolute(layout::deskset::kMuteTimer), 7);
    m_app->Document()->MarkModified();

    // Choosing the same file in the dialog is refused as a denied write.
    m_prompt->saveFiles = {path};
    m_frame->ExecuteCommand(cmd::SaveDatabase);
    EXPECT_THAT(m_prompt->suggestedSaves, ElementsAre(path));
    EXPECT_THAT(m_prompt->texts, ElementsAre("Access to " + path + " was denied."));
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_TRUE(m_app->Document()->IsModified());

    const QString copy = TempPath("copy.ddb");
    m_prompt->saveFiles = {copy};
    m_frame->ExecuteCommand(cmd::SaveDatabase);
    EXPECT_EQ(m_prompt->suggestedSaves.size(), 2);
    EXPECT_EQ(static_cast<std::uint8_t>(
                  ReadFile(copy)[layout::deskset::Absolute(layout::deskset::kMuteTimer)]),
              7);
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(m_app->Document()->Path(), copy);
    EXPECT_FALSE(m_app->Document()->IsModified());
}

TEST_F(DocumentCommandsTest, OpenRefusesBadFilesWithTheirMessagesAndLeavesNoDatabase) {
    QFile wrong(TempPath("wrong.ddb"));
    ASSERT_TRUE(wrong.open(QIODevice::WriteOnly));
    wrong.write("zel deskset v001" + QByteArray(200, '\0'));
    wrong.close();
    QFile tiny(TempPath("tiny.ddb"));
    ASSERT_TRUE(tiny.open(QIODevice::WriteOnly));
    tiny.write("ZEL");
    tiny.close();
    QFile empty(TempPath("empty.ddb"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();

    EXPECT_FALSE(m_app->OpenDatabaseFile(wrong.fileName()));
    EXPECT_FALSE(m_app->OpenDatabaseFile(tiny.fileName()));
    EXPECT_FALSE(m_app->OpenDatabaseFile(empty.fileName()));
    EXPECT_FALSE(m_app->OpenDatabaseFile(m_files.path()));
    EXPECT_EQ(m_prompt->texts.size(), 3);
    EXPECT_EQ(m_prompt->texts.value(0), "Unknown database version.");
    EXPECT_EQ(m_prompt->texts.value(1), "Unexpected file format.");
    EXPECT_TRUE(m_prompt->texts.value(2).contains("is a folder"));
    EXPECT_EQ(m_app->Document(), nullptr);
    EXPECT_EQ(TheImage(), ConfigImage{});
    EXPECT_EQ(m_frame->windowTitle(), "Velk Series Torvo");
}

TEST_F(DocumentCommandsTest, OpenDialogAndRecentFilesOpenTheChosenDatabase) {
    const QString first = WriteDatabase("first.ddb");
    m_prompt->openFiles = {first};
    m_frame->ExecuteCommand(cmd::OpenDatabase);
    EXPECT_THAT(m_prompt->filters, ElementsAre("Torvo Files (*.ddb)"));
    ASSERT_NE(m_app->Document(), nullptr);
    EXPECT_EQ(m_frame->Tree().RootLabel(), "first.ddb");
    EXPECT_EQ(m_frame->windowTitle(), "Velk Series Torvo  - [" + first + "]");

    // Cancel in the open dialog after the close question: no database.
    m_prompt->answers = {PromptAnswer::Ok};
    m_frame->ExecuteCommand(cmd::OpenDatabase);
    EXPECT_EQ(m_app->Document(), nullptr);

    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        paths << WriteDatabase(QString("r%1.ddb").arg(i));
        ASSERT_TRUE(m_app->OpenDatabaseFile(paths.last()));
        m_prompt->answers = {PromptAnswer::Ok};
        ASSERT_TRUE(m_app->CloseDatabase());
    }
    EXPECT_EQ(TorvoSettings::RecentFiles(), (QStringList{paths[4], paths[3], paths[2], paths[1]}));
    const QList<QAction*> recent = m_frame->RecentFileActions();
    ASSERT_EQ(recent.size(), 4);
    EXPECT_EQ(recent[1]->text(), "&2 " + paths[3]);

    // A recent file that has gone is refused and leaves the list.
    QFile::remove(paths[3]);
    recent[1]->trigger();
    EXPECT_EQ(m_app->Document(), nullptr);
    EXPECT_FALSE(TorvoSettings::RecentFiles().contains(paths[3]));
    EXPECT_EQ(m_frame->RecentFileActions().size(), 3);
}

TEST_F(DocumentCommandsTest, SaveDownloadAndUploadAreRefusedWhileAnEditorWindowIsOpen) {
    TestViewFactories factories;
    m_frame->ExecuteCommand(cmd::NewDatabase);
    ASSERT_TRUE(m_frame->Editors().OpenEditor(EditorKind::DesksetCfg));
    m_prompt->saveFiles = {TempPath("never.ddb")};

    m_frame->ExecuteCommand(cmd::SaveDatabase);
    m_frame->ExecuteCommand(cmd::SaveDatabaseAs);
    m_frame->ExecuteCommand(cmd::DownloadDatabase);
    m_frame->ExecuteCommand(cmd::UploadDatabase);
    EXPECT_THAT(m_prompt->texts, ElementsAre("You must close all windows before saving.",
                                             "You must close all windows before saving.",
                                             "You must close all windows before downloading.",
                                             "You must close all windows before uploading."));
    EXPECT_TRUE(m_prompt->suggestedSaves.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(TempPath("never.ddb")));

    // New closes the editor windows with the database.
    m_prompt->answers = {PromptAnswer::Ok};
    m_frame->ExecuteCommand(cmd::NewDatabase);
    EXPECT_FALSE(m_app->Document()->HasViews());
    EXPECT_TRUE(m_frame->Workspace().subWindowList().isEmpty());
}

TEST_F(DocumentCommandsTest, AFileDroppedOnTheWindowOpens) {
    const QString path = WriteDatabase("dropped.ddb");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_frame.get(), &drop);
    ProcessEvents();
    ASSERT_NE(m_app->Document(), nullptr);
    EXPECT_EQ(m_frame->Tree().RootLabel(), "dropped.ddb");
}

TEST_F(DocumentCommandsTest, FileDialogsCarryTheirTitlesAndGiveANameTheDdbExtension) {
    const QString path = WriteDatabase("site.ddb");
    const auto open = MessageBoxPrompt::OpenDialog(m_frame.get(), "Torvo Files (*.ddb)");
    EXPECT_EQ(open->windowTitle(), "Open");
    open->setOption(QFileDialog::DontUseNativeDialog);
    open->setDirectory(QFileInfo(path).absolutePath());
    open->open();
    auto* name = open->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    name->setText("site");
    // Without the extension the dialog would say the file is not there.
    QTimer::singleShot(0, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->reject();
        }
    });
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_EQ(open->result(), QDialog::Accepted);
    EXPECT_THAT(open->selectedFiles(), ElementsAre(path));

    const auto saveAs =
        MessageBoxPrompt::SaveDialog(m_frame.get(), "New.ddb", "Torvo Files (*.ddb)");
    EXPECT_EQ(saveAs->windowTitle(), "Save As");
    EXPECT_EQ(saveAs->defaultSuffix(), "ddb");
}
