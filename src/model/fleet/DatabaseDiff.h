// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Two databases compared record by record, as a technician reads them: the
// records of the paging format, speed page and alias tables matched by
// label, the custom tones by number, and everything named as the windows
// name it ("Channel 1", "Key 3", Speed page "FIRE"). Diff and the Compare
// window both show these.

#include <string>
#include <vector>

#include "model/ConfigImage.h"

struct FieldDifference {
    enum class Kind { Changed, Added, Removed };
    Kind kind = Kind::Changed;
    std::string record;  // "Channel 2", "Speed page \"FIRE\"", "Custom tone 7"
    std::string field;   // within the record, as dump names it; empty for a whole record
    std::string ours;    // a removed record: its fields, "digits 123, paging_format MOTO"
    std::string theirs;  // an added record: its fields
};
inline constexpr const char* kNoField = "(none)";

std::vector<FieldDifference> CompareDatabases(const ConfigImage& ours, const ConfigImage& theirs);

// One line of diff: "Channel 2: frequencies[0].label: Freq 1 -> ENGINE",
// "Speed page \"FIRE\": added: paging_format MOTO, digits 123".
std::string DescribeDifference(const FieldDifference& difference);

// Every line diff prints: each difference described, then, when bytes no
// field names differ, "bytes outside the named fields that differ: N".
// Empty when the databases are alike byte for byte.
std::vector<std::string> DescribeDifferences(const ConfigImage& ours, const ConfigImage& theirs);
