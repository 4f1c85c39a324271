// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ImageDefaults.h"

#include <array>

#include "model/ChannelRecord.h"
#include "model/DesksetSettings.h"

namespace {

void SetDesksetDefaults(ConfigImage& image) {
    namespace d = layout::deskset;
    DesksetSettings settings(image);
    settings.SetU8(d::kHourMode, 1);
    settings.SetU8(d::kPrinterBaudRate, 3);
    settings.SetU8(d::kUseUnselectSpeaker, 0);
    settings.SetU8(d::kMuteLevel, 1);
    settings.SetU8(d::kMuteTimer, 30);
    settings.SetU8(d::kPagingVoiceAnnotation, 2);
    settings.SetU16(d::kTransmitDelay, 0);
    settings.SetU8(d::kDesksetType, d::kTypeSingleChannel);
    settings.SetU8(d::kHandsetPresent, 1);
    settings.SetU8(d::kExternalMicPresent, 0);
    settings.SetU8(d::kMicAgc, 1);
    settings.SetU8(d::kPagingFeedback, 0);
}

void SetButtonDefaults(ConfigImage& image) {
    namespace b = layout::buttons;
    for (std::size_t k = 0; k < b::kCount; ++k) {
        const std::size_t entry = b::kStart + k * b::kEntrySize;
        image.SetU8(entry + b::kKind.offset, 0);
        image.SetU8(entry + b::kValue.offset, b::kNoValue);
    }
}

void FreeEveryRecord(ConfigImage& image, std::size_t start, std::size_t size, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        image.SetU8(start + i * size, 0);
    }
}

}  // namespace

void SetChannelDefaults(ConfigImage& image, std::size_t channelIndex) {
    namespace c = layout::channel;
    ChannelRecord record(image, channelIndex);

    for (std::size_t f = 0; f < c::kFrequencyCount; ++f) {
        record.SetLabel(f, f < 4 ? "Freq " + std::to_string(f + 1) : "");
    }
    record.SetU8(c::kInterface, 1);
    record.SetU8(c::kTermination, 0);
    record.SetS8(c::kRxAgcLevel, -24);
    record.SetS8(c::kTxLevel, 0);
    record.SetU16(c::kHangoverDelay, 2000);
    record.SetU8(c::kParallelStatus, 2);
    record.SetU8(c::kCrossMute, 1);
    // Keying and the seven I/O assignments.
    for (std::size_t field = c::kKeying.offset; field <= c::kEncryptSense.offset; ++field) {
        record.SetU8(field, 0);
    }
    record.SetU16(c::kGuardToneFrequency, 21750);
    record.SetU16(c::kHlgtDuration, 125);
    record.SetU16(c::kFunctionToneDuration, 40);
    record.SetS8(c::kHlgtLevel, 10);
    record.SetS8(c::kFunctionToneLevel, 0);
    record.SetS8(c::kLlgtLevel, -20);
    for (std::size_t f = 0; f < c::kFrequencyCount; ++f) {
        // 1950, 1850, 1750 and 1650 Hz, then no tone.
        record.SetFunctionTone(f, f < 4 ? static_cast<std::uint16_t>(19500 - 1000 * f) : 0);
    }
    record.SetU16(c::kMonitorTone, 20500);
    // Repeater, encryption and wildcard tones.
    for (std::size_t field = c::kRepeaterEnableTone.offset; field <= c::kWildcard2OffTone.offset;
         field += 2) {
        record.SetU16(field, 0);
    }
    constexpr std::array<std::int8_t, c::kDcFrequencyCount> kDcCurrents{11, 25, -11, -25};
    for (std::size_t f = 0; f < kDcCurrents.size(); ++f) {
        record.SetDcCurrent(f, kDcCurrents[f]);
    }
    record.SetS8(c::kDcMonitorCurrent, -5);
    record.SetU8(c::kSignalingOption, 0);
    record.SetU8(c::kDesksetId, 0);
    record.SetU16(c::kTalkPermitTimeOut, 3500);
    record.SetU16(c::kTalkPermitFrequency, 9000);
    record.SetU16(c::kTalkPermitBeepDuration, 20);
    record.SetU16(c::kTalkPermitPauseDuration, 20);
    record.SetU8(c::kTalkPermitBeepCount, 3);
    record.SetU16(c::kTalkPermitPostTime, 20);
}

void SetImageDefaults(ConfigImage& image) {
    image.SetText(layout::kHeader, layout::kHeaderLength, layout::kHeaderText);
    SetDesksetDefaults(image);
    for (std::size_t n = 0; n < layout::channel::kCount; ++n) {
        SetChannelDefaults(image, n);
    }
    SetButtonDefaults(image);
    FreeEveryRecord(image, layout::speed_page::kStart, layout::speed_page::kSize,
                    layout::speed_page::kCount);
    FreeEveryRecord(image, layout::alias::kStart, layout::alias::kSize, layout::alias::kCount);
    FreeEveryRecord(image, layout::custom_tone::kStart, layout::custom_tone::kSize,
                    layout::custom_tone::kCount);
    FreeEveryRecord(image, layout::manual_page::kStart, layout::manual_page::kSize,
                    layout::manual_page::kCount);
}
