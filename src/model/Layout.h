// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every offset, width, record size and count of the configuration image.
// No other file spells a raw image offset: record views and editors use these names.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace layout {

inline constexpr std::size_t kImageSize = 16384;

// Database header: the version text, no terminator.
inline constexpr std::size_t kHeader = 0x0000;
inline constexpr std::size_t kHeaderLength = 16;
inline constexpr std::string_view kHeaderText = "ZEL DESKSET V001";
static_assert(kHeaderText.size() == kHeaderLength);

// How a field is stored in the image.
enum class Storage { U8, S8, U16, Text };

// One field of a record, declared once: its offset relative to the start of
// its record, its storage and, for a number, the factor from the value shown
// to the value stored (10 for tenths of a hertz). A text has its width; a row
// of alike fields (the sixteen function tones, ...) has its count.
struct FieldSpec {
    std::size_t offset;
    Storage storage = Storage::U8;
    int scale = 1;
    std::size_t width = 0;
    std::size_t count = 1;

    constexpr std::size_t ElementSize() const {
        return storage == Storage::U16 ? 2 : storage == Storage::Text ? width : 1;
    }
    constexpr std::size_t Size() const { return ElementSize() * count; }
    constexpr std::size_t End() const { return offset + Size(); }
    // One field of a row.
    constexpr FieldSpec At(std::size_t k) const {
        return {offset + k * ElementSize(), storage, scale, width, 1};
    }
};

// Deskset-wide settings; the fields are relative to the start of the block.
namespace deskset {
inline constexpr std::size_t kStart = 0x0010;
inline constexpr std::size_t kSize = 112;
inline constexpr FieldSpec kHourMode{0x00};
inline constexpr FieldSpec kDisplayTime{0x01};
inline constexpr FieldSpec kPrinterBaudRate{0x02};
inline constexpr FieldSpec kUseUnselectSpeaker{0x03};
inline constexpr FieldSpec kMuteLevel{0x04};
inline constexpr FieldSpec kMuteTimer{0x05};                    // seconds
inline constexpr FieldSpec kPageKeyUpDelay{0x06};               // seconds
inline constexpr FieldSpec kPagingVoiceAnnotation{0x07};        // seconds
inline constexpr FieldSpec kTransmitDelay{0x08, Storage::U16};  // ms
inline constexpr std::size_t kRelayCount = 4;
inline constexpr FieldSpec kRelayLatching{.offset = 0x0A, .count = kRelayCount};  // relays 1 to 4
inline constexpr FieldSpec kDesksetType{0x0E};
inline constexpr FieldSpec kHandsetPresent{0x0F};
inline constexpr FieldSpec kExternalMicPresent{0x10};
inline constexpr FieldSpec kMicAgc{0x11};
inline constexpr FieldSpec kPagingFeedback{0x12};

// Every field of the block: the bytes its window may write.
inline constexpr FieldSpec kFields[] = {
    kHourMode,           kDisplayTime,   kPrinterBaudRate, kUseUnselectSpeaker,
    kMuteLevel,          kMuteTimer,     kPageKeyUpDelay,  kPagingVoiceAnnotation,
    kTransmitDelay,      kRelayLatching, kDesksetType,     kHandsetPresent,
    kExternalMicPresent, kMicAgc,        kPagingFeedback,
};

// Where a field of the block lies in the image.
constexpr std::size_t Absolute(const FieldSpec& field) {
    return kStart + field.offset;
}

inline constexpr std::uint8_t kTypeSingleChannel = 1;
inline constexpr std::uint8_t kTypeFourChannel = 4;
}  // namespace deskset

// Button table: kind code then value, 255 = no value.
namespace buttons {
inline constexpr std::size_t kStart = 0x0080;
inline constexpr std::size_t kCount = 18;
inline constexpr std::size_t kEntrySize = 2;
// Relative to the start of an entry.
inline constexpr FieldSpec kKind{0};
inline constexpr FieldSpec kValue{1};
inline constexpr std::uint8_t kNoValue = 255;
}  // namespace buttons

// Channel records; the fields are relative to the start of a record.
namespace channel {
inline constexpr std::size_t kStart = 0x0100;
inline constexpr std::size_t kSize = 0x1C0;
inline constexpr std::size_t kCount = 4;

inline constexpr std::size_t kFrequencyCount = 16;
inline constexpr std::size_t kLabelWidth = 12;
inline constexpr FieldSpec kLabels{
    .offset = 0x000, .storage = Storage::Text, .width = kLabelWidth, .count = kFrequencyCount};
inline constexpr FieldSpec kInterface{0x0C0};
inline constexpr FieldSpec kTermination{0x0C1};
inline constexpr FieldSpec kRxAgcLevel{0x0C2, Storage::S8};
inline constexpr FieldSpec kTxLevel{0x0C3, Storage::S8};
inline constexpr FieldSpec kHangoverDelay{0x0C4, Storage::U16};  // ms
inline constexpr FieldSpec kParallelStatus{0x0C6};
inline constexpr FieldSpec kCrossMute{0x0C7};
inline constexpr FieldSpec kKeying{0x0C8};
inline constexpr FieldSpec kPttRelay{0x0C9};
inline constexpr FieldSpec kMonitorRelay{0x0CA};
inline constexpr FieldSpec kMonitorLatching{0x0CB};
inline constexpr FieldSpec kEncryptRelay{0x0CC};
inline constexpr FieldSpec kELead{0x0CD};
inline constexpr FieldSpec kPttSense{0x0CE};
inline constexpr FieldSpec kEncryptSense{0x0CF};
inline constexpr FieldSpec kGuardToneFrequency{0x0D0, Storage::U16, 10};
inline constexpr FieldSpec kHlgtDuration{0x0D2, Storage::U16};          // ms
inline constexpr FieldSpec kFunctionToneDuration{0x0D4, Storage::U16};  // ms
inline constexpr FieldSpec kHlgtLevel{0x0D6, Storage::S8};              // dB
inline constexpr FieldSpec kFunctionToneLevel{0x0D7, Storage::S8};      // dB
inline constexpr FieldSpec kLlgtLevel{0x0D8, Storage::S8};              // dB
inline constexpr FieldSpec kFunctionTones{
    .offset = 0x0D9, .storage = Storage::U16, .scale = 10, .count = kFrequencyCount};
inline constexpr FieldSpec kMonitorTone{0x0F9, Storage::U16, 10};
inline constexpr FieldSpec kRepeaterEnableTone{0x0FB, Storage::U16, 10};
inline constexpr FieldSpec kRepeaterDisableTone{0x0FD, Storage::U16, 10};
inline constexpr FieldSpec kEncryptionCodedTone{0x0FF, Storage::U16, 10};
inline constexpr FieldSpec kEncryptionClearTone{0x101, Storage::U16, 10};
inline constexpr FieldSpec kWildcard1OnTone{0x103, Storage::U16, 10};
inline constexpr FieldSpec kWildcard2OnTone{0x105, Storage::U16, 10};
inline constexpr FieldSpec kWildcard1OffTone{0x107, Storage::U16, 10};
inline constexpr FieldSpec kWildcard2OffTone{0x109, Storage::U16, 10};
inline constexpr std::size_t kDcFrequencyCount = 4;
// Half-milliamperes.
inline constexpr FieldSpec kDcCurrents{
    .offset = 0x10B, .storage = Storage::S8, .count = kDcFrequencyCount};
inline constexpr FieldSpec kDcMonitorCurrent{0x10F, Storage::S8};  // half-milliamperes
inline constexpr FieldSpec kSignalingOption{0x110};
inline constexpr std::size_t kDesksetIdWidth = 8;
inline constexpr FieldSpec kDesksetId{
    .offset = 0x111, .storage = Storage::Text, .width = kDesksetIdWidth};
inline constexpr std::size_t kSignalingData = 0x119;
inline constexpr std::size_t kSignalingDataSize = 17;
inline constexpr FieldSpec kSignalingRelay{0x12A};
inline constexpr FieldSpec kTalkPermitTimeOut{0x12B, Storage::U16};  // ms
inline constexpr FieldSpec kTalkPermitFrequency{0x12D, Storage::U16, 10};
inline constexpr FieldSpec kTalkPermitBeepDuration{0x12F, Storage::U16};   // ms
inline constexpr FieldSpec kTalkPermitPauseDuration{0x131, Storage::U16};  // ms
inline constexpr FieldSpec kTalkPermitBeepCount{0x133};
inline constexpr FieldSpec kTalkPermitPostTime{0x134, Storage::U16};                    // ms
inline constexpr FieldSpec kDetectionFlags{.offset = 0x136, .count = kFrequencyCount};  // 0/1

// The signaling option data at kSignalingData holds one of two layouts, chosen
// by the stored signaling option.
namespace dtmf {
inline constexpr FieldSpec kMinDigits{0x119};
inline constexpr FieldSpec kMaxDigits{0x11A};
inline constexpr FieldSpec kDigitDuration{0x11B, Storage::U16};     // ms
inline constexpr FieldSpec kInterdigitTiming{0x11D, Storage::U16};  // ms
inline constexpr FieldSpec kFields[] = {kMinDigits, kMaxDigits, kDigitDuration, kInterdigitTiming};
}  // namespace dtmf

namespace stat_alert {
inline constexpr FieldSpec kMode{0x119};
inline constexpr FieldSpec kLeadingPretime{0x11A, Storage::U16};   // ms
inline constexpr FieldSpec kTrailingPretime{0x11C, Storage::U16};  // ms
inline constexpr FieldSpec kPretimeKind{0x11E};
inline constexpr FieldSpec kRacMode{0x11F};
inline constexpr FieldSpec kDefaultRac{0x120, Storage::U16};
inline constexpr FieldSpec kRacPretime{0x122, Storage::U16};  // ms
inline constexpr FieldSpec kRetryConstant{0x124};
inline constexpr FieldSpec kLimitedPatience{0x125};  // seconds
inline constexpr FieldSpec kBusyTimer{0x126};
inline constexpr FieldSpec kDosCoast{0x127, Storage::U16};  // ms
inline constexpr FieldSpec kEmergencyAcknowledge{0x129};
inline constexpr FieldSpec kFields[] = {
    kMode,       kLeadingPretime, kTrailingPretime, kPretimeKind, kRacMode,  kDefaultRac,
    kRacPretime, kRetryConstant,  kLimitedPatience, kBusyTimer,   kDosCoast, kEmergencyAcknowledge};
}  // namespace stat_alert
static_assert(stat_alert::kEmergencyAcknowledge.End() == kSignalingData + kSignalingDataSize);
static_assert(dtmf::kInterdigitTiming.End() <= kSignalingData + kSignalingDataSize);

// Every field of a record outside the signaling option data: the bytes the
// channel window may write, with one of the two layouts above.
inline constexpr FieldSpec kFields[] = {
    kLabels,
    kInterface,
    kTermination,
    kRxAgcLevel,
    kTxLevel,
    kHangoverDelay,
    kParallelStatus,
    kCrossMute,
    kKeying,
    kPttRelay,
    kMonitorRelay,
    kMonitorLatching,
    kEncryptRelay,
    kELead,
    kPttSense,
    kEncryptSense,
    kGuardToneFrequency,
    kHlgtDuration,
    kFunctionToneDuration,
    kHlgtLevel,
    kFunctionToneLevel,
    kLlgtLevel,
    kFunctionTones,
    kMonitorTone,
    kRepeaterEnableTone,
    kRepeaterDisableTone,
    kEncryptionCodedTone,
    kEncryptionClearTone,
    kWildcard1OnTone,
    kWildcard2OnTone,
    kWildcard1OffTone,
    kWildcard2OffTone,
    kDcCurrents,
    kDcMonitorCurrent,
    kSignalingOption,
    kDesksetId,
    kSignalingRelay,
    kTalkPermitTimeOut,
    kTalkPermitFrequency,
    kTalkPermitBeepDuration,
    kTalkPermitPauseDuration,
    kTalkPermitBeepCount,
    kTalkPermitPostTime,
    kDetectionFlags,
};
}  // namespace channel

// The four list tables. Every record starts with a text; an empty one is a free slot.
namespace manual_page {
inline constexpr std::size_t kStart = 0x0800;
inline constexpr std::size_t kSize = 24;
inline constexpr std::size_t kCount = 16;
inline constexpr std::size_t kLabelWidth = 8;
inline constexpr FieldSpec kLabel{.offset = 0, .storage = Storage::Text, .width = kLabelWidth};
inline constexpr FieldSpec kBaseFormat{8};
// Laid out by the base format.
inline constexpr std::size_t kParametersSize = 15;
inline constexpr FieldSpec kParameters{.offset = 9, .count = kParametersSize};
static_assert(kParameters.End() == kSize);

// The parameters of the base formats. A format either begins with one byte
// (a code plan, a preamble digit or a flag) followed by 16-bit durations, or
// holds 16-bit values only. Bytes +21 to +23 belong to no format.
inline constexpr FieldSpec kCodePlan{9};        // list index
inline constexpr FieldSpec kPreambleDigit{9};   // the digit itself
inline constexpr FieldSpec kShortCallAlert{9};  // 0 or 1
inline constexpr FieldSpec kSilentMonitor{9};   // 0 or 1
inline constexpr FieldSpec kTransmitTimeMultiplier{10};
inline constexpr std::size_t kDurationsAfterByteCount = 5;
inline constexpr FieldSpec kDurationsAfterByte{
    .offset = 10, .storage = Storage::U16, .count = kDurationsAfterByteCount};  // ms
inline constexpr std::size_t kDurationCount = 6;
inline constexpr FieldSpec kDurations{
    .offset = 9, .storage = Storage::U16, .count = kDurationCount};  // ms
inline constexpr FieldSpec kPulseStandardTone{9, Storage::U16, 10};
inline constexpr std::size_t kReservedStart = 21;
static_assert(kDurationsAfterByte.End() <= kReservedStart);
static_assert(kDurations.End() == kReservedStart);
inline constexpr std::uint16_t kPulseTone1500 = 15000;
inline constexpr std::uint16_t kPulseTone2805 = 28050;
}  // namespace manual_page

namespace custom_tone {
inline constexpr std::size_t kStart = 0x0980;
inline constexpr std::size_t kSize = 14;
inline constexpr std::size_t kCount = 100;
inline constexpr std::size_t kNumberWidth = 2;
inline constexpr FieldSpec kNumberText{
    .offset = 0, .storage = Storage::Text, .width = kNumberWidth};
inline constexpr FieldSpec kFirstTone{2, Storage::U16, 10};
inline constexpr FieldSpec kFirstToneDuration{4, Storage::U16};  // ms
inline constexpr FieldSpec kIntertoneDelay{6, Storage::U16};     // ms
inline constexpr FieldSpec kSecondTone{8, Storage::U16, 10};
inline constexpr FieldSpec kSecondToneDuration{10, Storage::U16};  // ms
inline constexpr FieldSpec kInhibitDelay{12, Storage::U16};        // ms
static_assert(kInhibitDelay.End() == kSize);
}  // namespace custom_tone

namespace speed_page {
inline constexpr std::size_t kStart = 0x0EF8;
inline constexpr std::size_t kSize = 25;
inline constexpr std::size_t kCount = 250;
inline constexpr std::size_t kLabelWidth = 8;
inline constexpr FieldSpec kLabel{.offset = 0, .storage = Storage::Text, .width = kLabelWidth};
inline constexpr FieldSpec kPagingFormat{8};
inline constexpr std::size_t kDigitsWidth = 16;
inline constexpr FieldSpec kDigits{.offset = 9, .storage = Storage::Text, .width = kDigitsWidth};
static_assert(kDigits.End() == kSize);
}  // namespace speed_page

namespace alias {
inline constexpr std::size_t kStart = 0x2762;
inline constexpr std::size_t kSize = 21;
inline constexpr std::size_t kCount = 250;
inline constexpr std::size_t kLabelWidth = 12;
inline constexpr FieldSpec kLabel{.offset = 0, .storage = Storage::Text, .width = kLabelWidth};
inline constexpr std::size_t kPttIdWidth = 8;
inline constexpr FieldSpec kPttId{.offset = 12, .storage = Storage::Text, .width = kPttIdWidth};
inline constexpr FieldSpec kProtocol{20};
static_assert(kProtocol.End() == kSize);
// Protocol codes; the deskset reads any code but 0 as DTMF.
inline constexpr std::uint8_t kProtocolMdc1200 = 0;
inline constexpr std::uint8_t kProtocolDtmf = 3;
}  // namespace alias

// Reserved areas: never read or written by an editor.
inline constexpr std::size_t kReservedAfterButtons = 0x00A4;
inline constexpr std::size_t kReservedAtEnd = 0x3BE4;

// The area map must tile the image exactly.
static_assert(deskset::kStart + deskset::kSize == buttons::kStart);
static_assert(buttons::kStart + buttons::kCount * buttons::kEntrySize == kReservedAfterButtons);
static_assert(channel::kStart + channel::kCount * channel::kSize == manual_page::kStart);
static_assert(manual_page::kStart + manual_page::kCount * manual_page::kSize ==
              custom_tone::kStart);
static_assert(custom_tone::kStart + custom_tone::kCount * custom_tone::kSize == speed_page::kStart);
static_assert(speed_page::kStart + speed_page::kCount * speed_page::kSize == alias::kStart);
static_assert(alias::kStart + alias::kCount * alias::kSize == kReservedAtEnd);

}  // namespace layout
