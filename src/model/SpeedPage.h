// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// View of one speed page record (index 0..249): a label, the paging format
// it is sent with (a paging format's record index) and its digit sequence.

#include "model/RecordView.h"

class SpeedPage : public RecordView {
public:
    SpeedPage(ConfigImage& image, std::size_t index)
        : RecordView(image, layout::speed_page::kStart, layout::speed_page::kSize,
                     layout::speed_page::kCount, index) {}

    bool IsFree() const { return U8(layout::speed_page::kLabel) == 0; }
    std::string Label() const { return Text(layout::speed_page::kLabel); }
    std::uint8_t PagingFormat() const { return U8(layout::speed_page::kPagingFormat); }
    std::string Digits() const { return Text(layout::speed_page::kDigits); }

    void SetLabel(std::string_view label) { SetText(layout::speed_page::kLabel, label); }
    void SetPagingFormat(std::uint8_t record) { SetU8(layout::speed_page::kPagingFormat, record); }
    void SetDigits(std::string_view digits) { SetText(layout::speed_page::kDigits, digits); }
};
