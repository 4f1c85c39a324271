// SPDX-License-Identifier: GPL-3.0-or-later
#include "FleetReport.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "JsonValue.h"
#include "version/TorvoVersion.h"

namespace {

constexpr std::array kOutcomes = {UnitOutcome::Ok, UnitOutcome::Failed, UnitOutcome::Interrupted,
                                  UnitOutcome::NotStarted};

std::string Seconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", seconds);
    return text;
}

// A message of several lines on one line of the table.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) {
        line += c == '\n' ? std::string("; ") : std::string(1, c);
    }
    return line;
}

JsonValue UnitJson(const UnitResult& unit, const std::string& command) {
    JsonValue json;
    json["name"] = JsonValue::String(unit.name);
    json["port"] = JsonValue::String(unit.port);
    json["outcome"] = JsonValue::String(OutcomeName(unit.outcome));
    json["message"] = JsonValue::String(unit.message);
    json["seconds"] = JsonValue::NumberText(Seconds(unit.seconds));
    if (command == "upload") {
        json["backup"] = JsonValue::String(unit.backup);
        json["verified"] = JsonValue::Boolean(unit.verified);
    } else {
        json["file"] = JsonValue::String(unit.file);
    }
    if (unit.differences) {
        JsonValue& differences = json["differences"] = JsonValue::Array();
        for (std::size_t k = 0; k < unit.differences->size(); ++k) {
            differences.At(k) = JsonValue::String((*unit.differences)[k]);
        }
    }
    return json;
}

}  // namespace

const char* OutcomeName(UnitOutcome outcome) {
    switch (outcome) {
        case UnitOutcome::Ok:
            return "ok";
        case UnitOutcome::Failed:
            return "failed";
        case UnitOutcome::Interrupted:
            return "interrupted";
        case UnitOutcome::NotStarted:
            break;
    }
    return "not started";
}

bool FleetReport::AllOk() const {
    return std::all_of(units.begin(), units.end(),
                       [](const UnitResult& unit) { return unit.outcome == UnitOutcome::Ok; });
}

std::string FleetReport::ToJson() const {
    JsonValue root;
    root["command"] = JsonValue::String(command);
    root["torvo_version"] = JsonValue::String(TorvoVersion());
    root["inventory"] = JsonValue::String(inventory);
    JsonValue& list = root["units"] = JsonValue::Array();
    for (std::size_t k = 0; k < units.size(); ++k) {
        list.At(k) = UnitJson(units[k], command);
    }
    return root.ToJson();
}

std::string FleetReport::Table() const {
    std::vector<std::array<std::string, 5>> rows = {
        {"NAME", "PORT", "OUTCOME", "SECONDS", "MESSAGE"}};
    for (const UnitResult& unit : units) {
        rows.push_back({unit.name, unit.port, OutcomeName(unit.outcome), Seconds(unit.seconds),
                        OneLine(unit.message)});
    }
    std::array<std::size_t, 4> widths{};
    for (const auto& row : rows) {
        for (std::size_t column = 0; column < widths.size(); ++column) {
            widths[column] = std::max(widths[column], row[column].size());
        }
    }
    std::string table;
    for (const auto& row : rows) {
        std::string line;
        for (std::size_t column = 0; column < widths.size(); ++column) {
            // The seconds stand right-aligned, the texts left-aligned.
            const std::string pad(widths[column] - row[column].size(), ' ');
            line += column == 3 ? pad + row[column] : row[column] + pad;
            line += "  ";
        }
        line += row[4];
        table += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
    }
    return table;
}

namespace {

std::string TextOf(const JsonValue& object, std::string_view key) {
    const JsonValue* value = object.Find(key);
    return value == nullptr ? std::string() : value->Text();
}

std::optional<UnitResult> UnitOfJson(const JsonValue& json) {
    UnitResult unit;
    unit.name = TextOf(json, "name");
    unit.port = TextOf(json, "port");
    const std::string outcome = TextOf(json, "outcome");
    const auto named = std::find_if(kOutcomes.begin(), kOutcomes.end(),
                                    [&](UnitOutcome o) { return outcome == OutcomeName(o); });
    if (unit.name.empty() || named == kOutcomes.end()) {
        return std::nullopt;
    }
    unit.outcome = *named;
    unit.message = TextOf(json, "message");
    unit.backup = TextOf(json, "backup");
    unit.file = TextOf(json, "file");
    unit.verified = TextOf(json, "verified") == "true";
    unit.seconds = std::atof(TextOf(json, "seconds").c_str());
    if (const JsonValue* differences = json.Find("differences")) {
        unit.differences.emplace();
        for (const JsonValue& item : differences->Items()) {
            unit.differences->push_back(item.Text());
        }
    }
    return unit;
}

}  // namespace

ReportReading ReadFleetReport(const std::string& text) {
    ReportReading reading;
    const JsonValue root = JsonValue::Parse(text, reading.error);
    if (!reading.error.empty()) {
        return reading;
    }
    const JsonValue* units = root.Find("units");
    if (units == nullptr || units->kind() != JsonValue::Kind::Array) {
        reading.error = "not a fleet report: it has no \"units\".";
        return reading;
    }
    reading.report.command = TextOf(root, "command");
    reading.report.inventory = TextOf(root, "inventory");
    for (std::size_t k = 0; k < units->Items().size(); ++k) {
        auto unit = UnitOfJson(units->Items()[k]);
        if (!unit) {
            reading.error = "not a fleet report: units[" + std::to_string(k) +
                            "] needs a \"name\" and an \"outcome\" (ok, failed, interrupted, "
                            "not started).";
            return reading;
        }
        reading.report.units.push_back(std::move(*unit));
    }
    return reading;
}
