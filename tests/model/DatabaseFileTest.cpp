// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/DatabaseFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "model/ImageDefaults.h"
#include "support/FileSizeLimit.h"
#include "support/ScratchDir.h"

namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

class DatabaseFileTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        const auto path = m_scratch.Path(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static std::string ReadAll(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
    static std::string Header() { return "ZEL DESKSET V001"; }

    ScratchDir m_scratch;
    const fs::path& m_dir = m_scratch.Root();
};

}  // namespace

TEST_F(DatabaseFileTest, FullFileLoadsUnchangedAndLongerFilesAreCutAt16384) {
    std::string bytes = Header();
    for (std::size_t i = bytes.size(); i < 16384; ++i) {
        bytes.push_back(static_cast<char>(i * 7));
    }
    ConfigImage image;
    ASSERT_TRUE(ReadDatabaseFile(Write("full.ddb", bytes), image).Ok());
    EXPECT_EQ(std::string(image.Bytes().begin(), image.Bytes().end()), bytes);

    ConfigImage longer;
    ASSERT_TRUE(ReadDatabaseFile(Write("long.ddb", bytes + "trailing bytes"), longer).Ok());
    EXPECT_EQ(longer, image);
}

TEST_F(DatabaseFileTest, ShortFileFillsWhatItHasAndLeavesTheRest) {
    std::string bytes = Header() + std::string(84, '\x11');  // 100 bytes
    ConfigImage image;
    image.SetU8(200, 0x42);
    ASSERT_TRUE(ReadDatabaseFile(Write("short.ddb", bytes), image).Ok());
    EXPECT_EQ(image.U8(99), 0x11);
    EXPECT_EQ(image.U8(100), 0);
    EXPECT_EQ(image.U8(200), 0x42);
}

TEST_F(DatabaseFileTest, HeaderAloneOpensAndOneByteLessIsRefused) {
    ConfigImage image;
    image.SetU8(0, 0x99);
    image.SetU8(16, 0x42);
    const ConfigImage before = image;

    FileResult result = ReadDatabaseFile(Write("15.ddb", Header().substr(0, 15)), image);
    EXPECT_EQ(result.outcome, FileResult::Outcome::Failed);
    EXPECT_EQ(result.message, "Unexpected file format.");
    EXPECT_EQ(image, before);

    result = ReadDatabaseFile(Write("16.ddb", Header()), image);
    ASSERT_TRUE(result.Ok()) << result.message;
    EXPECT_EQ(image.Text(0, 16), Header());
    EXPECT_EQ(image.U8(16), 0x42) << "the rest of the image stays as it was";
}

TEST_F(DatabaseFileTest, BadFilesAreRefusedWithTheirMessagesAndTheImageIsUntouched) {
    ConfigImage image;
    image.SetU8(0, 0x99);
    const ConfigImage before = image;

    std::string wrongCase = "ZEL DESKSET v001" + std::string(100, '\0');
    FileResult result = ReadDatabaseFile(Write("case.ddb", wrongCase), image);
    EXPECT_EQ(result.outcome, FileResult::Outcome::Failed);
    EXPECT_EQ(result.message, "Unknown database version.");

    result = ReadDatabaseFile(Write("tiny.ddb", "ZEL DESK"), image);
    EXPECT_EQ(result.message, "Unexpected file format.");

    result = ReadDatabaseFile(Write("empty.ddb", ""), image);
    EXPECT_EQ(result.outcome, FileResult::Outcome::FailedSilently);
    EXPECT_EQ(result.message, "");

    const auto missing = (m_dir / "missing.ddb").string();
    result = ReadDatabaseFile(missing, image);
    EXPECT_EQ(result.message, missing + " was not found.");
    result = ReadDatabaseFile("", image);
    EXPECT_EQ(result.message, "No file name was given.");

    result = ReadDatabaseFile(m_dir.string(), image);
    EXPECT_EQ(result.outcome, FileResult::Outcome::Failed);
    EXPECT_THAT(result.message, HasSubstr("is a folder"));

    // A path through a plain file cannot be opened either.
    result = ReadDatabaseFile(Write("plain", "x") + "/inside.ddb", image);
    EXPECT_EQ(result.outcome, FileResult::Outcome::Failed);

    EXPECT_EQ(image, before);
}

TEST_F(DatabaseFileTest, SavedDatabaseReadsBackIdenticallyWithReservedBytes) {
    ConfigImage image;
    SetImageDefaults(image);
    image.SetU8(0x0023, 0xA5);  // reserved bytes survive the round trip
    image.SetU8(0x3FFF, 0x5A);
    const auto path = (m_dir / "saved.ddb").string();
    ASSERT_TRUE(WriteDatabaseFile(path, image).Ok());
    EXPECT_EQ(fs::file_size(path), 16384u);

    ConfigImage loaded;
    ASSERT_TRUE(ReadDatabaseFile(path, loaded).Ok());
    EXPECT_EQ(loaded, image);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator{}), 1)
        << "no temporary file is left behind";
}

TEST_F(DatabaseFileTest, ReplacingKeepsPermissionsAndFollowsSymbolicLinks) {
    ConfigImage image;
    SetImageDefaults(image);
    const auto path = Write("target.ddb", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const auto link = (m_dir / "link.ddb").string();
    fs::create_symlink(path, link);

    ASSERT_TRUE(WriteDatabaseFile(link, image).Ok());
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::file_size(path), 16384u);
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(DatabaseFileTest, FailedSaveLeavesTheOldFileAsItWasAndSaysWhy) {
    ConfigImage image;
    SetImageDefaults(image);
    const auto path = Write("keep.ddb", "the technician's previous database");

    // Make the write itself fail part-way: files may not grow past 1000 bytes.
    const FileResult result = [&] {
        const FileSizeLimit limit(1000);
        return WriteDatabaseFile(path, image);
    }();

    EXPECT_FALSE(result.Ok());
    EXPECT_THAT(result.message, HasSubstr("Failed to save document."));
    EXPECT_EQ(ReadAll(path), "the technician's previous database");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator{}), 1);

    const FileResult noFolder = WriteDatabaseFile((m_dir / "no/such.ddb").string(), image);
    EXPECT_THAT(noFolder.message, HasSubstr("contains an invalid path."));
    const FileResult folder = WriteDatabaseFile(m_dir.string(), image);
    EXPECT_THAT(folder.message, HasSubstr("is a folder."));
}

TEST_F(DatabaseFileTest, AFileWithoutWritePermissionIsReadOnlyEvenForRoot) {
    const auto path = Write("locked.ddb", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const FileResult locked = CheckWritable(path);
    EXPECT_FALSE(locked.Ok());
    EXPECT_EQ(locked.message, "Access to " + path + " was denied.");

    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(CheckWritable(path).Ok());
    EXPECT_TRUE(CheckWritable(m_scratch.Path("new.ddb")).Ok());
}

TEST_F(DatabaseFileTest, EveryWriteRefusesAReadOnlyFileThroughItsNameOrALink) {
    ConfigImage image;
    SetImageDefaults(image);
    const auto path = Write("locked.ddb", "old");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    const auto link = (m_dir / "link.ddb").string();
    fs::create_symlink(path, link);

    for (const std::string& name : {path, link}) {
        const FileResult written = WriteDatabaseFile(name, image);
        EXPECT_EQ(written.message, "Access to " + name + " was denied.");
        DatabaseFileWriter writer(name);
        EXPECT_FALSE(writer.Prepare().Ok()) << "refused before the work that fills the file";
    }
    EXPECT_EQ(ReadAll(path), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator{}), 2);

    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    EXPECT_TRUE(WriteDatabaseFile(link, image).Ok());
}
