// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way torvo-cli reads a command's words: options with a value
// ("--port COM1"), flags ("--force"), --help anywhere, and the rest in order.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

struct ParsedArgs {
    std::map<std::string, std::string> values;
    std::set<std::string> flags;
    std::vector<std::string> words;
    bool help = false;
    std::string error;  // the first thing that could not be read
};

// An option's value as a whole number from low to high (digits only, at most
// high's digits), or nothing when it is anything else.
std::optional<int> WholeNumber(const std::string& text, int low, int high);

ParsedArgs ParseCommandLine(const std::vector<std::string>& args,
                            const std::set<std::string>& valueOptions,
                            const std::set<std::string>& flagOptions);
