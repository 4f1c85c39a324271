// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/PagingFormats.h"

#include <array>

namespace {

namespace mp = layout::manual_page;
using enum ParameterKind;
using Entries = std::span<const std::string_view>;

constexpr std::array<std::string_view, kBaseFormatCount> kNames = {
    "Voice Alert",      "Call Alert",        "Radio Check",      "Remote Monitor",
    "Radio Enable",     "Radio Disable",     "Manual RAC",       "Status Request",
    "Repeater Enable",  "Repeater Disable",  "Motorola 1+1",     "Motorola 2+2",
    "GE Type 99",       "Motorola 5 Tone",   "Motorola 6 Tone",  "NEC 5 Tone",
    "NEC 6 Tone",       "Reach Tone",        "DTMF Page Format", "Pulse Page Format",
    "Custom Page Tone", "Plectron Two Tone",
};

// Alphabetical, as the chooser shows them; Plectron Two Tone is never offered.
constexpr ChooserEntry kChooser[] = {
    {"Call Alert", BaseFormat::CallAlert},
    {"Custom Page", BaseFormat::CustomPageTone},
    {"DTMF Paging", BaseFormat::Dtmf},
    {"GE Type 99", BaseFormat::GeType99},
    {"Manual RAC", BaseFormat::ManualRac},
    {"Motorola 1 + 1", BaseFormat::Motorola1Plus1},
    {"Motorola 2 + 2", BaseFormat::Motorola2Plus2},
    {"Motorola 5 Tone", BaseFormat::Motorola5Tone},
    {"Motorola 6 Tone", BaseFormat::Motorola6Tone},
    {"NEC 5 Tone", BaseFormat::Nec5Tone},
    {"NEC 6 Tone", BaseFormat::Nec6Tone},
    {"Pulse Page", BaseFormat::PulsePage},
    {"Radio Check", BaseFormat::RadioCheck},
    {"Radio Disable", BaseFormat::RadioDisable},
    {"Radio Enable", BaseFormat::RadioEnable},
    {"Reach Tone", BaseFormat::ReachTone},
    {"Remote Monitor", BaseFormat::RemoteMonitor},
    {"Repeat Disable", BaseFormat::RepeaterDisable},
    {"Repeat Enable", BaseFormat::RepeaterEnable},
    {"Stat Request", BaseFormat::StatusRequest},
    {"Voice Alert", BaseFormat::VoiceAlert},
};

constexpr std::string_view kMot1CodePlans[] = {"B", "C", "D", "E", "F", "G", "H", "J", "K", "L",
                                               "M", "N", "P", "Q", "R", "S", "T", "U", "V", "W"};
constexpr std::string_view kMot2CodePlans[] = {"A", "B", "Z"};
constexpr std::string_view kGeCodePlans[] = {"X", "Y", "Z100", "Z400"};
constexpr std::string_view kDigits[] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr std::string_view kMultipliers[] = {" 0", " 1", " 2", " 3", " 4", " 5", " 6"};
constexpr std::string_view kPulseTones[] = {"1500", "2805"};
constexpr std::uint16_t kPulseToneValues[] = {mp::kPulseTone1500, mp::kPulseTone2805};

// A 16-bit duration behind a leading byte, and one of a format without it.
constexpr layout::FieldSpec AfterByte(std::size_t k) {
    return mp::kDurationsAfterByte.At(k);
}
constexpr layout::FieldSpec Word(std::size_t k) {
    return mp::kDurations.At(k);
}

constexpr FormatParameter kCallAlert[] = {
    {mp::kShortCallAlert, "use_short_call_alert", "Use &short call alert", CheckBox, 0, {}},
};
constexpr FormatParameter kRemoteMonitor[] = {
    {mp::kSilentMonitor, "silent_monitor", "&Silent monitor", CheckBox, 0, {}},
    {mp::kTransmitTimeMultiplier, "transmit_time_multiplier", "&Transmit time multiplier", List, 0,
     kMultipliers},
};
// Motorola 1+1 and 2+2 share their layout: tone 1, tone 2, intertone,
// inhibit and group call after the code plan; the dialog shows them in
// another order.
constexpr FormatParameter kMot1[] = {
    {mp::kCodePlan, "code_plan", "&Code plan", List, 0, kMot1CodePlans},
    {AfterByte(4), "group_call_delay_ms", "&Group call delay (ms)", Duration, 8000, {}},
    {AfterByte(3), "inhibit_delay_ms", "&Inhibit delay (ms)", Duration, 3000, {}},
    {AfterByte(0), "tone_1_duration_ms", "Tone &1 duration (ms)", Duration, 1000, {}},
    {AfterByte(2), "intertone_delay_ms", "Intertone &delay (ms)", Duration, 0, {}},
    {AfterByte(1), "tone_2_duration_ms", "Tone &2 duration (ms)", Duration, 3000, {}},
};
constexpr FormatParameter kMot2[] = {
    {mp::kCodePlan, "code_plan", "&Code plan", List, 0, kMot2CodePlans},
    {AfterByte(4), "group_call_delay_ms", "&Group call delay (ms)", Duration, 8000, {}},
    {AfterByte(3), "inhibit_delay_ms", "&Inhibit delay (ms)", Duration, 3000, {}},
    {AfterByte(0), "tone_1_duration_ms", "Tone &1 duration (ms)", Duration, 1250, {}},
    {AfterByte(2), "intertone_delay_ms", "Intertone &delay (ms)", Duration, 0, {}},
    {AfterByte(1), "tone_2_duration_ms", "Tone &2 duration (ms)", Duration, 1000, {}},
};
constexpr FormatParameter kGeType99[] = {
    {mp::kCodePlan, "code_plan", "&Code plan", List, 0, kGeCodePlans},
    {AfterByte(0), "tone_1_duration_ms", "Tone &1 duration (ms)", Duration, 1000, {}},
    {AfterByte(1), "tone_2_duration_ms", "Tone &2 duration (ms)", Duration, 1000, {}},
    {AfterByte(2), "intertone_delay_ms", "Intertone &delay (ms)", Duration, 200, {}},
    {AfterByte(3), "inhibit_delay_ms", "&Inhibit delay (ms)", Duration, 3000, {}},
};
constexpr FormatParameter kMot5Tone[] = {
    {mp::kPreambleDigit, "m5_preamble", "&M5 preamble", List, 0, kDigits},
    {AfterByte(0), "preamble_duration_ms", "&Preamble duration (ms)", Duration, 673, {}},
    {AfterByte(1), "gap_duration_ms", "&Gap duration (ms)", Duration, 65, {}},
    {AfterByte(2), "tone_duration_ms", "&Tone duration (ms)", Duration, 33, {}},
};
constexpr FormatParameter kMot6Tone[] = {
    {mp::kPreambleDigit, "m6_preamble", "&M6 preamble", List, 0, kDigits},
    {AfterByte(0), "preamble_duration_ms", "&Preamble duration (ms)", Duration, 673, {}},
    {AfterByte(1), "gap_1_duration_ms", "&Gap 1 duration (ms)", Duration, 65, {}},
    {AfterByte(2), "tone_duration_ms", "&Tone duration (ms)", Duration, 33, {}},
    {AfterByte(3), "xtone_or_gap_duration_ms", "&XTone or gap duration (ms)", Duration, 65, {}},
};
constexpr FormatParameter kNec5Tone[] = {
    {Word(0), "preamble_duration_ms", "&Preamble duration (ms)", Duration, 673, {}},
    {Word(1), "gap_duration_ms", "&Gap duration (ms)", Duration, 65, {}},
    {Word(2), "tone_duration_ms", "&Tone duration (ms)", Duration, 33, {}},
};
constexpr FormatParameter kNec6Tone[] = {
    {Word(0), "preamble_duration_ms", "&Preamble duration (ms)", Duration, 673, {}},
    {Word(1), "gap_1_duration_ms", "&Gap 1 duration (ms)", Duration, 65, {}},
    {Word(2), "tone_duration_ms", "&Tone duration (ms)", Duration, 33, {}},
    {Word(3), "xtone_or_gap_duration_ms", "&XTone or gap duration (ms)", Duration, 65, {}},
};
constexpr FormatParameter kReachTone[] = {
    {Word(0), "tone_1_duration_ms", "Tone &1 duration (ms)", Duration, 2000, {}},
    {Word(1), "tone_2_duration_ms", "Tone &2 duration (ms)", Duration, 1000, {}},
    {Word(2), "intertone_delay_ms", "Intertone &delay (ms)", Duration, 0, {}},
    {Word(3), "inhibit_delay_ms", "&Inhibit delay (ms)", Duration, 2000, {}},
};
constexpr FormatParameter kDtmf[] = {
    {Word(0), "tone_duration_ms", "&Tone duration (ms)", Duration, 60, {}},
    {Word(1), "intertone_delay_ms", "Intertone &delay (ms)", Duration, 40, {}},
    {Word(2), "inhibit_delay_ms", "&Inhibit delay (ms)", Duration, 500, {}},
};
constexpr FormatParameter kPulsePage[] = {
    {mp::kPulseStandardTone, "standard_tone_hz", "&Standard tone (Hz)", PulseStandardTone, 0,
     kPulseTones},
    {Word(1), "header_timing_ms", "H&eader timing (ms)", Duration, 800, {}},
    {Word(2), "pulse_on_timing_ms", "&Pulse on timing (ms)", Duration, 39, {}},
    {Word(3), "pulse_off_timing_ms", "P&ulse off timing (ms)", Duration, 61, {}},
    {Word(4), "pulse_intertone_delay_ms", "Pulse intertone &delay (ms)", Duration, 800, {}},
    {Word(5), "trailer_ms", "&Trailer (ms)", Duration, 5000, {}},
};

constexpr std::string_view kGeneric = "ManGenericNoCfgFV";
using B = BaseFormat;

constexpr FormatEditor kEditors[] = {
    {B::VoiceAlert, kGeneric, "Voice Alert", "Voice Alert", 169, {}},
    {B::CallAlert, "ManCallAlertFV", "Call Alert Paging Format", "Call Alert", 136, kCallAlert},
    {B::RadioCheck, kGeneric, "Radio Check", "Radio Check", 159, {}},
    {B::RemoteMonitor, "ManRemoteMonFV", "Remote Monitor Paging Format", "Remote Monitor", 165,
     kRemoteMonitor},
    {B::RadioEnable, kGeneric, "Radio Enable", "Radio Enable", 161, {}},
    {B::RadioDisable, kGeneric, "Radio Disable", "Radio Disable", 160, {}},
    {B::ManualRac, kGeneric, "Manual RAC", "Manual RAC", 132, {}},
    {B::StatusRequest, kGeneric, "Status Request", "Status Request", 168, {}},
    {B::RepeaterEnable, kGeneric, "Repeater Enable", "Repeater Enable", 167, {}},
    {B::RepeaterDisable, kGeneric, "Repeater Disable", "Repeater Disable", 166, {}},
    {B::Motorola1Plus1, "ManMot1FV", "Motorola 1 + 1 Paging Format", "Motorola 1+1", 131, kMot1},
    {B::Motorola2Plus2, "ManMot2FV", "Motorola 2 + 2 Paging Format", "Motorola 2+2", 141, kMot2},
    {B::GeType99, "ManGEType99FV", "GE Type 99 Paging Format", "GE Type 99", 133, kGeType99},
    // The one member whose title is the base format name alone.
    {B::Motorola5Tone, "ManMot5TFV", "Motorola 5 Tone", "Motorola 5 Tone", 142, kMot5Tone},
    {B::Motorola6Tone, "ManMot6TFV", "Motorola 6 Tone Paging Format", "Motorola 6 Tone", 143,
     kMot6Tone},
    {B::Nec5Tone, "ManNec5TFV", "NEC 5 Tone Paging Format", "NEC 5 Tone", 156, kNec5Tone},
    {B::Nec6Tone, "ManNec6TFV", "NEC 6 Tone Paging Format", "NEC 6 Tone", 157, kNec6Tone},
    {B::ReachTone, "ManReachToneFV", "Reach Tone Paging Format", "Reach Tone", 162, kReachTone},
    {B::Dtmf, "ManDtmfFV", "DTMF Paging Format", "DTMF Page Format", 134, kDtmf},
    {B::PulsePage, "ManPulsePageFV", "Pulse Paging Format", "Pulse Page Format", 158, kPulsePage},
    // Its editor names it otherwise than the lists do.
    {B::CustomPageTone, kGeneric, "Custom Paging Tones", "Custom Paging Tones", 76, {}},
};

}  // namespace

std::string BaseFormatName(std::uint8_t code) {
    return code < kNames.size() ? std::string(kNames[code]) : std::to_string(code);
}

std::span<const ChooserEntry> ChooserEntries() {
    return kChooser;
}

std::span<const FormatEditor> FormatEditors() {
    return kEditors;
}

const FormatEditor* EditorOf(std::uint8_t code) {
    for (const FormatEditor& editor : kEditors) {
        if (static_cast<std::uint8_t>(editor.code) == code) {
            return &editor;
        }
    }
    return nullptr;
}

std::span<const std::string_view> PulseStandardToneEntries() {
    return kPulseTones;
}

std::uint16_t PulseStandardToneValue(int index) {
    return kPulseToneValues[index];
}

int PulseStandardToneIndex(std::uint16_t stored) {
    for (std::size_t k = 0; k < std::size(kPulseToneValues); ++k) {
        if (kPulseToneValues[k] == stored) {
            return static_cast<int>(k);
        }
    }
    return -1;
}
