// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing .ddb files: the configuration image byte for byte.

#include <string>
#include <string_view>

#include "model/ConfigImage.h"

struct FileResult {
    enum class Outcome { Ok, Failed, FailedSilently };
    Outcome outcome = Outcome::Ok;
    std::string message;  // what to tell the user when the outcome is Failed

    bool Ok() const { return outcome == Outcome::Ok; }
    static FileResult Success() { return {}; }
    static FileResult Failure(std::string text) { return {Outcome::Failed, std::move(text)}; }
};

namespace file_messages {
inline constexpr const char* kUnknownVersion = "Unknown database version.";
inline constexpr const char* kUnexpectedFormat = "Unexpected file format.";
inline constexpr const char* kFailedToOpen = "Failed to open document.";
inline constexpr const char* kFailedToSave = "Failed to save document.";
inline constexpr const char* kNoFileName = "No file name was given.";
}  // namespace file_messages

// Loads a database file into the image. The image is touched only when the
// header matched: then the file's first 16384 bytes replace the image's
// leading bytes, and a shorter file leaves the rest of the image as it was.
// An empty file fails without a message.
FileResult ReadDatabaseFile(const std::string& path, ConfigImage& image);

// What a shell user is told of a failed read: the reader's message, with the
// path in front where the message does not name the file, and an empty file
// said to be empty (the desktop program says nothing of it).
std::string ReadProblem(const std::string& path, const FileResult& result);

// A save in two steps, so that a caller learns that the target cannot be
// written before the work that produces the image (a download of minutes):
// Prepare refuses a target that CheckWritable refuses and makes the new file
// beside the target, Commit writes the image into it and lets it replace the
// target. A writer that is not committed removes
// its new file and leaves the target as it was.
class DatabaseFileWriter {
public:
    explicit DatabaseFileWriter(std::string path);
    ~DatabaseFileWriter();
    DatabaseFileWriter(const DatabaseFileWriter&) = delete;
    DatabaseFileWriter& operator=(const DatabaseFileWriter&) = delete;

    FileResult Prepare();
    FileResult Commit(const ConfigImage& image);
    // Any other contents (a report), written the same way.
    FileResult Commit(std::string_view bytes);

private:
    void Abandon();
    FileResult Fail(int error);

    std::string m_path;       // as the user named it, for the messages
    std::string m_target;     // the file replaced (a symbolic link's target)
    std::string m_temporary;  // the new file while it is being made
    int m_fd = -1;
};

// Refuses a file that exists without any write permission bit, as a denied
// write is refused. Root may write any file, so the bits decide, not whether
// this process could write it; a file this process may not write is refused too.
FileResult CheckWritable(const std::string& path);

// Writes the whole image to path atomically: the bytes go to a new file
// beside the target, which replaces the target only once it is complete and
// flushed. A failed or refused write leaves any existing file as it was.
FileResult WriteDatabaseFile(const std::string& path, const ConfigImage& image);
// The same for a text file.
FileResult WriteTextFile(const std::string& path, std::string_view text);
