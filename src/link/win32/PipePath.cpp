// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/win32/PipePath.h"

#include <cctype>

namespace pipe_path {

namespace {

bool StartsWithPipeFolder(const std::string& text, size_t at) {
    static constexpr char kFolder[] = "\\pipe\\";
    if (text.size() <= at + sizeof kFolder - 1) {
        return false;  // nothing after the folder
    }
    for (size_t i = 0; i < sizeof kFolder - 1; ++i) {
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != kFolder[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string PipePath(const std::string& pipeName) {
    if (pipeName.size() < 2) {
        return {};
    }
    const size_t serverEnd = pipeName.find('\\', 2);
    if (serverEnd != std::string::npos && serverEnd > 2 &&
        StartsWithPipeFolder(pipeName, serverEnd)) {
        return pipeName;  // "\\server\pipe\name" already
    }
    return "\\\\.\\pipe\\" + pipeName.substr(2);
}

}  // namespace pipe_path
