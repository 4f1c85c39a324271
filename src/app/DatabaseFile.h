#pragma once
// Reading and writing .ddb files: the configuration image byte for byte.

#include <string>

#include "app/ConfigImage.h"

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
}  // namespace file_messages

// Loads a database file into the image. The image is touched only when the
// header matched: then the file's first 16384 bytes replace the image's
// leading bytes, and a shorter file leaves the rest of the image as it was.
// An empty file fails without a message.
FileResult ReadDatabaseFile(const std::string& path, ConfigImage& image);

// Refuses a file that exists without any write permission bit, as a denied
// write is refused. Root may write any file, so the bits decide, not whether
// this process could write it; a file this process may not write is refused too.
FileResult CheckWritable(const std::string& path);

// Writes the whole image to path atomically: the bytes go to a new file
// beside the target, which replaces the target only once it is complete and
// flushed. A failed write leaves any existing file as it was.
FileResult WriteDatabaseFile(const std::string& path, const ConfigImage& image);
