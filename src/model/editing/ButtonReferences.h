// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keys that refer to list records: a Manual Page key holds a paging
// format's record index + 1, a Speed Page key a speed page's record index + 1.

#include <cstddef>

#include "model/ButtonTable.h"
#include "model/editing/RecordMoves.h"

// True when a key of the kind holds record index + 1.
bool KeyRefersTo(const ConfigImage& image, ButtonKind kind, std::size_t record);

// Makes the keys of the kind follow their records after a move or a compaction
// of a table of tableCount records. A value that names no record of the table
// (255 for none among them) is left alone; only a changed value is written.
void RenumberKeys(ConfigImage& image, ButtonKind kind, std::size_t tableCount,
                  const RecordMoves& moves);

// The speed page table moves its records; its keys follow.
void RenumberSpeedPageKeys(ConfigImage& image, const RecordMoves& moves);
