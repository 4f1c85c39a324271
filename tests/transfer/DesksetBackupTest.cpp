// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/DesksetBackup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "support/ScratchDir.h"

using namespace transfer;

TEST(DesksetBackupTest, NamesCarryTheUtcSecondAndNeverReplaceAFile) {
    const std::time_t now = 1796657412;  // 2026-12-07 15:30:12 UTC
    EXPECT_EQ(BackupFileName(now), "deskset-20261207-153012.ddb");
    EXPECT_EQ(BackupFileName(now, 3), "deskset-20261207-153012-3.ddb");

    ScratchDir scratch;
    std::ofstream(scratch.Path("deskset-20261207-153012.ddb")) << "someone else's";
    ConfigImage image;
    SetImageDefaults(image);
    image.SetU8(100, 0xEE);
    const BackupResult first = KeepBackup(scratch.Root().string(), image, now);
    ASSERT_TRUE(first.ok) << first.message;
    EXPECT_EQ(first.path, scratch.Path("deskset-20261207-153012-2.ddb"));
    const BackupResult second = KeepBackup(scratch.Root().string() + "/", image, now);
    EXPECT_EQ(second.path, scratch.Path("deskset-20261207-153012-3.ddb"));

    std::ifstream untouched(scratch.Path("deskset-20261207-153012.ddb"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(untouched), {}), "someone else's");
    ConfigImage kept;
    ASSERT_TRUE(ReadDatabaseFile(first.path, kept).Ok());
    EXPECT_EQ(kept, image);
    // Nothing but the backups and the file that was there: no temporary left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.Root()), {}), 3);
}

TEST(DesksetBackupTest, AFolderThatCannotTakeABackupIsNamedWithTheReason) {
    ScratchDir scratch;
    ConfigImage image;
    const BackupResult missing = KeepBackup(scratch.Path("missing"), image);
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.message, "The backup folder " + scratch.Path("missing") +
                                   " cannot be used: No such file or directory.");
    std::ofstream(scratch.Path("file")) << "x";
    EXPECT_EQ(BackupFolderProblem(scratch.Path("file")),
              "The backup folder " + scratch.Path("file") + " is not a folder.");
    EXPECT_EQ(BackupFolderProblem(scratch.Root().string()), "");

    ConfigImage other = image;
    other.SetU8(0, 1);
    other.SetU8(16383, 1);
    EXPECT_EQ(CountDifferingBytes(image, image), 0u);
    EXPECT_EQ(CountDifferingBytes(image, other), 2u);
}
