// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include <algorithm>

std::optional<int> WholeNumber(const std::string& text, int low, int high) {
    if (text.empty() || text.size() > std::to_string(high).size() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    const int number = std::stoi(text);
    return number >= low && number <= high ? std::optional(number) : std::nullopt;
}

ParsedArgs ParseCommandLine(const std::vector<std::string>& args,
                            const std::set<std::string>& valueOptions,
                            const std::set<std::string>& flagOptions) {
    ParsedArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (valueOptions.contains(arg)) {
            if (i + 1 == args.size()) {
                parsed.error = "option '" + arg + "' needs a value";
                return parsed;
            }
            parsed.values[arg] = args[++i];
        } else if (flagOptions.contains(arg)) {
            parsed.flags.insert(arg);
        } else if (arg.size() > 1 && arg[0] == '-') {
            parsed.error = "unknown option '" + arg + "'";
            return parsed;
        } else {
            parsed.words.push_back(arg);
        }
    }
    return parsed;
}
