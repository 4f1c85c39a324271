// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fleet/DatabaseDiff.h"

#include <algorithm>
#include <map>

#include "model/fleet/DatabaseFields.h"
#include "model/fleet/ListTableFields.h"

namespace {

// The fields of one record, by their names within it.
struct Record {
    std::string name;  // as the windows name it
    std::vector<std::pair<std::string, std::string>> fields;
};

struct Table {
    std::string path;  // "speed_pages"; empty for the records outside the list tables
    std::vector<Record> records;
};

// How the windows name the record a path lies in, and how much of the path
// names the record.
std::pair<std::string, std::size_t> RecordOf(const std::string& path) {
    const std::size_t open = path.find('[');
    const std::size_t dot = path.find('.');
    if (open == std::string::npos || dot < open) {
        return {"Deskset settings", dot};
    }
    const std::size_t close = path.find(']');
    const int number = std::stoi(path.substr(open + 1, close - open - 1)) + 1;
    const std::string area = path.substr(0, open);
    return {(area == "channels" ? "Channel " : "Key ") + std::to_string(number), close + 1};
}

// A list table's record named by its key: its label, or a tone's number.
std::string KeyedName(const std::string& table, const Record& record) {
    const auto field = [&record](const std::string& name) {
        for (const auto& [field, value] : record.fields) {
            if (field == name) {
                return value;
            }
        }
        return std::string();
    };
    if (table == "custom_tones") {
        return "Custom tone " + field("number");
    }
    const std::string kind = table == "paging_formats" ? "Paging format"
                             : table == "speed_pages"  ? "Speed page"
                                                       : "PTT ID alias";
    return kind + " \"" + field("label") + "\"";
}

// The fields of a database, gathered into records.
std::vector<Table> Tables(const ConfigImage& image) {
    std::vector<Table> tables(1);
    std::string lastRecord;
    for (const DatabaseField& field : DatabaseFields(image)) {
        std::string table;
        for (const ListTable list : kListTables) {
            if (field.path.starts_with(std::string(InfoOf(list).path) + "[")) {
                table = InfoOf(list).path;
            }
        }
        if (tables.back().path != table) {
            tables.push_back({table, {}});
        }
        const std::size_t end = table.empty() ? RecordOf(field.path).second : field.path.find('.');
        const std::string recordPath = field.path.substr(0, end);
        if (recordPath != lastRecord || tables.back().records.empty()) {
            tables.back().records.push_back(
                {table.empty() ? RecordOf(field.path).first : std::string(), {}});
            lastRecord = recordPath;
        }
        tables.back().records.back().fields.emplace_back(field.path.substr(end + 1), field.value);
    }
    for (Table& table : tables) {
        for (Record& record : table.records) {
            if (!table.path.empty()) {
                record.name = KeyedName(table.path, record);
            }
        }
    }
    return tables;
}

std::string FieldsText(const Record& record) {
    std::string text;
    for (const auto& [field, value] : record.fields) {
        if (field != "label" && field != "number") {
            text += (text.empty() ? "" : ", ") + field + " " + value;
        }
    }
    return text;
}

void CompareRecords(const Record& ours, const Record& theirs,
                    std::vector<FieldDifference>& differences) {
    std::map<std::string, std::string> theirValues(theirs.fields.begin(), theirs.fields.end());
    for (const auto& [field, value] : ours.fields) {
        const auto it = theirValues.find(field);
        const std::string other = it == theirValues.end() ? kNoField : it->second;
        if (other != value) {
            differences.push_back({FieldDifference::Kind::Changed, ours.name, field, value, other});
        }
        if (it != theirValues.end()) {
            theirValues.erase(it);
        }
    }
    // What only the other record holds (another signaling option's data), in its order.
    for (const auto& [field, value] : theirs.fields) {
        if (theirValues.contains(field)) {
            differences.push_back(
                {FieldDifference::Kind::Changed, ours.name, field, kNoField, value});
        }
    }
}

}  // namespace

std::vector<FieldDifference> CompareDatabases(const ConfigImage& ours, const ConfigImage& theirs) {
    std::vector<FieldDifference> differences;
    std::vector<Table> theirTables = Tables(theirs);
    for (const Table& table : Tables(ours)) {
        auto other = std::find_if(theirTables.begin(), theirTables.end(),
                                  [&table](const Table& t) { return t.path == table.path; });
        std::vector<Record> theirRecords =
            other == theirTables.end() ? std::vector<Record>{} : std::move(other->records);
        for (const Record& record : table.records) {
            // The fixed records pair up by place, the list tables' by their key.
            const auto match =
                std::find_if(theirRecords.begin(), theirRecords.end(),
                             [&record](const Record& r) { return r.name == record.name; });
            if (match == theirRecords.end()) {
                differences.push_back({FieldDifference::Kind::Removed,
                                       record.name,
                                       {},
                                       FieldsText(record),
                                       kNoField});
                continue;
            }
            CompareRecords(record, *match, differences);
            theirRecords.erase(match);
        }
        for (const Record& record : theirRecords) {
            differences.push_back(
                {FieldDifference::Kind::Added, record.name, {}, kNoField, FieldsText(record)});
        }
        if (other != theirTables.end()) {
            theirTables.erase(other);
        }
    }
    // Tables only the other database has records in.
    for (const Table& table : theirTables) {
        for (const Record& record : table.records) {
            differences.push_back(
                {FieldDifference::Kind::Added, record.name, {}, kNoField, FieldsText(record)});
        }
    }
    return differences;
}

std::string DescribeDifference(const FieldDifference& difference) {
    switch (difference.kind) {
        case FieldDifference::Kind::Added:
            return difference.record + ": added: " + difference.theirs;
        case FieldDifference::Kind::Removed:
            return difference.record + ": removed: " + difference.ours;
        case FieldDifference::Kind::Changed:
            break;
    }
    return difference.record + ": " + difference.field + ": " + difference.ours + " -> " +
           difference.theirs;
}

std::vector<std::string> DescribeDifferences(const ConfigImage& ours, const ConfigImage& theirs) {
    std::vector<std::string> lines;
    for (const FieldDifference& difference : CompareDatabases(ours, theirs)) {
        lines.push_back(DescribeDifference(difference));
    }
    // Bytes no field covers still reach the deskset: files that differ there are not alike.
    if (const std::size_t unnamed = CountUnnamedByteDifferences(ours, theirs); unnamed > 0) {
        lines.push_back("bytes outside the named fields that differ: " + std::to_string(unnamed));
    }
    return lines;
}
