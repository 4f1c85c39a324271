#pragma once
// Setting fields by path from a script: each value is read and checked by the
// rules of the editor that owns the field, and the database changes only when
// every assignment passed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigImage.h"

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

// "PATH=VALUE" split at the first '='; none without one.
std::optional<FieldAssignment> ParseAssignment(std::string_view text);
