// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Setting fields by path from a script: each value is read and checked by the
// rules of the editor that owns the field, and the database changes only when
// every assignment passed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigImage.h"
#include "model/fleet/ListTableFields.h"

struct FieldAssignment {
    std::string path;   // as dump names it: "channels[0].hangover_delay_ms"
    std::string value;  // as dump shows it, in single-byte characters
};

// Applies the assignments in order to image. The refusals come back as
// "path: message", and then image is as it was. Setting deskset.type does
// what the deskset settings window does after its question: a single-channel
// deskset's channels 2 to 4 and its multi-channel keys go back to their defaults.
std::vector<std::string> AssignFields(ConfigImage& image,
                                      const std::vector<FieldAssignment>& assignments);

// A whole or partial database by its fields, as a dump document holds it.
struct DatabaseChanges {
    // List tables given whole, each record's fields by name; where[k] names
    // record k in a refusal ("speed_pages[3]").
    struct Table {
        ListTable table;
        std::vector<FieldValues> records;
    };
    std::vector<Table> tables;
    std::vector<FieldAssignment> fields;  // the deskset, the channels, the keys
};

// Replaces the tables given (paging formats before the speed pages that are
// sent with them), then sets the fields: the deskset type and each channel's
// signaling option before the rest, and when every key is given, the keys
// from Not Defined. All or nothing, as AssignFields.
std::vector<std::string> ApplyChanges(ConfigImage& image, const DatabaseChanges& changes);

// "PATH=VALUE" split at the first '='; none without one.
std::optional<FieldAssignment> ParseAssignment(std::string_view text);
