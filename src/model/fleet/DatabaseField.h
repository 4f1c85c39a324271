// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One field of a database by its path, with its value as a technician reads it.

#include <string>

struct DatabaseField {
    std::string path;
    std::string value;
    bool number = false;  // the value is a decimal number (JSON writes it as one)
};
