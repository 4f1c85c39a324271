// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The deskset settings window's working values and rules: loading, the
// checks on OK, the deskset type change and writing.

#include <array>
#include <string>

#include "model/ConfigImage.h"
#include "model/editing/ChoiceList.h"
#include "model/editing/Validation.h"

// The three numeric edits, in the order they are checked.
enum class DesksetField { PagingVoiceAnnotation, TransmitDelay, PageKeyUpDelay };
inline constexpr std::size_t kDesksetNumberCount = 3;

struct DesksetSettingsForm {
    int desksetType = 1;    // index in DesksetTypeList: 0 single channel, 1 multi-channel
    std::string muteTimer;  // the selected entry's text, empty for none
    int muteLevel = -1;     // list indexes; -1 no selection
    int printerBaudRate = -1;
    int hourMode = -1;
    int pagingFeedback = -1;
    std::array<std::string, kDesksetNumberCount> numbers;  // by DesksetField
    bool useUnselectSpeaker = false;
    bool externalMic = false;
    bool displayTime = false;
    bool micAgc = false;
    bool handsetPresent = false;
    std::array<bool, layout::deskset::kRelayCount> relayLatching{};

    std::string& Number(DesksetField field) { return numbers[static_cast<std::size_t>(field)]; }
    bool IsFourChannel() const { return desksetType == 1; }
};

const ChoiceList& DesksetTypeList();
const ChoiceList& MuteTimerList();  // "0" to "60"
const ChoiceList& MuteLevelList();
const ChoiceList& PrinterBaudRateList();
const ChoiceList& HourModeList();
const ChoiceList& PagingFeedbackList();
// The ranges of the numeric edits, by DesksetField.
int DesksetNumberMaximum(DesksetField field);

// The mute timer, mute level and unselect speaker apply to a four-channel deskset only.
inline bool MultiChannelControlsEnabled(const DesksetSettingsForm& form) {
    return form.IsFourChannel();
}

DesksetSettingsForm LoadDesksetSettings(ConfigImage& image);
Validation<DesksetField> ValidateDesksetSettings(const DesksetSettingsForm& form);

enum class DesksetTypeChange { None, FourToSingle, SingleToFour };
DesksetTypeChange TypeChangeOf(ConfigImage& image, const DesksetSettingsForm& form);

// Channels 2 to 4 back to their defaults, and the keys a single-channel deskset
// does not have back to Not Defined (Mute of channel 1 stays).
void MakeSingleChannel(ConfigImage& image);

// The deskset type becomes four channels; no channel record changes.
void MakeFourChannel(ConfigImage& image);

// Writes every field, the deskset type included.
void WriteDesksetSettings(const DesksetSettingsForm& form, ConfigImage& image);
