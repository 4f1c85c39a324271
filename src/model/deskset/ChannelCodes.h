// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The codes of a channel record's keying and signaling option bytes, and which
// layout the signaling option data holds.

#include <cstdint>

namespace channel_codes {

// Channel keying (and the index of its radio button).
inline constexpr int kKeyingTone = 0;
inline constexpr int kKeyingDc = 1;
inline constexpr int kKeyingNone = 2;
inline constexpr int kKeyingCount = 3;

// Signaling option (and the index of its radio button).
inline constexpr int kOptionNone = 0;
inline constexpr int kOptionStatAlert = 1;
inline constexpr int kOptionDtmfDecode = 2;
inline constexpr int kOptionDtmfSelectiveCall = 3;
inline constexpr int kOptionCount = 4;

// A stored byte as a radio index: -1 when no radio button stands for it.
inline int RadioIndex(std::uint8_t code, int count) {
    return code < count ? code : -1;
}

enum class OptionLayout { None, Dtmf, StatAlert };

// The layout of the signaling option data follows the stored signaling option.
inline OptionLayout LayoutOfOption(std::uint8_t storedOption) {
    switch (storedOption) {
        case kOptionStatAlert:
            return OptionLayout::StatAlert;
        case kOptionDtmfDecode:
        case kOptionDtmfSelectiveCall:
            return OptionLayout::Dtmf;
        default:
            return OptionLayout::None;
    }
}

// The deskset ID is used by stat alert and DTMF selective call only.
inline bool UsesDesksetId(int option) {
    return option == kOptionStatAlert || option == kOptionDtmfSelectiveCall;
}

}  // namespace channel_codes
