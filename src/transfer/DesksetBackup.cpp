// SPDX-License-Identifier: GPL-3.0-or-later
#include "transfer/DesksetBackup.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "model/ConfigImage.h"
#include "model/PlatformFiles.h"

namespace transfer {

namespace {

constexpr int kMaxCandidates = 100;

std::string Reason(int error) {
    return std::strerror(error);
}

// Writes the whole image to a new file at path; false with errno set otherwise.
bool WriteNewFile(const std::string& path, const ConfigImage& image) {
    const int fd = platform_files::CreateNew(path, 0644);
    if (fd < 0) {
        return false;
    }
    const auto& bytes = image.Bytes();
    std::size_t done = 0;
    int error = 0;
    while (done < bytes.size() && error == 0) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written > 0) {
            done += static_cast<std::size_t>(written);
        } else if (written == 0 || errno != EINTR) {
            error = written == 0 ? EIO : errno;  // a write that takes nothing sets no errno
        }
    }
    if (error == 0 && !platform_files::FlushToDisk(fd)) {
        error = errno;
    }
    if (::close(fd) != 0 && error == 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(path.c_str());
        errno = error;
        return false;
    }
    return true;
}

}  // namespace

std::string BackupFileName(std::time_t now, int candidate) {
    const std::tm utc = platform_files::UtcTime(now);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    std::string name = std::string("deskset-") + stamp;
    if (candidate > 1) {
        name += "-" + std::to_string(candidate);
    }
    return name + ".ddb";
}

std::string BackupFolderProblem(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return "The backup folder " + folder + " cannot be used: " + Reason(errno) + ".";
    }
    if (!S_ISDIR(info.st_mode)) {
        return "The backup folder " + folder + " is not a folder.";
    }
    if (!platform_files::CanWriteInFolder(folder)) {
        return "The backup folder " + folder + " cannot be written: " + Reason(errno) + ".";
    }
    return {};
}

// The image goes to a hidden file first and gets its name by a hard link,
// which fails rather than replace a file of that name.
BackupResult KeepBackup(const std::string& folder, const ConfigImage& image, std::time_t now) {
    if (std::string problem = BackupFolderProblem(folder); !problem.empty()) {
        return {false, {}, problem};
    }
    const std::string base = folder.ends_with('/') ? folder : folder + "/";
    const std::string temporary = base + "." + BackupFileName(now) + "." +
                                  std::to_string(platform_files::ProcessId()) + ".part";
    if (!WriteNewFile(temporary, image)) {
        return {
            false, {}, "The backup could not be written to " + folder + ": " + Reason(errno) + "."};
    }
    BackupResult result{false, {}, {}};
    for (int candidate = 1; candidate <= kMaxCandidates; ++candidate) {
        const std::string path = base + BackupFileName(now, candidate);
        if (platform_files::AddName(temporary, path)) {
            result = {true, path, {}};
            break;
        }
        if (errno != EEXIST) {
            result.message =
                "The backup could not be written to " + folder + ": " + Reason(errno) + ".";
            break;
        }
    }
    if (!result.ok && result.message.empty()) {
        result.message = "The backup folder " + folder + " has no free name for this second.";
    }
    ::unlink(temporary.c_str());
    return result;
}

std::size_t CountDifferingBytes(const ConfigImage& a, const ConfigImage& b) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < ConfigImage::kSize; ++i) {
        count += a.Bytes()[i] != b.Bytes()[i] ? 1 : 0;
    }
    return count;
}

}  // namespace transfer
