// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "DesksetSimOptions.h"

// The simulator's command line:
//   torvo-deskset-sim [--pty | --device PATH | --tcp [HOST:]PORT] [--link NAME] [--image FILE]
//                     [--save FILE] [--database-version TEXT] [--hardware N]
//                     [--fail-download] [--fail-upload] [--silent]
//                     [--answer-limit N] [--baud N]
struct SimCommandLine {
    DesksetSimOptions options;
    std::string devicePath;  // empty: a new pty
    std::string tcpAddress;  // "[HOST:]PORT" to listen on; empty: a serial line
                             // (an IPv6 HOST in brackets: "[::1]:4001")
    bool help = false;
    bool version = false;  // print the program's version
    std::string error;  // set when the line could not be understood

    static SimCommandLine Parse(const std::vector<std::string>& arguments);
    static const char* Usage();
    // Splits a --tcp value: HOST 127.0.0.1 when only PORT is given. Empty
    // when it can be listened on, otherwise why not.
    static std::string SplitListenAddress(const std::string& text, std::string& host, int& port);
};
