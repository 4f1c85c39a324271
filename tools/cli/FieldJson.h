// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The field catalogue as one JSON document: each path's dots and brackets
// become nested objects and arrays, numbers stay numbers. And back: a whole
// or partial document as the changes it asks for.

#include <vector>

#include "JsonValue.h"
#include "model/fleet/DatabaseFields.h"
#include "model/fleet/FieldAssignments.h"

JsonValue FieldsAsJson(const std::vector<DatabaseField>& fields);

// The list tables' arrays become whole tables, every other value a field by
// its path. A value that is no field's ("path: ...") is added to refusals.
DatabaseChanges ChangesOfJson(const JsonValue& root, std::vector<std::string>& refusals);
