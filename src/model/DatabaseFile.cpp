// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/DatabaseFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "model/PlatformFiles.h"

namespace {

std::string WithPath(const char* pattern, const std::string& path) {
    std::string text = pattern;
    const auto at = text.find("%1");
    if (at != std::string::npos) {
        text.replace(at, 2, path);
    }
    return text;
}

std::string OpenErrorMessage(int error, const std::string& path) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return WithPath("%1 was not found.", path);
        case EACCES:
        case EPERM:
            return WithPath("Access to %1 was denied.", path);
        case EISDIR:
            return WithPath("%1 is a folder, not a database file.", path);
        case EMFILE:
        case ENFILE:
            return "Too many files are open. Close some programs and try again.";
        default:
            return std::string(file_messages::kFailedToOpen) + "\n" + std::strerror(error);
    }
}

std::string SaveErrorMessage(int error, const std::string& path) {
    if (platform_files::IsOutOfSpace(error)) {
        return WithPath("There is not enough space on the disk to save %1.", path);
    }
    switch (error) {
        case EACCES:
        case EPERM:
        case EROFS:
            return WithPath("Access to %1 was denied.", path);
        case ENOENT:
        case ENOTDIR:
        case ENAMETOOLONG:
            return WithPath("%1 contains an invalid path.", path);
        case EISDIR:
            return WithPath("%1 is a folder.", path);
        default:
            return std::string(file_messages::kFailedToSave) + "\n" + std::strerror(error);
    }
}

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { Close(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }
    bool Valid() const { return m_fd >= 0; }
    int Close() {
        const int result = m_fd >= 0 ? ::close(m_fd) : 0;
        m_fd = -1;
        return result;
    }

private:
    int m_fd;
};

// Reads until count bytes or the end of the file; returns the bytes read or -1.
ssize_t ReadFully(int fd, std::uint8_t* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(fd, buffer + done, count - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return -1;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

bool WriteFully(int fd, const char* buffer, std::size_t count) {
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(fd, buffer + done, count - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = EIO;
            }
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// A save through a symbolic link replaces the file it points to, not the link.
std::string ResolveSaveTarget(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const auto target = std::filesystem::canonical(path, error);
        if (!error) {
            return target.string();
        }
    }
    return path;
}

std::string TemporaryNameBeside(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".saving-" + std::to_string(platform_files::ProcessId()) + "-" +
           std::to_string(++counter);
}

}  // namespace

FileResult ReadDatabaseFile(const std::string& path, ConfigImage& image) {
    if (path.empty()) {
        return FileResult::Failure(file_messages::kNoFileName);
    }
    FileDescriptor file(platform_files::OpenForReading(path));
    if (!file.Valid()) {
        return FileResult::Failure(OpenErrorMessage(errno, path));
    }
    struct stat info {};
    if (::fstat(file.Get(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return FileResult::Failure(OpenErrorMessage(EISDIR, path));
    }

    ConfigImage contents;
    const ssize_t length = ReadFully(file.Get(), contents.Bytes().data(), ConfigImage::kSize);
    if (length < 0) {
        return FileResult::Failure(OpenErrorMessage(errno, path));
    }
    if (length == 0) {
        return {FileResult::Outcome::FailedSilently, {}};
    }
    if (static_cast<std::size_t>(length) < layout::kHeaderLength) {
        return FileResult::Failure(file_messages::kUnexpectedFormat);
    }
    if (!contents.HasHeader()) {
        return FileResult::Failure(file_messages::kUnknownVersion);
    }
    std::copy_n(contents.Bytes().begin(), length, image.Bytes().begin());
    return FileResult::Success();
}

FileResult CheckWritable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return FileResult::Success();  // a new file, or a failure the write itself reports
    }
    const bool noWriteBits = (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
    if (noWriteBits || (::access(path.c_str(), W_OK) != 0 && errno != ENOENT)) {
        return FileResult::Failure(SaveErrorMessage(EACCES, path));
    }
    return FileResult::Success();
}

DatabaseFileWriter::DatabaseFileWriter(std::string path) : m_path(std::move(path)) {}

DatabaseFileWriter::~DatabaseFileWriter() {
    Abandon();
}

void DatabaseFileWriter::Abandon() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
        ::unlink(m_temporary.c_str());
    }
}

FileResult DatabaseFileWriter::Fail(int error) {
    Abandon();
    return FileResult::Failure(SaveErrorMessage(error, m_path));
}

FileResult DatabaseFileWriter::Prepare() {
    Abandon();
    m_target = ResolveSaveTarget(m_path);
    struct stat existing {};
    const bool replacing = ::stat(m_target.c_str(), &existing) == 0;
    if (replacing && S_ISDIR(existing.st_mode)) {
        return FileResult::Failure(SaveErrorMessage(EISDIR, m_path));
    }
    // The rename below would replace a read-only file as readily as any other.
    if (const FileResult writable = CheckWritable(m_path); !writable.Ok()) {
        return writable;
    }
    do {
        m_temporary = TemporaryNameBeside(m_target);
        m_fd = platform_files::CreateNew(m_temporary, 0666);
    } while (m_fd < 0 && errno == EEXIST);
    if (m_fd < 0) {
        return FileResult::Failure(SaveErrorMessage(errno, m_path));
    }
    if (replacing && !platform_files::KeepPermissions(m_fd, existing.st_mode)) {
        return Fail(errno);
    }
    return FileResult::Success();
}

FileResult DatabaseFileWriter::Commit(const ConfigImage& image) {
    const auto bytes = image.Bytes();
    return Commit(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

FileResult DatabaseFileWriter::Commit(std::string_view bytes) {
    if (m_fd < 0) {
        return FileResult::Failure(SaveErrorMessage(EBADF, m_path));
    }
    if (!WriteFully(m_fd, bytes.data(), bytes.size()) || !platform_files::FlushToDisk(m_fd)) {
        return Fail(errno);
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 || !platform_files::ReplaceWith(m_temporary, m_target)) {
        const int error = errno;
        ::unlink(m_temporary.c_str());
        return FileResult::Failure(SaveErrorMessage(error, m_path));
    }
    return FileResult::Success();
}

FileResult WriteDatabaseFile(const std::string& path, const ConfigImage& image) {
    DatabaseFileWriter writer(path);
    const FileResult prepared = writer.Prepare();
    return prepared.Ok() ? writer.Commit(image) : prepared;
}

FileResult WriteTextFile(const std::string& path, std::string_view text) {
    DatabaseFileWriter writer(path);
    const FileResult prepared = writer.Prepare();
    return prepared.Ok() ? writer.Commit(text) : prepared;
}

std::string ReadProblem(const std::string& path, const FileResult& result) {
    if (result.outcome == FileResult::Outcome::FailedSilently) {
        return path + ": the file is empty.";
    }
    const bool aboutContents = result.message == file_messages::kUnknownVersion ||
                               result.message == file_messages::kUnexpectedFormat;
    return aboutContents ? path + ": " + result.message : result.message;
}
