// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A named pipe's name as Windows knows it (see CPipeLayer1).
namespace pipe_path {

// The pipe's name as CreateNamedPipe and CreateFile take it; empty for an
// empty name.
std::string PipePath(const std::string& pipeName);

}  // namespace pipe_path
