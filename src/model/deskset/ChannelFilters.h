// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The filters of the channel pages' restricted edits.

#include <string>
#include <string_view>

// The set a signaling option allows in the deskset ID; empty when the ID is not filtered.
std::string_view DesksetIdCharset(int option);
// The deskset ID as its edit keeps it: upper case, cut by the option's set.
std::string FilterDesksetId(std::string_view text, int option);
// The default RAC as its edit keeps it: upper case, cut at the first non-hexadecimal digit.
std::string FilterRac(std::string_view text);
