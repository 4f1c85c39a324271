// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The speed pages, the PTT ID aliases and the custom paging tones as CSV: an
// export with a header row, and an import that replaces the table with the
// rows through the editors' own load, checks and write, so the table rules
// hold as they do in the dialogs (sorted, compact, unique labels and IDs).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/ConfigImage.h"
#include "model/fleet/ListTableFields.h"

// "speed-pages", "aliases" or "custom-tones".
std::optional<ListTable> CsvTableNamed(std::string_view name);

// The columns are the table's fields as dump names them.
std::string ExportTable(const ConfigImage& image, ListTable table);

// Replaces the table in image with the rows of csv. Returns every refusal,
// "line N: message" for a row, "Key N: ..." for a Speed Page key whose speed
// page is not among the rows. When anything is refused the image is left
// half-written: import into a copy and keep it only on success.
std::vector<std::string> ImportTable(ConfigImage& image, ListTable table, std::string_view csv);
