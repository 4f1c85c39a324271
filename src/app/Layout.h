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

// Deskset-wide settings, absolute offsets.
namespace deskset {
inline constexpr std::size_t kStart = 0x0010;
inline constexpr std::size_t kSize = 112;
inline constexpr std::size_t kHourMode = 0x0010;
inline constexpr std::size_t kDisplayTime = 0x0011;
inline constexpr std::size_t kPrinterBaudRate = 0x0012;
inline constexpr std::size_t kUseUnselectSpeaker = 0x0013;
inline constexpr std::size_t kMuteLevel = 0x0014;
inline constexpr std::size_t kMuteTimer = 0x0015;
inline constexpr std::size_t kPageKeyUpDelay = 0x0016;
inline constexpr std::size_t kPagingVoiceAnnotation = 0x0017;
inline constexpr std::size_t kTransmitDelay = 0x0018;  // 16-bit
inline constexpr std::size_t kRelayLatching = 0x001A;  // four bytes, relays 1 to 4
inline constexpr std::size_t kRelayCount = 4;
inline constexpr std::size_t kDesksetType = 0x001E;
inline constexpr std::size_t kHandsetPresent = 0x001F;
inline constexpr std::size_t kExternalMicPresent = 0x0020;
inline constexpr std::size_t kMicAgc = 0x0021;
inline constexpr std::size_t kPagingFeedback = 0x0022;

inline constexpr std::uint8_t kTypeSingleChannel = 1;
inline constexpr std::uint8_t kTypeFourChannel = 4;
}  // namespace deskset

// Button table: kind code then value, 255 = no value.
namespace buttons {
inline constexpr std::size_t kStart = 0x0080;
inline constexpr std::size_t kCount = 18;
inline constexpr std::size_t kEntrySize = 2;
inline constexpr std::size_t kKind = 0;
inline constexpr std::size_t kValue = 1;
inline constexpr std::uint8_t kNoValue = 255;
}  // namespace buttons

// Channel records; the field offsets are relative to the start of a record.
namespace channel {
inline constexpr std::size_t kStart = 0x0100;
inline constexpr std::size_t kSize = 0x1C0;
inline constexpr std::size_t kCount = 4;

inline constexpr std::size_t kLabels = 0x000;
inline constexpr std::size_t kLabelWidth = 12;
inline constexpr std::size_t kFrequencyCount = 16;
inline constexpr std::size_t kInterface = 0x0C0;
inline constexpr std::size_t kTermination = 0x0C1;
inline constexpr std::size_t kRxAgcLevel = 0x0C2;
inline constexpr std::size_t kTxLevel = 0x0C3;
inline constexpr std::size_t kHangoverDelay = 0x0C4;  // 16-bit
inline constexpr std::size_t kParallelStatus = 0x0C6;
inline constexpr std::size_t kCrossMute = 0x0C7;
inline constexpr std::size_t kKeying = 0x0C8;
inline constexpr std::size_t kPttRelay = 0x0C9;
inline constexpr std::size_t kMonitorRelay = 0x0CA;
inline constexpr std::size_t kMonitorLatching = 0x0CB;
inline constexpr std::size_t kEncryptRelay = 0x0CC;
inline constexpr std::size_t kELead = 0x0CD;
inline constexpr std::size_t kPttSense = 0x0CE;
inline constexpr std::size_t kEncryptSense = 0x0CF;
inline constexpr std::size_t kGuardToneFrequency = 0x0D0;    // 16-bit, tenths of Hz
inline constexpr std::size_t kHlgtDuration = 0x0D2;          // 16-bit, ms
inline constexpr std::size_t kFunctionToneDuration = 0x0D4;  // 16-bit, ms
inline constexpr std::size_t kHlgtLevel = 0x0D6;             // signed
inline constexpr std::size_t kFunctionToneLevel = 0x0D7;     // signed
inline constexpr std::size_t kLlgtLevel = 0x0D8;             // signed
inline constexpr std::size_t kFunctionTones = 0x0D9;         // 16 x 16-bit, tenths of Hz
inline constexpr std::size_t kMonitorTone = 0x0F9;           // 16-bit
inline constexpr std::size_t kRepeaterEnableTone = 0x0FB;
inline constexpr std::size_t kRepeaterDisableTone = 0x0FD;
inline constexpr std::size_t kEncryptionCodedTone = 0x0FF;
inline constexpr std::size_t kEncryptionClearTone = 0x101;
inline constexpr std::size_t kWildcard1OnTone = 0x103;
inline constexpr std::size_t kWildcard2OnTone = 0x105;
inline constexpr std::size_t kWildcard1OffTone = 0x107;
inline constexpr std::size_t kWildcard2OffTone = 0x109;
inline constexpr std::size_t kDcCurrents = 0x10B;  // 4 signed, half-milliamperes
inline constexpr std::size_t kDcFrequencyCount = 4;
inline constexpr std::size_t kDcMonitorCurrent = 0x10F;  // signed, half-milliamperes
inline constexpr std::size_t kSignalingOption = 0x110;
inline constexpr std::size_t kDesksetId = 0x111;
inline constexpr std::size_t kDesksetIdWidth = 8;
inline constexpr std::size_t kSignalingData = 0x119;
inline constexpr std::size_t kSignalingDataSize = 17;
inline constexpr std::size_t kSignalingRelay = 0x12A;
inline constexpr std::size_t kTalkPermitTimeOut = 0x12B;        // 16-bit, ms
inline constexpr std::size_t kTalkPermitFrequency = 0x12D;      // 16-bit, tenths of Hz
inline constexpr std::size_t kTalkPermitBeepDuration = 0x12F;   // 16-bit, ms
inline constexpr std::size_t kTalkPermitPauseDuration = 0x131;  // 16-bit, ms
inline constexpr std::size_t kTalkPermitBeepCount = 0x133;
inline constexpr std::size_t kTalkPermitPostTime = 0x134;  // 16-bit, ms
inline constexpr std::size_t kDetectionFlags = 0x136;      // 16 bytes, 0/1

// The signaling option data at kSignalingData holds one of two layouts, chosen
// by the stored signaling option. Offsets are relative to the channel record.
namespace dtmf {
inline constexpr std::size_t kMinDigits = 0x119;
inline constexpr std::size_t kMaxDigits = 0x11A;
inline constexpr std::size_t kDigitDuration = 0x11B;     // 16-bit, ms
inline constexpr std::size_t kInterdigitTiming = 0x11D;  // 16-bit, ms
}  // namespace dtmf

namespace stat_alert {
inline constexpr std::size_t kMode = 0x119;
inline constexpr std::size_t kLeadingPretime = 0x11A;   // 16-bit, ms
inline constexpr std::size_t kTrailingPretime = 0x11C;  // 16-bit, ms
inline constexpr std::size_t kPretimeKind = 0x11E;
inline constexpr std::size_t kRacMode = 0x11F;
inline constexpr std::size_t kDefaultRac = 0x120;  // 16-bit
inline constexpr std::size_t kRacPretime = 0x122;  // 16-bit, ms
inline constexpr std::size_t kRetryConstant = 0x124;
inline constexpr std::size_t kLimitedPatience = 0x125;  // seconds
inline constexpr std::size_t kBusyTimer = 0x126;
inline constexpr std::size_t kDosCoast = 0x127;  // 16-bit, ms
inline constexpr std::size_t kEmergencyAcknowledge = 0x129;
}  // namespace stat_alert
static_assert(stat_alert::kEmergencyAcknowledge == kSignalingData + kSignalingDataSize - 1);
}  // namespace channel

// The four list tables. Every record starts with a text; an empty one is a free slot.
namespace manual_page {
inline constexpr std::size_t kStart = 0x0800;
inline constexpr std::size_t kSize = 24;
inline constexpr std::size_t kCount = 16;
inline constexpr std::size_t kLabel = 0;
inline constexpr std::size_t kLabelWidth = 8;
inline constexpr std::size_t kBaseFormat = 8;
inline constexpr std::size_t kParameters = 9;
inline constexpr std::size_t kParametersSize = 15;
}  // namespace manual_page

namespace custom_tone {
inline constexpr std::size_t kStart = 0x0980;
inline constexpr std::size_t kSize = 14;
inline constexpr std::size_t kCount = 100;
inline constexpr std::size_t kNumberText = 0;
inline constexpr std::size_t kNumberWidth = 2;
inline constexpr std::size_t kFirstTone = 2;
inline constexpr std::size_t kFirstToneDuration = 4;
inline constexpr std::size_t kIntertoneDelay = 6;
inline constexpr std::size_t kSecondTone = 8;
inline constexpr std::size_t kSecondToneDuration = 10;
inline constexpr std::size_t kInhibitDelay = 12;
}  // namespace custom_tone

namespace speed_page {
inline constexpr std::size_t kStart = 0x0EF8;
inline constexpr std::size_t kSize = 25;
inline constexpr std::size_t kCount = 250;
inline constexpr std::size_t kLabel = 0;
inline constexpr std::size_t kLabelWidth = 8;
inline constexpr std::size_t kPagingFormat = 8;
inline constexpr std::size_t kDigits = 9;
inline constexpr std::size_t kDigitsWidth = 16;
}  // namespace speed_page

namespace alias {
inline constexpr std::size_t kStart = 0x2762;
inline constexpr std::size_t kSize = 21;
inline constexpr std::size_t kCount = 250;
inline constexpr std::size_t kLabel = 0;
inline constexpr std::size_t kLabelWidth = 12;
inline constexpr std::size_t kPttId = 12;
inline constexpr std::size_t kPttIdWidth = 8;
inline constexpr std::size_t kProtocol = 20;
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
