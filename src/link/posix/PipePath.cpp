// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/posix/PipePath.h"

#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "link/VcomTrace.h"

namespace pipe_path {

namespace {

// A folder this user may keep its socket files in: one named folder of its own
// that nobody else may enter, list or write to.
bool IsUsableFolder(const std::string& folder) {
    struct stat status {};
    if (::lstat(folder.c_str(), &status) == 0 && IsPrivateFolder(status, ::geteuid())) {
        return true;
    }
    VcomTrace("(CPipeLayer1)  error: " + folder + " is not a private folder\n");
    return false;
}

// The user's own folder for the socket files: $XDG_RUNTIME_DIR when it is
// private to the user, else a folder under /tmp made private to the user.
// A /tmp folder someone else made, or one others can enter, is not used.
std::string RuntimeFolder() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && IsUsableFolder(runtime)) {
        return runtime;
    }
    const std::string folder = "/tmp/vcom-" + std::to_string(::geteuid());
    if (::mkdir(folder.c_str(), 0700) == 0) {
        ::chmod(folder.c_str(), 0700);  // whatever the umask took away
    } else if (errno != EEXIST) {
        return {};
    }
    return IsUsableFolder(folder) ? folder : std::string();
}

std::string SocketFileName(const std::string& pipeName) {
    std::string file = "vcom-pipe-";
    for (size_t i = 2; i < pipeName.size(); ++i) {  // past the two leading backslashes
        const auto c = static_cast<unsigned char>(pipeName[i]);
        if (c == '\\') {
            file += '+';
        } else if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '.' || c == '-' || c == '_') {
            file += static_cast<char>(c);
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            file += escaped;
        }
    }
    return file;
}

}  // namespace

bool IsPrivateFolder(const struct stat& status, uid_t user) {
    return S_ISDIR(status.st_mode) && status.st_uid == user && (status.st_mode & 0777) == 0700;
}

std::string SocketPath(const std::string& pipeName) {
    const std::string folder = RuntimeFolder();
    if (folder.empty()) {
        return {};
    }
    const std::string path = folder + "/" + SocketFileName(pipeName);
    // A socket address holds a path of 107 bytes at most.
    if (path.size() >= sizeof(sockaddr_un::sun_path)) {
        VcomTrace("(CPipeLayer1)  error: pipe name too long\n");
        return {};
    }
    return path;
}

}  // namespace pipe_path
