#pragma once
// The field catalogue as one JSON document: each path's dots and brackets
// become nested objects and arrays, numbers stay numbers.

#include <QJsonObject>
#include <vector>

#include "config/fleet/DatabaseFields.h"

QJsonObject FieldsAsJson(const std::vector<DatabaseField>& fields);
