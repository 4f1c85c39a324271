#include "config/deskset/CharFilter.h"

#include "config/deskset/ChannelCodes.h"

std::string CutAtFirstOutside(std::string_view text, std::string_view allowed) {
    const std::size_t cut = text.find_first_not_of(allowed);
    return std::string(text.substr(0, cut));
}

bool AllWithin(std::string_view text, std::string_view allowed) {
    return text.find_first_not_of(allowed) == std::string_view::npos;
}

std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

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
