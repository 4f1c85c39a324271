#pragma once
// View of the deskset-wide settings record.

#include "app/RecordView.h"

class DesksetSettings : public RecordView {
public:
    explicit DesksetSettings(ConfigImage& image)
        : RecordView(image, layout::deskset::kStart, layout::deskset::kSize, 1, 0) {}

    // Absolute offsets in the layout are turned into offsets within the record.
    static constexpr std::size_t Field(std::size_t absolute) {
        return absolute - layout::deskset::kStart;
    }
    std::uint8_t Get(std::size_t absolute) const { return U8(Field(absolute)); }
    void Set(std::size_t absolute, std::uint8_t value) { SetU8(Field(absolute), value); }

    std::uint8_t DesksetType() const { return Get(layout::deskset::kDesksetType); }
    std::uint16_t TransmitDelay() const { return U16(Field(layout::deskset::kTransmitDelay)); }
    void SetTransmitDelay(std::uint16_t ms) { SetU16(Field(layout::deskset::kTransmitDelay), ms); }
};
