// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// View of one PTT ID alias record (index 0..249): a label for a radio's
// MDC 1200 or DTMF unit ID.

#include "model/RecordView.h"

class PttIdAlias : public RecordView {
public:
    PttIdAlias(ConfigImage& image, std::size_t index)
        : RecordView(image, layout::alias::kStart, layout::alias::kSize, layout::alias::kCount,
                     index) {}

    std::string Label() const { return Text(layout::alias::kLabel); }
    std::string PttId() const { return Text(layout::alias::kPttId); }
    std::uint8_t Protocol() const { return U8(layout::alias::kProtocol); }
    bool IsFree() const { return U8(layout::alias::kLabel) == 0; }
    bool IsDtmf() const { return Protocol() != layout::alias::kProtocolMdc1200; }

    void SetLabel(std::string_view label) { SetText(layout::alias::kLabel, label); }
    void SetPttId(std::string_view id) { SetText(layout::alias::kPttId, id); }
    void SetProtocol(std::uint8_t code) { SetU8(layout::alias::kProtocol, code); }
};
