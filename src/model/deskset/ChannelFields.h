// SPDX-License-Identifier: GPL-3.0-or-later
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

inline constexpr Field kKeying =
    Labeled(Listed("keying", c::kKeying, KeyingList), "Channel Keying");
inline constexpr Field kSignalingOption =
    Labeled(Listed("signaling_option", c::kSignalingOption, SignalingOptionList), "Signaling");
inline constexpr Field kDesksetId{
    .name = "deskset_id", .spec = c::kDesksetId, .kind = Text, .label = "Des&kset ID"};
inline constexpr Field kInterface =
    Labeled(Listed("interface", c::kInterface, InterfaceList), "&Interface");
inline constexpr Field kTermination =
    Labeled(Listed("termination", c::kTermination, TerminationList), "Ter&mination", "Ohms");
inline constexpr Field kRxAgcLevel =
    Labeled(Level("rx_agc_level_dbm", c::kRxAgcLevel), "Rx A&GC", "dBm");
inline constexpr Field kTxLevel = Labeled(Level("tx_level_dbm", c::kTxLevel), "T&x", "dBm");
inline constexpr Field kParallelStatus =
    Labeled(Listed("parallel_status", c::kParallelStatus, ParallelStatusList), "&Parallel status");
inline constexpr Field kCrossMute =
    Labeled(Listed("cross_mute", c::kCrossMute, CrossMuteList), "Cross m&ute");
inline constexpr Field kPttRelay =
    Labeled(Listed("ptt_relay", c::kPttRelay, AssignmentList), "&1 PTT relay");
inline constexpr Field kMonitorRelay =
    Labeled(Listed("monitor_relay", c::kMonitorRelay, AssignmentList), "&5 Monitor relay");
inline constexpr Field kEncryptRelay =
    Labeled(Listed("encrypt_relay", c::kEncryptRelay, AssignmentList), "&3 Encrypt relay");
inline constexpr Field kELead = Labeled(Listed("e_lead", c::kELead, AssignmentList), "&7 E lead");
inline constexpr Field kPttSense =
    Labeled(Listed("ptt_sense", c::kPttSense, AssignmentList), "&2 PTT sense");
inline constexpr Field kEncryptSense =
    Labeled(Listed("encrypt_sense", c::kEncryptSense, AssignmentList), "&4 Encrypt sense");
inline constexpr Field kSignalingRelay =
    Labeled(Listed("signaling_relay", c::kSignalingRelay, AssignmentList), "&Relay");
inline constexpr Field kMonitorTone =
    Labeled(Tone("monitor_tone_hz", c::kMonitorTone), "Fre&quency", "Hz");
inline constexpr Field kRepeaterEnableTone =
    Labeled(Tone("repeater_enable_tone_hz", c::kRepeaterEnableTone), "Re&peater enable", "Hz");
inline constexpr Field kRepeaterDisableTone =
    Labeled(Tone("repeater_disable_tone_hz", c::kRepeaterDisableTone), "Repeater &disable", "Hz");
inline constexpr Field kEncryptionCodedTone =
    Labeled(Tone("encryption_coded_tone_hz", c::kEncryptionCodedTone), "&Coded frequency", "Hz");
inline constexpr Field kEncryptionClearTone =
    Labeled(Tone("encryption_clear_tone_hz", c::kEncryptionClearTone), "Clea&r frequency", "Hz");
inline constexpr Field kWildcard1OnTone = Tone("wildcard_1_on_tone_hz", c::kWildcard1OnTone);
inline constexpr Field kWildcard1OffTone = Tone("wildcard_1_off_tone_hz", c::kWildcard1OffTone);
inline constexpr Field kWildcard2OnTone = Tone("wildcard_2_on_tone_hz", c::kWildcard2OnTone);
inline constexpr Field kWildcard2OffTone = Tone("wildcard_2_off_tone_hz", c::kWildcard2OffTone);
inline constexpr Field kDcMonitorCurrent = Current("dc_monitor_current_ma", c::kDcMonitorCurrent);
inline constexpr Field kMonitorLatching{.name = "monitor_latching",
                                        .spec = c::kMonitorLatching,
                                        .kind = Flag,
                                        .label = "&6 Monitor latching"};
// 2100, 2175, 2300 or 2325 Hz: no "None".
inline constexpr Field kGuardTone{.name = "guard_tone_hz",
                                  .spec = c::kGuardToneFrequency,
                                  .kind = Tenths,
                                  .min = 21000,
                                  .max = 23250,
                                  .step = 250,
                                  .list = GuardToneList,
                                  .entryOf = kGuardToneEntry,
                                  .label = "Freq&uency",
                                  .unit = "Hz"};
inline constexpr Field kHangoverDelay =
    Labeled(Milliseconds("hangover_delay_ms", c::kHangoverDelay,
                         "Hangover delay must be between 0 and 60000 ms."),
            "&8 Hangover delay", "ms");
inline constexpr Field kHlgtDuration =
    Labeled(Milliseconds("hlgt_duration_ms", c::kHlgtDuration,
                         "HLGT duration must be between 0 and 60000 ms."),
            "HL&GT duration", "ms");
inline constexpr Field kHlgtLevel =
    Labeled(Decibels("hlgt_level_db", c::kHlgtLevel, "HLGT level must be between 10 and -30 dB."),
            "HLG&T level", "dB");
inline constexpr Field kLlgtLevel =
    Labeled(Decibels("llgt_level_db", c::kLlgtLevel, "LLGT level must be between 10 and -30 dB."),
            "&LLGT level", "dB");
inline constexpr Field kFunctionToneDuration =
    Labeled(Milliseconds("function_tone_duration_ms", c::kFunctionToneDuration,
                         "Function tones duration must be between 0 and 60000 ms."),
            "Dur&ation", "ms");
inline constexpr Field kFunctionToneLevel =
    Labeled(Decibels("function_tone_level_db", c::kFunctionToneLevel,
                     "Function tones level must be between 10 and -30 dB."),
            "L&evel", "dB");
inline constexpr Field kTalkPermitTimeOut =
    Labeled(Milliseconds("talk_permit_time_out_ms", c::kTalkPermitTimeOut,
                         "Time out must be between 0 and 60000 ms."),
            "&Time out", "ms");
// Edited in whole hertz.
inline constexpr Field kTalkPermitFrequency{.name = "talk_permit_frequency_hz",
                                            .spec = c::kTalkPermitFrequency,
                                            .kind = Tenths,
                                            .min = 2000,
                                            .max = 34000,
                                            .message = "Frequency must be between 200 and 3400 Hz.",
                                            .step = 10,
                                            .label = "Fre&quency",
                                            .unit = "Hz"};
inline constexpr Field kTalkPermitBeepDuration =
    Labeled(Milliseconds("talk_permit_beep_duration_ms", c::kTalkPermitBeepDuration,
                         "Beep duration must be between 0 and 60000 ms."),
            "Beep &duration", "ms");
inline constexpr Field kTalkPermitPauseDuration =
    Labeled(Milliseconds("talk_permit_pause_duration_ms", c::kTalkPermitPauseDuration,
                         "Pause duration must be between 0 and 60000 ms."),
            "&Pause duration", "ms");
inline constexpr Field kTalkPermitBeepCount{.name = "talk_permit_beep_count",
                                            .spec = c::kTalkPermitBeepCount,
                                            .max = 5,
                                            .message = "Number of beeps must be between 0 and 5.",
                                            .label = "N&umber of beeps"};
inline constexpr Field kTalkPermitPostTime =
    Labeled(Milliseconds("talk_permit_post_time_ms", c::kTalkPermitPostTime,
                         "Talk permit post time must be between 0 and 60000 ms."),
            "T&alk permit post time", "ms");

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
// The channel page edits frequency 1's label and detection flag.
inline constexpr Field kFrequencyLabel{
    .name = "label", .spec = c::kLabels, .kind = Text, .label = "Channel / Fre&quency label"};
inline constexpr Field kDetection{.name = "detection",
                                  .spec = c::kDetectionFlags,
                                  .kind = Flag,
                                  .label = "Ta&lk permit tone detection on"};
inline constexpr Field kFrequencyRow[] = {
    kFrequencyLabel,
    Tone("function_tone_hz", c::kFunctionTones),
    Current("dc_current_ma", c::kDcCurrents),
    kDetection,
};

namespace dtmf {
inline constexpr Field kDigitDuration =
    Labeled(Milliseconds("digit_duration_ms", c::dtmf::kDigitDuration,
                         "Digit duration must be between 0 and 60000 ms."),
            "&Digit duration", "ms");
inline constexpr Field kInterdigitTiming =
    Labeled(Milliseconds("interdigit_timing_ms", c::dtmf::kInterdigitTiming,
                         "Interdigit timing must be between 0 and 60000 ms."),
            "&Interdigit timing", "ms");
inline constexpr Field kMinDigits =
    Labeled(Ranged("min_digits", c::dtmf::kMinDigits, 1, 8), "Mi&n digits");
inline constexpr Field kMaxDigits =
    Labeled(Ranged("max_digits", c::dtmf::kMaxDigits, 1, 8), "Ma&x digits");
inline constexpr Field kFields[] = {kMinDigits, kMaxDigits, kDigitDuration, kInterdigitTiming};
}  // namespace dtmf

namespace stat_alert {
namespace s = c::stat_alert;
inline constexpr Field kLeadingPretime =
    Labeled(Milliseconds("leading_pretime_ms", s::kLeadingPretime,
                         "Leading pretime must be between 0 and 60000 ms."),
            "L&eading pretime", "ms");
inline constexpr Field kTrailingPretime =
    Labeled(Milliseconds("trailing_pretime_ms", s::kTrailingPretime,
                         "Trailing pretime must be between 0 and 60000 ms."),
            "Trailin&g pretime", "ms");
inline constexpr Field kRacPretime = Labeled(
    Milliseconds("rac_pretime_ms", s::kRacPretime, "RAC pretime must be between 0 and 60000 ms."),
    "&RAC pretime", "ms");
inline constexpr Field kLimitedPatience{.name = "limited_patience_s",
                                        .spec = s::kLimitedPatience,
                                        .max = kLimitedPatienceMax,
                                        .message = "Limited patience must be between 0 and 60 sec.",
                                        .label = "Limited &patience",
                                        .unit = "sec"};
inline constexpr Field kDosCoast =
    Labeled(Milliseconds("dos_coast_ms", s::kDosCoast, "DOS coast must be between 0 and 60000 ms."),
            "DOS &coast", "ms");
// The radio buttons and check boxes show as the codes they store.
inline constexpr Field kMode =
    Labeled(Ranged("mode", s::kMode, 0, kStatAlertModeCount - 1), "Stat Alert Mode");
inline constexpr Field kPretimeKind =
    Ranged("pretime_kind", s::kPretimeKind, 0, kPretimeKindCount - 1);
inline constexpr Field kRacMode = Ranged("rac_mode", s::kRacMode, 0, kRacModeCount - 1);
inline constexpr Field kDefaultRac =
    Labeled(Ranged("default_rac", s::kDefaultRac, 0, 0xFFFF), "&Default RAC");
inline constexpr Field kRetryConstant =
    Labeled(Ranged("retry_constant", s::kRetryConstant, 2, 17), "Retry c&onstant");
inline constexpr Field kBusyTimer =
    Labeled(Ranged("busy_timer", s::kBusyTimer, 0, 1), "B&usy timer");
inline constexpr Field kEmergencyAcknowledge = Labeled(
    Ranged("emergency_acknowledge", s::kEmergencyAcknowledge, 0, 1), "Emergency ac&knowledge");
inline constexpr Field kFields[] = {
    kMode,       kLeadingPretime, kTrailingPretime, kPretimeKind, kRacMode,  kDefaultRac,
    kRacPretime, kRetryConstant,  kLimitedPatience, kBusyTimer,   kDosCoast, kEmergencyAcknowledge};
}  // namespace stat_alert

}  // namespace channel_fields
