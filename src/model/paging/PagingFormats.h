// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base formats of a paging format and the editor family that fills in a
// record of each: one row per base format code gives its dialog's class name,
// title, base format text, help topic and parameters. The dialog is built from
// its row; the rules in ManualPageForm read the same row.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "model/Layout.h"

enum class BaseFormat : std::uint8_t {
    VoiceAlert = 0,
    CallAlert = 1,
    RadioCheck = 2,
    RemoteMonitor = 3,
    RadioEnable = 4,
    RadioDisable = 5,
    ManualRac = 6,
    StatusRequest = 7,
    RepeaterEnable = 8,
    RepeaterDisable = 9,
    Motorola1Plus1 = 10,
    Motorola2Plus2 = 11,
    GeType99 = 12,
    Motorola5Tone = 13,
    Motorola6Tone = 14,
    Nec5Tone = 15,
    Nec6Tone = 16,
    ReachTone = 17,
    Dtmf = 18,
    PulsePage = 19,
    CustomPageTone = 20,
    PlectronTwoTone = 21,
};
inline constexpr std::size_t kBaseFormatCount = 22;

// The text the lists show for a stored code; a code without a name shows its number.
std::string BaseFormatName(std::uint8_t code);

// What the format chooser offers, in the order it shows them.
struct ChooserEntry {
    std::string_view text;
    BaseFormat code;
};
std::span<const ChooserEntry> ChooserEntries();

enum class ParameterKind { Duration, List, CheckBox, PulseStandardTone };

// One parameter of a format, in the order of its dialog.
struct FormatParameter {
    layout::FieldSpec field;
    std::string_view name;   // in a field path: "tone_1_duration_ms"
    std::string_view label;  // with its mnemonic
    ParameterKind kind;
    // A duration in ms, a list index, a check box 0 or 1; the pulse standard
    // tone's list index ("1500" first).
    int newDefault;
    std::span<const std::string_view> entries;  // lists and the pulse standard tone
};

struct FormatEditor {
    BaseFormat code;
    std::string_view editor;  // the dialog's class name
    std::string_view title;
    std::string_view baseFormatText;
    int helpTopic;
    std::span<const FormatParameter> parameters;
};

// Every row, in code order; the nine formats without parameters each have one.
std::span<const FormatEditor> FormatEditors();
// The editor of a stored code; none for Plectron Two Tone and unknown codes,
// which are listed but cannot be edited.
const FormatEditor* EditorOf(std::uint8_t code);

// The pulse standard tone's entries and their stored frequencies (0.1 Hz).
std::span<const std::string_view> PulseStandardToneEntries();
std::uint16_t PulseStandardToneValue(int index);
int PulseStandardToneIndex(std::uint16_t stored);  // -1 for any other value
