// SPDX-License-Identifier: GPL-3.0-or-later
// torvo-cli's commands that read and change databases without a deskset:
// dump, diff, export and import.

#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "CommandLine.h"
#include "DatabaseCommandHelp.h"
#include "FieldJson.h"
#include "Latin1Text.h"
#include "TorvoCli.h"
#include "model/DatabaseFile.h"
#include "model/fleet/DatabaseDiff.h"
#include "model/fleet/DatabaseFields.h"
#include "model/fleet/FieldAssignments.h"
#include "model/fleet/TableCsv.h"

namespace {

// Image texts are single-byte characters; the shell gets UTF-8.
std::string Utf8(const std::string& latin1) {
    return Utf8FromLatin1(latin1);
}

// UTF-8 text as single-byte characters, with the lines holding a character
// that has none.
std::string Latin1(const std::string& utf8, std::vector<std::string>& refusals) {
    std::string latin1;
    int line = 1;
    int refusedLine = 0;
    for (const char32_t ch : DecodeUtf8(utf8)) {
        if (ch > 0xFF && refusedLine != line) {
            refusedLine = line;
            refusals.push_back("line " + std::to_string(line) +
                               ": a character has no single-byte form.");
        }
        line += ch == '\n' ? 1 : 0;
        latin1 += ch > 0xFF ? '?' : static_cast<char>(ch);
    }
    return latin1;
}

}  // namespace

int TorvoCli::Dump(const ParsedArgs& parsed) {
    if (parsed.words.size() != 1) {
        return UsageError("dump takes exactly one FILE", kDumpHelp);
    }
    ConfigImage image;
    if (!ReadDatabase(parsed.words.front(), image)) {
        return kFailure;
    }
    const auto fields = DatabaseFields(image);
    if (parsed.flags.contains("--json")) {
        m_out << FieldsAsJson(fields).ToJson();
        return kSuccess;
    }
    for (const DatabaseField& field : fields) {
        m_out << field.path << " = " << Utf8(field.value) << "\n";
    }
    return kSuccess;
}

int TorvoCli::Get(const ParsedArgs& parsed) {
    if (parsed.words.size() < 2) {
        return UsageError("get takes a FILE and at least one PATH", kGetHelp);
    }
    ConfigImage image;
    if (!ReadDatabase(parsed.words.front(), image)) {
        return kFailure;
    }
    const auto fields = DatabaseFields(image);
    int status = kSuccess;
    for (auto path = parsed.words.begin() + 1; path != parsed.words.end(); ++path) {
        const auto exact = std::find_if(fields.begin(), fields.end(),
                                        [&path](const auto& field) { return field.path == *path; });
        if (exact != fields.end()) {
            m_out << Utf8(exact->value) << "\n";
            continue;
        }
        bool any = false;
        for (const DatabaseField& field : fields) {
            const bool inGroup =
                field.path.starts_with(*path + ".") || field.path.starts_with(*path + "[");
            if (inGroup) {
                m_out << field.path << " = " << Utf8(field.value) << "\n";
                any = true;
            }
        }
        if (!any) {
            m_err << *path << ": no such field in " << parsed.words.front() << ".\n";
            status = kFailure;
        }
    }
    return status;
}

int TorvoCli::Set(const ParsedArgs& parsed) {
    if (parsed.words.size() < 2) {
        return UsageError("set takes a FILE and at least one PATH=VALUE", kSetHelp);
    }
    std::vector<FieldAssignment> assignments;
    std::vector<std::string> refusals;
    for (auto word = parsed.words.begin() + 1; word != parsed.words.end(); ++word) {
        auto assignment = ParseAssignment(*word);
        if (!assignment) {
            return UsageError("'" + *word + "' is not PATH=VALUE", kSetHelp);
        }
        if (auto latin1 = Latin1FromUtf8(assignment->value)) {
            assignment->value = std::move(*latin1);
        } else {
            refusals.push_back(assignment->path + ": a character has no single-byte form.");
        }
        assignments.push_back(std::move(*assignment));
    }
    const std::string& path = parsed.words.front();
    ConfigImage image;
    if (!ReadDatabase(path, image)) {
        return kFailure;
    }
    if (refusals.empty()) {
        refusals = AssignFields(image, assignments);
    }
    return WriteChecked(path, image, refusals);
}

bool TorvoCli::ReadTextFile(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        m_err << path << ": the file cannot be read.\n";
        return false;
    }
    text.assign(std::istreambuf_iterator<char>(file), {});
    return true;
}

int TorvoCli::WriteChecked(const std::string& path, const ConfigImage& image,
                           const std::vector<std::string>& refusals) {
    for (const std::string& refusal : refusals) {
        m_err << Utf8(refusal) << "\n";
    }
    if (!refusals.empty()) {
        return kFailure;
    }
    if (const FileResult written = WriteDatabaseFile(path, image); !written.Ok()) {
        m_err << written.message << "\n";
        return kFailure;
    }
    return kSuccess;
}

int TorvoCli::Apply(const ParsedArgs& parsed) {
    if (parsed.words.size() != 2) {
        return UsageError("apply takes a FILE and a JSON file", kApplyHelp);
    }
    const std::string& path = parsed.words[0];
    const std::string& jsonPath = parsed.words[1];
    ConfigImage image;
    if (!ReadDatabase(path, image)) {
        return kFailure;
    }
    std::string text;
    if (!ReadTextFile(jsonPath, text)) {
        return kFailure;
    }
    std::string error;
    const JsonValue document = JsonValue::Parse(text, error);
    if (!error.empty()) {
        m_err << jsonPath << ": " << error << "\n";
        return kFailure;
    }
    std::vector<std::string> refusals;
    const DatabaseChanges changes = ChangesOfJson(document, refusals);
    if (refusals.empty()) {
        refusals = ApplyChanges(image, changes);
    }
    return WriteChecked(path, image, refusals);
}

int TorvoCli::Diff(const ParsedArgs& parsed) {
    if (parsed.words.size() != 2) {
        return UsageError("diff takes two FILEs", kDiffHelp);
    }
    ConfigImage ours;
    ConfigImage theirs;
    if (!ReadDatabase(parsed.words[0], ours) || !ReadDatabase(parsed.words[1], theirs)) {
        return kUsageError;  // as diff(1): trouble is 2
    }
    const auto differences = DescribeDifferences(ours, theirs);
    for (const std::string& difference : differences) {
        m_out << Utf8(difference) << "\n";
    }
    return differences.empty() ? kSuccess : kFailure;
}

int TorvoCli::Export(const ParsedArgs& parsed) {
    const auto table = parsed.words.size() == 2 ? CsvTableNamed(parsed.words[0]) : std::nullopt;
    if (!table) {
        return UsageError("export takes a TABLE and one FILE", kExportHelp);
    }
    ConfigImage image;
    if (!ReadDatabase(parsed.words[1], image)) {
        return kFailure;
    }
    m_out << Utf8(ExportTable(image, *table));
    return kSuccess;
}

int TorvoCli::Import(const ParsedArgs& parsed) {
    const auto table = parsed.words.size() == 3 ? CsvTableNamed(parsed.words[0]) : std::nullopt;
    if (!table) {
        return UsageError("import takes a TABLE, a FILE and a CSV file", kImportHelp);
    }
    const std::string& path = parsed.words[1];
    const std::string& csvPath = parsed.words[2];
    ConfigImage image;
    if (!ReadDatabase(path, image)) {
        return kFailure;
    }
    std::string utf8;
    if (!ReadTextFile(csvPath, utf8)) {
        return kFailure;
    }
    std::vector<std::string> refusals;
    const std::string csv = Latin1(utf8, refusals);
    // The rows go into a copy: the file changes only when every row passed.
    ConfigImage imported = image;
    if (refusals.empty()) {
        refusals = ImportTable(imported, *table, csv);
    }
    return WriteChecked(path, imported, refusals);
}
