// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Replacing a whole list table, as CSV import and apply do: the old records
// go, each row goes through its editor's dialog fields, checks and write, and
// whatever referred to a record by its place follows it by its label: the
// Speed Page and Manual Page keys, and the speed pages' paging formats.

#include <functional>
#include <string>
#include <vector>

#include "model/ConfigImage.h"
#include "model/fleet/ListTableFields.h"

// Every refusal comes back: a row's prefixed by where(row index) and ": ", a
// reference that lost its record as "Key 7 sends speed page "FIRE", which is
// not in the list." When anything is refused the image is left half-written:
// replace in a copy and keep it only on success.
std::vector<std::string> ReplaceTable(ConfigImage& image, ListTable table,
                                      const std::vector<FieldValues>& rows,
                                      const std::function<std::string(std::size_t)>& where);
