// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// View of one 448-byte channel record (channel index 0..3).

#include "model/RecordView.h"

class ChannelRecord : public RecordView {
public:
    ChannelRecord(ConfigImage& image, std::size_t channelIndex)
        : RecordView(image, layout::channel::kStart, layout::channel::kSize,
                     layout::channel::kCount, channelIndex) {}

    // Frequency numbers are 0-based here: frequency 1 is index 0.
    std::string Label(std::size_t frequency) const {
        return Text(Of(layout::channel::kLabels, frequency));
    }
    void SetLabel(std::size_t frequency, std::string_view text) {
        SetText(Of(layout::channel::kLabels, frequency), text);
    }
    std::uint16_t FunctionTone(std::size_t frequency) const {
        return U16(Of(layout::channel::kFunctionTones, frequency));
    }
    void SetFunctionTone(std::size_t frequency, std::uint16_t tenthsOfHz) {
        SetU16(Of(layout::channel::kFunctionTones, frequency), tenthsOfHz);
    }
    std::int8_t DcCurrent(std::size_t frequency) const {
        return S8(Of(layout::channel::kDcCurrents, frequency));
    }
    void SetDcCurrent(std::size_t frequency, std::int8_t halfMilliamperes) {
        SetS8(Of(layout::channel::kDcCurrents, frequency), halfMilliamperes);
    }
    bool DetectionFlag(std::size_t frequency) const {
        return U8(Of(layout::channel::kDetectionFlags, frequency)) != 0;
    }
    void SetDetectionFlag(std::size_t frequency, bool on) {
        SetU8(Of(layout::channel::kDetectionFlags, frequency), on ? 1 : 0);
    }

private:
    // The field of one frequency in a row.
    static layout::FieldSpec Of(const layout::FieldSpec& row, std::size_t frequency) {
        if (frequency >= row.count) {
            throw std::out_of_range("frequency outside the channel record");
        }
        return row.At(frequency);
    }
};
