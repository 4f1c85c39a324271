#pragma once
// View of one 448-byte channel record (channel index 0..3).

#include "app/RecordView.h"

class ChannelRecord : public RecordView {
public:
    ChannelRecord(ConfigImage& image, std::size_t channelIndex)
        : RecordView(image, layout::channel::kStart, layout::channel::kSize,
                     layout::channel::kCount, channelIndex) {}

    // Frequency numbers are 0-based here: frequency 1 is index 0.
    std::string Label(std::size_t frequency) const {
        return Text(LabelField(frequency), layout::channel::kLabelWidth);
    }
    void SetLabel(std::size_t frequency, std::string_view text) {
        SetText(LabelField(frequency), layout::channel::kLabelWidth, text);
    }
    std::uint16_t FunctionTone(std::size_t frequency) const { return U16(ToneField(frequency)); }
    void SetFunctionTone(std::size_t frequency, std::uint16_t tenthsOfHz) {
        SetU16(ToneField(frequency), tenthsOfHz);
    }
    std::int8_t DcCurrent(std::size_t frequency) const { return S8(DcField(frequency)); }
    void SetDcCurrent(std::size_t frequency, std::int8_t halfMilliamperes) {
        SetS8(DcField(frequency), halfMilliamperes);
    }
    bool DetectionFlag(std::size_t frequency) const { return U8(DetectionField(frequency)) != 0; }
    void SetDetectionFlag(std::size_t frequency, bool on) {
        SetU8(DetectionField(frequency), on ? 1 : 0);
    }

private:
    static std::size_t Checked(std::size_t frequency, std::size_t count) {
        if (frequency >= count) {
            throw std::out_of_range("frequency outside the channel record");
        }
        return frequency;
    }
    static std::size_t LabelField(std::size_t f) {
        return layout::channel::kLabels +
               layout::channel::kLabelWidth * Checked(f, layout::channel::kFrequencyCount);
    }
    static std::size_t ToneField(std::size_t f) {
        return layout::channel::kFunctionTones + 2 * Checked(f, layout::channel::kFrequencyCount);
    }
    static std::size_t DcField(std::size_t f) {
        return layout::channel::kDcCurrents + Checked(f, layout::channel::kDcFrequencyCount);
    }
    static std::size_t DetectionField(std::size_t f) {
        return layout::channel::kDetectionFlags + Checked(f, layout::channel::kFrequencyCount);
    }
};
