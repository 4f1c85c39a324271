// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every field of a database by name, with its value as a technician reads it:
// list texts, hertz, milliseconds, labels. Dump, get, diff and the compare
// window all read this one catalogue, so they cannot disagree.
//
// A path names a field the way a JSON document would hold it:
// "channels[1].frequencies[3].label". The list tables list only their
// records in use, in record order.

#include <string>
#include <vector>

#include "model/ConfigImage.h"
#include "model/fleet/DatabaseField.h"

std::vector<DatabaseField> DatabaseFields(const ConfigImage& image);

// How many bytes differ that lie outside every field the layout declares: the
// reserved areas, the gaps inside records, the paging format bytes no base
// format uses. No field difference can show them.
std::size_t CountUnnamedByteDifferences(const ConfigImage& ours, const ConfigImage& theirs);
