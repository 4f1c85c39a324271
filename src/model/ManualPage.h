// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// View of one manual paging format record (index 0..15).

#include "model/RecordView.h"

class ManualPage : public RecordView {
public:
    ManualPage(ConfigImage& image, std::size_t index)
        : RecordView(image, layout::manual_page::kStart, layout::manual_page::kSize,
                     layout::manual_page::kCount, index) {}

    std::string Label() const { return Text(layout::manual_page::kLabel); }
    bool IsFree() const { return U8(layout::manual_page::kLabel) == 0; }
    std::uint8_t BaseFormat() const { return U8(layout::manual_page::kBaseFormat); }

    void SetLabel(std::string_view label) { SetText(layout::manual_page::kLabel, label); }
    void SetBaseFormat(std::uint8_t code) { SetU8(layout::manual_page::kBaseFormat, code); }
    // A freed record keeps its parameters; only the label's first byte and the
    // base format are cleared.
    void Free() {
        SetU8(layout::manual_page::kLabel, 0);
        SetBaseFormat(0);
    }
};

// True when at least one paging format is defined; speed paging needs one.
inline bool AnyManualPageExists(ConfigImage& image) {
    for (std::size_t i = 0; i < layout::manual_page::kCount; ++i) {
        if (!ManualPage(image, i).IsFree()) {
            return true;
        }
    }
    return false;
}
