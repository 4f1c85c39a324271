// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/DesksetSettingsForm.h"

#include "model/ButtonTable.h"
#include "model/DesksetSettings.h"
#include "model/ImageDefaults.h"
#include "model/deskset/DesksetFields.h"
#include "model/editing/FormFields.h"

namespace d = layout::deskset;

namespace {

constexpr char kNotAPositiveInteger[] = "Please enter a positive integer.";

// By DesksetField, in the order the checks run.
constexpr std::array<Field, kDesksetNumberCount> kNumbers{
    deskset_fields::kPagingVoiceAnnotation,
    deskset_fields::kTransmitDelay,
    deskset_fields::kPageKeyUpDelay,
};

}  // namespace

const ChoiceList& DesksetTypeList() {
    static const ChoiceList list({"Advanced Single Channel", "Advanced Multi-Channel"});
    return list;
}

const ChoiceList& MuteTimerList() {
    static const ChoiceList list = ChoiceList::Numbers(0, 60);
    return list;
}

const ChoiceList& MuteLevelList() {
    static const ChoiceList list({"Half Mute", "Full Mute"});
    return list;
}

const ChoiceList& PrinterBaudRateList() {
    static const ChoiceList list(
        {"1200   bps", "2400   bps", "4800   bps", "9600   bps", "19200 bps"});
    return list;
}

const ChoiceList& HourModeList() {
    static const ChoiceList list({"12 Hour", "24 Hour"});
    return list;
}

const ChoiceList& PagingFeedbackList() {
    static const ChoiceList list({"Loud", "Soft", "None"});
    return list;
}

int DesksetNumberMaximum(DesksetField field) {
    return static_cast<int>(kNumbers[static_cast<std::size_t>(field)].max);
}

DesksetSettingsForm LoadDesksetSettings(ConfigImage& image) {
    DesksetSettings settings(image);
    DesksetSettingsForm form;
    form.desksetType = settings.DesksetType() == d::kTypeSingleChannel ? 0 : 1;
    form.muteTimer = std::string(
        MuteTimerList().At(MuteTimerList().IndexOf(std::to_string(settings.U8(d::kMuteTimer)))));
    form.muteLevel = LoadIndex(settings, deskset_fields::kMuteLevel);
    form.printerBaudRate = LoadIndex(settings, deskset_fields::kPrinterBaudRate);
    form.hourMode = LoadIndex(settings, deskset_fields::kHourMode);
    form.pagingFeedback = LoadIndex(settings, deskset_fields::kPagingFeedback);
    form.numbers = ShowNumbers(settings, kNumbers);
    form.useUnselectSpeaker = LoadFlag(settings, deskset_fields::kUseUnselectSpeaker);
    form.externalMic = LoadFlag(settings, deskset_fields::kExternalMicPresent);
    form.displayTime = LoadFlag(settings, deskset_fields::kDisplayTime);
    form.micAgc = LoadFlag(settings, deskset_fields::kMicAgc);
    form.handsetPresent = LoadFlag(settings, deskset_fields::kHandsetPresent);
    for (std::size_t relay = 0; relay < d::kRelayCount; ++relay) {
        form.relayLatching[relay] = LoadFlag(settings, deskset_fields::kRelayLatching.At(relay));
    }
    return form;
}

Validation<DesksetField> ValidateDesksetSettings(const DesksetSettingsForm& form) {
    Validation<DesksetField> result;
    // Every edit must hold a number before any range is looked at.
    for (std::size_t k = 0; k < kDesksetNumberCount; ++k) {
        result.Check(ParseDecimal(form.numbers[k], false).has_value(), static_cast<DesksetField>(k),
                     kNotAPositiveInteger);
    }
    const auto ranges = CheckNumbers<DesksetField>(kNumbers, form.numbers);
    return result.Check(ranges.Ok(), ranges.field, ranges.message);
}

DesksetTypeChange TypeChangeOf(ConfigImage& image, const DesksetSettingsForm& form) {
    const std::uint8_t stored = DesksetSettings(image).DesksetType();
    if (stored == d::kTypeFourChannel && !form.IsFourChannel()) {
        return DesksetTypeChange::FourToSingle;
    }
    if (stored == d::kTypeSingleChannel && form.IsFourChannel()) {
        return DesksetTypeChange::SingleToFour;
    }
    return DesksetTypeChange::None;
}

void MakeSingleChannel(ConfigImage& image) {
    DesksetSettings(image).SetU8(d::kDesksetType, d::kTypeSingleChannel);
    for (std::size_t channel = 1; channel < layout::channel::kCount; ++channel) {
        SetChannelDefaults(image, channel);
    }
    ButtonTable buttons(image);
    for (std::size_t key = 0; key < ButtonTable::kCount; ++key) {
        const auto kind = static_cast<ButtonKind>(buttons.KindCode(key));
        const bool multiChannelOnly = kind == ButtonKind::AllMute || kind == ButtonKind::Patch ||
                                      kind == ButtonKind::MultiSelect ||
                                      kind == ButtonKind::VolumeAdjust;
        const bool muteOfOtherChannel = kind == ButtonKind::Mute && buttons.Value(key) != 1;
        if (multiChannelOnly || muteOfOtherChannel) {
            buttons.Clear(key);
        }
    }
}

void MakeFourChannel(ConfigImage& image) {
    DesksetSettings(image).SetU8(d::kDesksetType, d::kTypeFourChannel);
}

void WriteDesksetSettings(const DesksetSettingsForm& form, ConfigImage& image) {
    DesksetSettings settings(image);
    settings.SetU8(d::kDesksetType,
                   form.IsFourChannel() ? d::kTypeFourChannel : d::kTypeSingleChannel);
    const auto muteTimer = ParseDecimal(form.muteTimer, false);
    settings.SetU8(d::kMuteTimer, static_cast<std::uint8_t>(muteTimer.value_or(0)));
    StoreIndex(settings, deskset_fields::kMuteLevel, form.muteLevel);
    StoreIndex(settings, deskset_fields::kPrinterBaudRate, form.printerBaudRate);
    StoreIndex(settings, deskset_fields::kHourMode, form.hourMode);
    StoreIndex(settings, deskset_fields::kPagingFeedback, form.pagingFeedback);
    StoreNumbers(settings, kNumbers, form.numbers);
    StoreFlag(settings, deskset_fields::kUseUnselectSpeaker, form.useUnselectSpeaker);
    StoreFlag(settings, deskset_fields::kExternalMicPresent, form.externalMic);
    StoreFlag(settings, deskset_fields::kDisplayTime, form.displayTime);
    StoreFlag(settings, deskset_fields::kMicAgc, form.micAgc);
    StoreFlag(settings, deskset_fields::kHandsetPresent, form.handsetPresent);
    for (std::size_t relay = 0; relay < d::kRelayCount; ++relay) {
        StoreFlag(settings, deskset_fields::kRelayLatching.At(relay), form.relayLatching[relay]);
    }
}
