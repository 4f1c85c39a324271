#pragma once
// The deskset settings' fields, declared once: their names, places, ranges
// and the editor's messages. kFields lists them in the order dump does.

#include "model/deskset/DesksetSettingsForm.h"
#include "model/editing/Field.h"

namespace deskset_fields {

using enum FieldKind;
namespace d = layout::deskset;

inline constexpr long kMaxSeconds = 60;

inline constexpr std::uint8_t kTypeCodes[] = {d::kTypeSingleChannel, d::kTypeFourChannel};

inline constexpr Field kType{.name = "type",
                             .spec = d::kDesksetType,
                             .kind = List,
                             .list = DesksetTypeList,
                             .codes = kTypeCodes};
inline constexpr Field kHourMode{
    .name = "hour_mode", .spec = d::kHourMode, .kind = List, .list = HourModeList};
inline constexpr Field kDisplayTime{.name = "display_time", .spec = d::kDisplayTime, .kind = Flag};
inline constexpr Field kPrinterBaudRate{.name = "printer_baud_rate",
                                        .spec = d::kPrinterBaudRate,
                                        .kind = List,
                                        .list = PrinterBaudRateList};
inline constexpr Field kUseUnselectSpeaker{
    .name = "use_unselect_speaker", .spec = d::kUseUnselectSpeaker, .kind = Flag};
inline constexpr Field kMuteLevel{
    .name = "mute_level", .spec = d::kMuteLevel, .kind = List, .list = MuteLevelList};
inline constexpr Field kMuteTimer{
    .name = "mute_timer_s", .spec = d::kMuteTimer, .max = kMaxSeconds};
inline constexpr Field kPageKeyUpDelay{
    .name = "page_key_up_delay_s",
    .spec = d::kPageKeyUpDelay,
    .max = kMaxSeconds,
    .message = "Page key up delay must be between 0 and 60 sec."};
inline constexpr Field kPagingVoiceAnnotation{
    .name = "paging_voice_annotation_s",
    .spec = d::kPagingVoiceAnnotation,
    .max = kMaxSeconds,
    .message = "Paging voice annotation must be between 0 and 60 sec."};
inline constexpr Field kTransmitDelay{.name = "transmit_delay_ms",
                                      .spec = d::kTransmitDelay,
                                      .max = 500,
                                      .message = "Transmit delay must be between 0 and 500 ms."};
inline constexpr Field kRelayLatching{
    .name = "relay_latching", .spec = d::kRelayLatching, .kind = Flag};
inline constexpr Field kHandsetPresent{
    .name = "handset_present", .spec = d::kHandsetPresent, .kind = Flag};
inline constexpr Field kExternalMicPresent{
    .name = "external_mic_present", .spec = d::kExternalMicPresent, .kind = Flag};
inline constexpr Field kMicAgc{.name = "mic_agc", .spec = d::kMicAgc, .kind = Flag};
inline constexpr Field kPagingFeedback{.name = "paging_feedback",
                                       .spec = d::kPagingFeedback,
                                       .kind = List,
                                       .list = PagingFeedbackList};

inline constexpr Field kFields[] = {
    kType,
    kHourMode,
    kDisplayTime,
    kPrinterBaudRate,
    kUseUnselectSpeaker,
    kMuteLevel,
    kMuteTimer,
    kPageKeyUpDelay,
    kPagingVoiceAnnotation,
    kTransmitDelay,
    kRelayLatching,
    kHandsetPresent,
    kExternalMicPresent,
    kMicAgc,
    kPagingFeedback,
};

}  // namespace deskset_fields
