// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The contents of a new database. Both routines write only the bytes that
// make up the defaults and leave every other byte as it was.

#include <cstddef>

#include "model/ConfigImage.h"

void SetImageDefaults(ConfigImage& image);

// The defaults of one channel record (index 0..3); the channel number plays no part.
void SetChannelDefaults(ConfigImage& image, std::size_t channelIndex);
