// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/ChannelFilters.h"

#include "model/deskset/ChannelCodes.h"
#include "model/editing/CharFilter.h"

std::string_view DesksetIdCharset(int option) {
    switch (option) {
        case channel_codes::kOptionStatAlert:
            return charsets::kHex;
        case channel_codes::kOptionDtmfSelectiveCall:
            return charsets::kDtmf;
        default:
            return {};
    }
}

std::string FilterDesksetId(std::string_view text, int option) {
    const std::string_view allowed = DesksetIdCharset(option);
    const std::string upper = ToUpperAscii(text);
    return allowed.empty() ? upper : CutAtFirstOutside(upper, allowed);
}

std::string FilterRac(std::string_view text) {
    return CutAtFirstOutside(ToUpperAscii(text), charsets::kHex);
}
