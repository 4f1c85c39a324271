// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

// Where a named pipe's socket file goes on Linux (see CPipeLayer1): a folder
// of the user's own that nobody else may enter.
namespace pipe_path {

// A folder the socket files may go in: a directory (not a link to one) of
// the user's own, with mode 0700.
bool IsPrivateFolder(const struct stat& status, uid_t user);
// The socket file for a pipe name; empty when there is no private folder for
// it or the path would be too long for a socket address.
std::string SocketPath(const std::string& pipeName);

}  // namespace pipe_path
