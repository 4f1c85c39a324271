#pragma once
// A channel record's fields, declared once: their names, places, ranges and
// the editors' messages. kFields lists the record's own fields in the order
// dump does, kFrequencyRow one frequency's, and kDtmf and kStatAlert the two
// layouts of the signaling option data.

#include "model/deskset/ChannelConversions.h"
#include "model/deskset/ChannelLists.h"
#include "model/deskset/StatAlertForm.h"
#include "model/editing/Field.h"

namespace channel_fields {

using enum FieldKind;
namespace c = layout::channel;

inline constexpr long kMaxMs = 60000;

// The values the channel wizard's lists offer.
inline constexpr auto kLevelEntry = [](long dbm) { return LevelText(static_cast<int>(dbm)); };
inline constexpr auto kCurrentEntry = [](long halves) {
    return DcCurrentText(static_cast<std::int8_t>(halves));
};
inline constexpr auto kToneEntry = [](long tenths) {
    return ToneText(static_cast<std::uint16_t>(tenths));
};
inline constexpr auto kGuardToneEntry = [](long tenths) {
    return GuardToneText(static_cast<std::uint16_t>(tenths));
};

constexpr Field Listed(std::string_view name, layout::FieldSpec spec, const ChoiceList& (*list)()) {
    return {.name = name, .spec = spec, .kind = List, .list = list};
}
constexpr Field Level(std::string_view name, layout::FieldSpec spec) {
    return {.name = name,
            .spec = spec,
            .min = kLowestLevel,
            .max = kHighestLevel,
            .list = LevelList,
            .entryOf = kLevelEntry};
}
constexpr Field Milliseconds(std::string_view name, layout::FieldSpec spec,
                             std::string_view message) {
    return {.name = name, .spec = spec, .max = kMaxMs, .message = message};
}
constexpr Field Decibels(std::string_view name, layout::FieldSpec spec, std::string_view message) {
    return {.name = name, .spec = spec, .min = -30, .max = 10, .message = message};
}
// "None" or 550 to 2050 Hz.
constexpr Field Tone(std::string_view name, layout::FieldSpec spec) {
    return {.name = name,
            .spec = spec,
            .kind = Tenths,
            .max = 20500,
            .step = 500,
            .list = ToneList,
            .entryOf = kToneEntry};
}
constexpr Field Current(std::string_view name, layout::FieldSpec spec) {
    return {.name = name,
            .spec = spec,
            .kind = HalfUnits,
            .min = -31,
            .max = 31,
            .list = DcCurrentList,
            .entryOf = kCurrentEntry};
}
constexpr Field Ranged(std::string_view name, layout::FieldSpec spec, long min, long max) {
    return {.name = name, .spec = spec, .min = min, .max = max};
}

inline constexpr Field kKeying = Listed("keying", c::kKeying, KeyingList);
inline constexpr Field kSignalingOption =
    Listed("signaling_option", c::kSignalingOption, SignalingOptionList);
inline constexpr Field kDesksetId{.name = "deskset_id", .spec = c::kDesksetId, .kind = Text};
inline constexpr Field kInterface = Listed("interface", c::kInterface, InterfaceList);
inline constexpr Field kTermination = Listed("termination", c::kTermination, TerminationList);
inline constexpr Field kRxAgcLevel = Level("rx_agc_level_dbm", c::kRxAgcLevel);
inline constexpr Field kTxLevel = Level("tx_level_dbm", c::kTxLevel);
inline constexpr Field kParallelStatus =
    Listed("parallel_status", c::kParallelStatus, ParallelStatusList);
inline constexpr Field kCrossMute = Listed("cross_mute", c::kCrossMute, CrossMuteList);
inline constexpr Field kPttRelay = Listed("ptt_relay", c::kPttRelay, AssignmentList);
inline constexpr Field kMonitorRelay = Listed("monitor_relay", c::kMonitorRelay, AssignmentList);
inline constexpr Field kEncryptRelay = Listed("encrypt_relay", c::kEncryptRelay, AssignmentList);
inline constexpr Field kELead = Listed("e_lead", c::kELead, AssignmentList);
inline constexpr Field kPttSense = Listed("ptt_sense", c::kPttSense, AssignmentList);
inline constexpr Field kEncryptSense = Listed("encrypt_sense", c::kEncryptSense, AssignmentList);
inline constexpr Field kSignalingRelay =
    Listed("signaling_relay", c::kSignalingRelay, AssignmentList);
inline constexpr Field kMonitorTone = Tone("monitor_tone_hz", c::kMonitorTone);
inline constexpr Field kRepeaterEnableTone =
    Tone("repeater_enable_tone_hz", c::kRepeaterEnableTone);
inline constexpr Field kRepeaterDisableTone =
    Tone("repeater_disable_tone_hz", c::kRepeaterDisableTone);
inline constexpr Field kEncryptionCodedTone =
    Tone("encryption_coded_tone_hz", c::kEncryptionCodedTone);
inline constexpr Field kEncryptionClearTone =
    Tone("encryption_clear_tone_hz", c::kEncryptionClearTone);
inline constexpr Field kWildcard1OnTone = Tone("wildcard_1_on_tone_hz", c::kWildcard1OnTone);
inline constexpr Field kWildcard1OffTone = Tone("wildcard_1_off_tone_hz", c::kWildcard1OffTone);
inline constexpr Field kWildcard2OnTone = Tone("wildcard_2_on_tone_hz", c::kWildcard2OnTone);
inline constexpr Field kWildcard2OffTone = Tone("wildcard_2_off_tone_hz", c::kWildcard2OffTone);
inline constexpr Field kDcMonitorCurrent = Current("dc_monitor_current_ma", c::kDcMonitorCurrent);
inline constexpr Field kMonitorLatching{
    .name = "monitor_latching", .spec = c::kMonitorLatching, .kind = Flag};
// 2100, 2175, 2300 or 2325 Hz: no "None".
inline constexpr Field kGuardTone{.name = "guard_tone_hz",
                                  .spec = c::kGuardToneFrequency,
                                  .kind = Tenths,
                                  .min = 21000,
                                  .max = 23250,
                                  .step = 250,
                                  .list = GuardToneList,
                                  .entryOf = kGuardToneEntry};
inline constexpr Field kHangoverDelay = Milliseconds(
    "hangover_delay_ms", c::kHangoverDelay, "Hangover delay must be between 0 and 60000 ms.");
inline constexpr Field kHlgtDuration = Milliseconds(
    "hlgt_duration_ms", c::kHlgtDuration, "HLGT duration must be between 0 and 60000 ms.");
inline constexpr Field kHlgtLevel =
    Decibels("hlgt_level_db", c::kHlgtLevel, "HLGT level must be between 10 and -30 dB.");
inline constexpr Field kLlgtLevel =
    Decibels("llgt_level_db", c::kLlgtLevel, "LLGT level must be between 10 and -30 dB.");
inline constexpr Field kFunctionToneDuration =
    Milliseconds("function_tone_duration_ms", c::kFunctionToneDuration,
                 "Function tones duration must be between 0 and 60000 ms.");
inline constexpr Field kFunctionToneLevel =
    Decibels("function_tone_level_db", c::kFunctionToneLevel,
             "Function tones level must be between 10 and -30 dB.");
inline constexpr Field kTalkPermitTimeOut = Milliseconds(
    "talk_permit_time_out_ms", c::kTalkPermitTimeOut, "Time out must be between 0 and 60000 ms.");
// Edited in whole hertz.
inline constexpr Field kTalkPermitFrequency{.name = "talk_permit_frequency_hz",
                                            .spec = c::kTalkPermitFrequency,
                                            .kind = Tenths,
                                            .min = 2000,
                                            .max = 34000,
                                            .message = "Frequency must be between 200 and 3400 Hz.",
                                            .step = 10};
inline constexpr Field kTalkPermitBeepDuration =
    Milliseconds("talk_permit_beep_duration_ms", c::kTalkPermitBeepDuration,
                 "Beep duration must be between 0 and 60000 ms.");
inline constexpr Field kTalkPermitPauseDuration =
    Milliseconds("talk_permit_pause_duration_ms", c::kTalkPermitPauseDuration,
                 "Pause duration must be between 0 and 60000 ms.");
inline constexpr Field kTalkPermitBeepCount{.name = "talk_permit_beep_count",
                                            .spec = c::kTalkPermitBeepCount,
                                            .max = 5,
                                            .message = "Number of beeps must be between 0 and 5."};
inline constexpr Field kTalkPermitPostTime =
    Milliseconds("talk_permit_post_time_ms", c::kTalkPermitPostTime,
                 "Talk permit post time must be between 0 and 60000 ms.");

inline constexpr Field kFields[] = {
    kKeying,
    kSignalingOption,
    kDesksetId,
    kInterface,
    kTermination,
    kRxAgcLevel,
    kTxLevel,
    kHangoverDelay,
    kParallelStatus,
    kCrossMute,
    kPttRelay,
    kMonitorRelay,
    kEncryptRelay,
    kELead,
    kPttSense,
    kEncryptSense,
    kSignalingRelay,
    kMonitorLatching,
    kGuardTone,
    kHlgtDuration,
    kHlgtLevel,
    kLlgtLevel,
    kFunctionToneDuration,
    kFunctionToneLevel,
    kMonitorTone,
    kRepeaterEnableTone,
    kRepeaterDisableTone,
    kEncryptionCodedTone,
    kEncryptionClearTone,
    kWildcard1OnTone,
    kWildcard1OffTone,
    kWildcard2OnTone,
    kWildcard2OffTone,
    kTalkPermitTimeOut,
    kTalkPermitFrequency,
    kTalkPermitBeepDuration,
    kTalkPermitPauseDuration,
    kTalkPermitBeepCount,
    kTalkPermitPostTime,
    kDcMonitorCurrent,
};

// One frequency's fields: field k of frequency f is Field::At(f), for the
// frequencies below its Count().
inline constexpr Field kFrequencyRow[] = {
    {.name = "label", .spec = c::kLabels, .kind = Text},
    Tone("function_tone_hz", c::kFunctionTones),
    Current("dc_current_ma", c::kDcCurrents),
    {.name = "detection", .spec = c::kDetectionFlags, .kind = Flag},
};

namespace dtmf {
inline constexpr Field kDigitDuration = Milliseconds(
    "digit_duration_ms", c::dtmf::kDigitDuration, "Digit duration must be between 0 and 60000 ms.");
inline constexpr Field kInterdigitTiming =
    Milliseconds("interdigit_timing_ms", c::dtmf::kInterdigitTiming,
                 "Interdigit timing must be between 0 and 60000 ms.");
inline constexpr Field kFields[] = {
    Ranged("min_digits", c::dtmf::kMinDigits, 1, 8),
    Ranged("max_digits", c::dtmf::kMaxDigits, 1, 8),
    kDigitDuration,
    kInterdigitTiming,
};
}  // namespace dtmf

namespace stat_alert {
namespace s = c::stat_alert;
inline constexpr Field kLeadingPretime = Milliseconds(
    "leading_pretime_ms", s::kLeadingPretime, "Leading pretime must be between 0 and 60000 ms.");
inline constexpr Field kTrailingPretime = Milliseconds(
    "trailing_pretime_ms", s::kTrailingPretime, "Trailing pretime must be between 0 and 60000 ms.");
inline constexpr Field kRacPretime =
    Milliseconds("rac_pretime_ms", s::kRacPretime, "RAC pretime must be between 0 and 60000 ms.");
inline constexpr Field kLimitedPatience{
    .name = "limited_patience_s",
    .spec = s::kLimitedPatience,
    .max = kLimitedPatienceMax,
    .message = "Limited patience must be between 0 and 60 sec."};
inline constexpr Field kDosCoast =
    Milliseconds("dos_coast_ms", s::kDosCoast, "DOS coast must be between 0 and 60000 ms.");
// The radio buttons and check boxes show as the codes they store.
inline constexpr Field kFields[] = {
    Ranged("mode", s::kMode, 0, kStatAlertModeCount - 1),
    kLeadingPretime,
    kTrailingPretime,
    Ranged("pretime_kind", s::kPretimeKind, 0, kPretimeKindCount - 1),
    Ranged("rac_mode", s::kRacMode, 0, kRacModeCount - 1),
    Ranged("default_rac", s::kDefaultRac, 0, 0xFFFF),
    kRacPretime,
    Ranged("retry_constant", s::kRetryConstant, 2, 17),
    kLimitedPatience,
    Ranged("busy_timer", s::kBusyTimer, 0, 1),
    kDosCoast,
    Ranged("emergency_acknowledge", s::kEmergencyAcknowledge, 0, 1),
};
}  // namespace stat_alert

}  // namespace channel_fields
