// SPDX-License-Identifier: GPL-3.0-or-later
// Database files and backups through the Windows file calls: binary bytes,
// replacing a file at once, and backups that never replace one.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "model/ConfigImage.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "transfer/DesksetBackup.h"

namespace {

namespace fs = std::filesystem;

// Every byte value after the header, line ends and Ctrl+Z included.
ConfigImage ImageWithEveryByte(int seed) {
    ConfigImage image;
    SetImageDefaults(image);
    for (std::size_t i = 64; i < ConfigImage::kSize; ++i) {
        image.Bytes()[i] = static_cast<uint8_t>(i * 7 + seed);
    }
    return image;
}

bool SameBytes(const ConfigImage& a, const ConfigImage& b) {
    return std::equal(a.Bytes().begin(), a.Bytes().end(), b.Bytes().begin());
}

class FileWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() /
                ("torvo-files-" + std::to_string(::GetCurrentProcessId()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }
    int FilesInFolder() const {
        return static_cast<int>(std::distance(fs::directory_iterator(m_dir), {}));
    }

    fs::path m_dir;
};

TEST_F(FileWinTest, ADatabaseKeepsEveryByteAndASaveReplacesTheOldFileWhole) {
    const std::string path = (m_dir / "deskset.ddb").string();
    const ConfigImage first = ImageWithEveryByte(1);
    ASSERT_TRUE(WriteDatabaseFile(path, first).Ok());
    EXPECT_EQ(fs::file_size(path), ConfigImage::kSize);
    ConfigImage read;
    ASSERT_TRUE(ReadDatabaseFile(path, read).Ok());
    EXPECT_TRUE(SameBytes(read, first));

    const ConfigImage second = ImageWithEveryByte(2);
    ASSERT_TRUE(WriteDatabaseFile(path, second).Ok());
    ASSERT_TRUE(ReadDatabaseFile(path, read).Ok());
    EXPECT_TRUE(SameBytes(read, second));
    EXPECT_EQ(FilesInFolder(), 1) << "no temporary file is left";
}

TEST_F(FileWinTest, ABackupNeverReplacesAFileOfItsName) {
    const ConfigImage image = ImageWithEveryByte(3);
    const std::time_t now = 1796660000;
    const auto first = transfer::KeepBackup(m_dir.string(), image, now);
    const auto second = transfer::KeepBackup(m_dir.string(), image, now);
    ASSERT_TRUE(first.ok) << first.message;
    ASSERT_TRUE(second.ok) << second.message;
    EXPECT_NE(first.path, second.path);
    EXPECT_TRUE(second.path.ends_with("-2.ddb")) << second.path;
    ConfigImage read;
    ASSERT_TRUE(ReadDatabaseFile(second.path, read).Ok());
    EXPECT_TRUE(SameBytes(read, image));
    EXPECT_EQ(FilesInFolder(), 2) << "no temporary file is left";
}

}  // namespace
