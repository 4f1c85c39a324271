// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The 16384 bytes of a new database, as the program's New command makes them.
std::vector<uint8_t> DefaultImage();

// Reads a database file of exactly 16384 bytes; false (with a message) otherwise.
bool ReadImageFile(const std::string& path, std::vector<uint8_t>& image, std::string& error);

// Writes the database atomically: a reader never sees half a file.
bool WriteImageFile(const std::string& path, const std::vector<uint8_t>& image, std::string& error);
