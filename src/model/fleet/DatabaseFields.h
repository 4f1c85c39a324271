#pragma once
// Every field of a database by name, with its value as a technician reads it:
// list texts, hertz, milliseconds, labels. Dump, diff and the compare window
// all read this one catalogue, so they cannot disagree.
//
// A path names a field the way a JSON document would hold it:
// "channels[1].frequencies[3].label". The list tables list only their
// records in use, in record order.

#include <string>
#include <vector>

#include "model/ConfigImage.h"
#include "model/fleet/DatabaseField.h"

std::vector<DatabaseField> DatabaseFields(const ConfigImage& image);

// A field whose value differs; a field that only one side has is "(none)" on the other.
struct FieldDifference {
    std::string path;
    std::string ours;
    std::string theirs;
};
inline constexpr const char* kNoField = "(none)";

std::vector<FieldDifference> CompareDatabases(const ConfigImage& ours, const ConfigImage& theirs);

// How many bytes differ that lie outside every field the layout declares: the
// reserved areas, the gaps inside records, the paging format bytes no base
// format uses. No field difference can show them.
std::size_t CountUnnamedByteDifferences(const ConfigImage& ours, const ConfigImage& theirs);
