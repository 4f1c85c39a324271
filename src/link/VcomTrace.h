// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string_view>

// Debug traces of the link stack. Each text starts with the reporting class or
// operation in parentheses, e.g. "(Vcom::Connect)  error: unknown Layer1\n".
using VcomTraceSink = std::function<void(std::string_view text)>;

// Replaces the sink; an empty function restores the default. The default writes
// to standard error only when the environment variable VCOM_TRACE is set.
void SetVcomTraceSink(VcomTraceSink sink);
void VcomTrace(std::string_view text);
