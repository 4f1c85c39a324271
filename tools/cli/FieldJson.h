#pragma once
// The field catalogue as one JSON document: each path's dots and brackets
// become nested objects and arrays, numbers stay numbers.

#include <vector>

#include "JsonValue.h"
#include "model/fleet/DatabaseFields.h"

JsonValue FieldsAsJson(const std::vector<DatabaseField>& fields);
