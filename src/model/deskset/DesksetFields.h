// SPDX-License-Identifier: GPL-3.0-or-later
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
                             .codes = kTypeCodes,
                             .label = "Type of &deskset"};
inline constexpr Field kHourMode{.name = "hour_mode",
                                 .spec = d::kHourMode,
                                 .kind = List,
                                 .list = HourModeList,
                                 .label = "12 / 24 hou&r mode"};
inline constexpr Field kDisplayTime{
    .name = "display_time", .spec = d::kDisplayTime, .kind = Flag, .label = "D&isplay time"};
inline constexpr Field kPrinterBaudRate{.name = "printer_baud_rate",
                                        .spec = d::kPrinterBaudRate,
                                        .kind = List,
                                        .list = PrinterBaudRateList,
                                        .label = "Printer ba&ud rate"};
inline constexpr Field kUseUnselectSpeaker{.name = "use_unselect_speaker",
                                           .spec = d::kUseUnselectSpeaker,
                                           .kind = Flag,
                                           .label = "Use unselect &speaker"};
inline constexpr Field kMuteLevel{.name = "mute_level",
                                  .spec = d::kMuteLevel,
                                  .kind = List,
                                  .list = MuteLevelList,
                                  .label = "Mute &level"};
inline constexpr Field kMuteTimer{.name = "mute_timer_s",
                                  .spec = d::kMuteTimer,
                                  .max = kMaxSeconds,
                                  .label = "&Mute timer",
                                  .unit = "sec"};
inline constexpr Field kPageKeyUpDelay{.name = "page_key_up_delay_s",
                                       .spec = d::kPageKeyUpDelay,
                                       .max = kMaxSeconds,
                                       .message = "Page key up delay must be between 0 and 60 sec.",
                                       .label = "&Page key up delay",
                                       .unit = "sec"};
inline constexpr Field kPagingVoiceAnnotation{
    .name = "paging_voice_annotation_s",
    .spec = d::kPagingVoiceAnnotation,
    .max = kMaxSeconds,
    .message = "Paging voice annotation must be between 0 and 60 sec.",
    .label = "Paging voi&ce annotation",
    .unit = "sec"};
inline constexpr Field kTransmitDelay{.name = "transmit_delay_ms",
                                      .spec = d::kTransmitDelay,
                                      .max = 500,
                                      .message = "Transmit delay must be between 0 and 500 ms.",
                                      .label = "&Transmit delay",
                                      .unit = "ms"};
inline constexpr Field kRelayLatching{
    .name = "relay_latching", .spec = d::kRelayLatching, .kind = Flag, .label = "Relay latching"};
inline constexpr Field kHandsetPresent{.name = "handset_present",
                                       .spec = d::kHandsetPresent,
                                       .kind = Flag,
                                       .label = "H&andset present"};
inline constexpr Field kExternalMicPresent{.name = "external_mic_present",
                                           .spec = d::kExternalMicPresent,
                                           .kind = Flag,
                                           .label = "&External mic present"};
inline constexpr Field kMicAgc{
    .name = "mic_agc", .spec = d::kMicAgc, .kind = Flag, .label = "Mic A&GC"};
inline constexpr Field kPagingFeedback{.name = "paging_feedback",
                                       .spec = d::kPagingFeedback,
                                       .kind = List,
                                       .list = PagingFeedbackList,
                                       .label = "Paging feedbac&k"};

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
