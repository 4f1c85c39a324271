// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The entries of every list on the channel wizard's pages, and the list
// indexes that stored values select.

#include <cstdint>
#include <optional>

#include "model/editing/ChoiceList.h"

// Tx and Rx AGC levels: the 42 levels from -30 to 11 dBm, rising.
const ChoiceList& LevelList();
inline constexpr int kLowestLevel = -30;
inline constexpr int kHighestLevel = 11;
// DC currents: 63 entries from "-15.5" to "15.5" mA in steps of 0.5.
const ChoiceList& DcCurrentList();
// Function, monitor, encryption, repeater and wildcard tones: "None", then 550 to 2050 Hz.
const ChoiceList& ToneList();
// Guard tone frequencies in hertz.
const ChoiceList& GuardToneList();

// Lists whose index is the stored code.
// The keying and signaling option radio buttons, by code.
const ChoiceList& KeyingList();
const ChoiceList& SignalingOptionList();
const ChoiceList& InterfaceList();
const ChoiceList& TerminationList();
const ChoiceList& ParallelStatusList();
const ChoiceList& CrossMuteList();
// The relay and sense assignments: "None", then relay or input 1 to 4.
const ChoiceList& AssignmentList();
// DTMF minimum and maximum digits "1" to "8" (index = value - 1).
const ChoiceList& DigitCountList();
// Stat alert retry constant "2" to "17" (index = value - 2).
const ChoiceList& RetryConstantList();

// The entry a stored value selects, -1 for none; and the value an entry stands for.
int LevelIndex(std::int8_t dbm);
std::optional<std::int8_t> LevelOfEntry(int index);
int DcCurrentIndex(std::int8_t halfMilliamperes);
// An empty selection is 0.
std::int8_t DcCurrentOfEntry(int index);
int ToneIndex(std::uint16_t tenthsOfHz);
int GuardToneIndex(std::uint16_t tenthsOfHz);
// "None" and an empty selection are 0.
std::uint16_t ToneOfEntry(const ChoiceList& list, int index);
