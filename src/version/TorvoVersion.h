// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The version of this build, as every program shows it: "1.0.0+g1bb8619".

const char* TorvoVersion();
