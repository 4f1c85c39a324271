// SPDX-License-Identifier: GPL-3.0-or-later
#include "FleetInventory.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "Latin1Text.h"
#include "model/DatabaseFile.h"
#include "model/fleet/CsvText.h"
#include "model/fleet/FieldAssignments.h"

namespace {

constexpr const char* kName = "name";
constexpr const char* kPort = "port";
constexpr const char* kDatabase = "database";
// Characters no file name may hold on either system.
constexpr std::string_view kNotInFileNames = "/\\:*?\"<>|";
constexpr std::size_t kMaxNameLength = 64;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string Line(std::size_t line) {
    return "line " + std::to_string(line) + ": ";
}

std::string Folded(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return folded;
}

class InventoryReader {
public:
    InventoryReader(const InventorySource& source, FleetUse use) : m_source(source), m_use(use) {}

    FleetInventory Read() {
        std::string_view text = m_source.text;
        // Spreadsheets often start a CSV file with a byte order mark; it is no part of the header.
        if (text.starts_with(kByteOrderMark)) {
            text.remove_prefix(kByteOrderMark.size());
        }
        const CsvDocument csv = ReadCsv(text);
        if (!csv.error.empty()) {
            m_inventory.errors.push_back(csv.error);
            return m_inventory;
        }
        // An empty file has a header without columns.
        if (!ReadHeader(csv.rows.empty() ? CsvRow{1, {}} : csv.rows.front())) {
            return m_inventory;
        }
        for (auto row = csv.rows.begin() + 1; row != csv.rows.end(); ++row) {
            ReadUnit(*row);
        }
        if (csv.rows.size() == 1) {
            m_inventory.errors.push_back(Line(1) + "the inventory holds no units.");
        }
        return m_inventory;
    }

private:
    bool ReadHeader(const CsvRow& header) {
        std::map<std::string, std::size_t> seen;
        for (std::size_t column = 0; column < header.fields.size(); ++column) {
            const std::string& title = header.fields[column];
            if (!seen.emplace(title, column).second) {
                Fail(header.line, "the column \"" + title + "\" comes twice.");
            }
        }
        m_columns = header.fields;
        const std::vector<const char*> needed = m_use == FleetUse::Upload
                                                    ? std::vector{kName, kPort, kDatabase}
                                                    : std::vector{kName, kPort};
        for (const char* title : needed) {
            if (!seen.contains(title)) {
                Fail(header.line, std::string("no column \"") + title + "\".");
            }
        }
        return m_inventory.errors.empty();
    }

    void ReadUnit(const CsvRow& row) {
        if (row.fields.size() != m_columns.size()) {
            Fail(row.line, std::to_string(row.fields.size()) + " fields where the header has " +
                               std::to_string(m_columns.size()) + ".");
            return;
        }
        FleetUnit unit;
        unit.line = row.line;
        std::string database;
        std::vector<FieldAssignment> overrides;
        for (std::size_t column = 0; column < m_columns.size(); ++column) {
            const std::string& title = m_columns[column];
            const std::string& cell = row.fields[column];
            if (title == kName) {
                unit.name = cell;
            } else if (title == kPort) {
                unit.port = cell;
            } else if (title == kDatabase) {
                database = cell;
            } else if (!cell.empty()) {
                overrides.push_back({title, cell});
            }
        }
        const bool named = CheckName(unit);
        const bool ported = CheckPort(unit);
        if (m_use == FleetUse::Upload && ReadImage(row.line, database, unit.image)) {
            ApplyOverrides(row.line, overrides, unit.image);
        }
        if (named && ported) {
            m_inventory.units.push_back(std::move(unit));
        }
    }

    bool CheckName(const FleetUnit& unit) {
        if (const std::string problem = UnitNameProblem(unit.name); !problem.empty()) {
            Fail(unit.line, problem);
            return false;
        }
        const auto [known, added] = m_nameLines.emplace(Folded(unit.name), unit.line);
        if (!added) {
            Fail(unit.line, "the name \"" + unit.name + "\" is on line " +
                                std::to_string(known->second) + " already.");
        }
        return added;
    }

    bool CheckPort(FleetUnit& unit) {
        unit.device = unit.port.empty() ? std::string() : m_source.deviceOf(unit.port);
        if (unit.device.empty()) {
            Fail(unit.line, "\"" + unit.port +
                                "\" is no port: a COM port of this computer, a device path or "
                                "tcp:HOST:PORT.");
            return false;
        }
        const auto [known, added] = m_deviceLines.emplace(unit.device, unit.line);
        if (!added) {
            Fail(unit.line, "the port " + unit.port + " is on line " +
                                std::to_string(known->second) + " already.");
        }
        return added;
    }

    // Each database file is read once, however many units share it.
    bool ReadImage(std::size_t line, const std::string& database, ConfigImage& image) {
        if (database.empty()) {
            Fail(line, "no database given.");
            return false;
        }
        std::filesystem::path path(database);
        if (path.is_relative() && !m_source.folder.empty()) {
            path = std::filesystem::path(m_source.folder) / path;
        }
        auto [read, first] = m_databases.try_emplace(path.string());
        if (first) {
            const FileResult result = ReadDatabaseFile(path.string(), read->second.image);
            if (!result.Ok()) {
                read->second.problem = ReadProblem(database, result);
            }
        }
        if (!read->second.problem.empty()) {
            Fail(line, read->second.problem);
            return false;
        }
        image = read->second.image;
        return true;
    }

    void ApplyOverrides(std::size_t line, std::vector<FieldAssignment>& overrides,
                        ConfigImage& image) {
        for (FieldAssignment& assignment : overrides) {
            auto latin1 = Latin1FromUtf8(assignment.value);
            if (!latin1) {
                Fail(line, assignment.path + ": a character has no single-byte form.");
                return;
            }
            assignment.value = std::move(*latin1);
        }
        for (const std::string& refusal : AssignFields(image, overrides)) {
            Fail(line, Utf8FromLatin1(refusal));
        }
    }

    void Fail(std::size_t line, const std::string& message) {
        m_inventory.errors.push_back(Line(line) + message);
    }

    const InventorySource& m_source;
    const FleetUse m_use;
    FleetInventory m_inventory;
    std::vector<std::string> m_columns;
    std::map<std::string, std::size_t> m_nameLines;
    std::map<std::string, std::size_t> m_deviceLines;
    struct DatabaseRead {
        ConfigImage image;
        std::string problem;  // why it does not open, as the path was written; or empty
    };
    std::map<std::string, DatabaseRead> m_databases;
};

}  // namespace

std::string UnitNameProblem(std::string_view name) {
    if (name.empty()) {
        return "no name given.";
    }
    const std::string quoted = "the name \"" + std::string(name) + "\" ";
    if (name.size() > kMaxNameLength) {
        return quoted + "is longer than " + std::to_string(kMaxNameLength) + " characters.";
    }
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](unsigned char c) { return c < 0x20 || c == 0x7F; });
    if (control || name.find_first_of(kNotInFileNames) != std::string_view::npos) {
        return quoted + "cannot be a file name: it holds one of " + std::string(kNotInFileNames) +
               " or a control character.";
    }
    if (name.front() == '.' || name.front() == '-' || name.back() == ' ' || name.back() == '.') {
        return quoted + "cannot be a file name: it starts with . or - or ends with . or a blank.";
    }
    return {};
}

FleetInventory ReadFleetInventory(const InventorySource& source, FleetUse use) {
    return InventoryReader(source, use).Read();
}
