// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// View of the deskset-wide settings record.

#include "model/RecordView.h"

class DesksetSettings : public RecordView {
public:
    explicit DesksetSettings(ConfigImage& image)
        : RecordView(image, layout::deskset::kStart, layout::deskset::kSize, 1, 0) {}

    std::uint8_t DesksetType() const { return U8(layout::deskset::kDesksetType); }
};
