// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fleet's inventory: a CSV file with a header row naming the columns
// name, port and database, and any more columns each named by a field path
// (as get and set name fields). Each row is one deskset; a cell under a field
// path sets that field in the unit's own copy of its database, by set's rules.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigImage.h"

struct FleetUnit {
    std::size_t line = 0;  // the row's line in the inventory
    std::string name;      // also its file name: DIR/<name>.ddb, DIR/<name>.trace
    std::string port;      // as written
    std::string device;    // what the port stands for
    ConfigImage image;     // its database with its overrides (for an upload)
};

struct FleetInventory {
    std::vector<FleetUnit> units;
    std::vector<std::string> errors;  // "line N: ..."; any error and nothing may be sent
};

enum class FleetUse { Upload, Download };

struct InventorySource {
    std::string text;    // the file's UTF-8 text
    std::string folder;  // relative database paths are read from here
    // The device a port stands for, or empty when the port is no port.
    std::function<std::string(const std::string& port)> deviceOf;
};

// Checks every row before any unit is touched: the header, a name that can be
// a file name and is used once (letter case aside), a port used once (by its
// device), and for an upload a database that opens and overrides that set
// accepts. A download reads only the names and the ports.
FleetInventory ReadFleetInventory(const InventorySource& source, FleetUse use);

// Why name cannot name a unit's files, or empty.
std::string UnitNameProblem(std::string_view name);
