#include "config/deskset/DesksetSettingsForm.h"

#include "app/ButtonTable.h"
#include "app/DesksetSettings.h"
#include "app/ImageDefaults.h"
#include "config/common/FormFields.h"

namespace d = layout::deskset;

namespace {

constexpr char kNotAPositiveInteger[] = "Please enter a positive integer.";

struct NumberRule {
    std::size_t offset;
    int maximum;
    const char* message;
};

// By DesksetField, in the order the checks run.
constexpr std::array<NumberRule, kDesksetNumberCount> kNumberRules{{
    {d::kPagingVoiceAnnotation, 60, "Paging voice annotation must be between 0 and 60 sec."},
    {d::kTransmitDelay, 500, "Transmit delay must be between 0 and 500 ms."},
    {d::kPageKeyUpDelay, 60, "Page key up delay must be between 0 and 60 sec."},
}};

const NumberRule& RuleOf(DesksetField field) {
    return kNumberRules[static_cast<std::size_t>(field)];
}

long StoredNumber(DesksetSettings& settings, DesksetField field) {
    return field == DesksetField::TransmitDelay ? settings.TransmitDelay()
                                                : settings.Get(RuleOf(field).offset);
}

ChoiceList Numbers(int first, int last) {
    std::vector<std::string> entries;
    for (int n = first; n <= last; ++n) {
        entries.push_back(std::to_string(n));
    }
    return ChoiceList(std::move(entries));
}

int ListIndex(DesksetSettings& settings, std::size_t offset, const ChoiceList& list) {
    return list.IndexOfCode(settings.Get(offset));
}

// No selection keeps whatever the byte holds.
void StoreListIndex(DesksetSettings& settings, std::size_t offset, int index) {
    if (index >= 0) {
        settings.Set(offset, static_cast<std::uint8_t>(index));
    }
}

}  // namespace

const ChoiceList& DesksetTypeList() {
    static const ChoiceList list({"Advanced Single Channel", "Advanced Multi-Channel"});
    return list;
}

const ChoiceList& MuteTimerList() {
    static const ChoiceList list = Numbers(0, 60);
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
    return RuleOf(field).maximum;
}

DesksetSettingsForm LoadDesksetSettings(ConfigImage& image) {
    DesksetSettings settings(image);
    DesksetSettingsForm form;
    form.desksetType = settings.DesksetType() == d::kTypeSingleChannel ? 0 : 1;
    form.muteTimer = std::string(
        MuteTimerList().At(MuteTimerList().IndexOf(std::to_string(settings.Get(d::kMuteTimer)))));
    form.muteLevel = ListIndex(settings, d::kMuteLevel, MuteLevelList());
    form.printerBaudRate = ListIndex(settings, d::kPrinterBaudRate, PrinterBaudRateList());
    form.hourMode = ListIndex(settings, d::kHourMode, HourModeList());
    form.pagingFeedback = ListIndex(settings, d::kPagingFeedback, PagingFeedbackList());
    for (std::size_t k = 0; k < kDesksetNumberCount; ++k) {
        form.numbers[k] = std::to_string(StoredNumber(settings, static_cast<DesksetField>(k)));
    }
    form.useUnselectSpeaker = settings.Get(d::kUseUnselectSpeaker) != 0;
    form.externalMic = settings.Get(d::kExternalMicPresent) != 0;
    form.displayTime = settings.Get(d::kDisplayTime) != 0;
    form.micAgc = settings.Get(d::kMicAgc) != 0;
    form.handsetPresent = settings.Get(d::kHandsetPresent) != 0;
    for (std::size_t relay = 0; relay < d::kRelayCount; ++relay) {
        form.relayLatching[relay] = settings.Get(d::kRelayLatching + relay) != 0;
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
    for (std::size_t k = 0; k < kDesksetNumberCount; ++k) {
        const auto value = ParseDecimal(form.numbers[k], false);
        result.Check(value && *value <= kNumberRules[k].maximum, static_cast<DesksetField>(k),
                     kNumberRules[k].message);
    }
    return result;
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
    DesksetSettings(image).Set(d::kDesksetType, d::kTypeSingleChannel);
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
    DesksetSettings(image).Set(d::kDesksetType, d::kTypeFourChannel);
}

void WriteDesksetSettings(const DesksetSettingsForm& form, ConfigImage& image) {
    DesksetSettings settings(image);
    settings.Set(d::kDesksetType,
                 form.IsFourChannel() ? d::kTypeFourChannel : d::kTypeSingleChannel);
    const auto muteTimer = ParseDecimal(form.muteTimer, false);
    settings.Set(d::kMuteTimer, static_cast<std::uint8_t>(muteTimer.value_or(0)));
    StoreListIndex(settings, d::kMuteLevel, form.muteLevel);
    StoreListIndex(settings, d::kPrinterBaudRate, form.printerBaudRate);
    StoreListIndex(settings, d::kHourMode, form.hourMode);
    StoreListIndex(settings, d::kPagingFeedback, form.pagingFeedback);
    for (std::size_t k = 0; k < kDesksetNumberCount; ++k) {
        const auto field = static_cast<DesksetField>(k);
        const auto value =
            static_cast<std::uint16_t>(ParseDecimal(form.numbers[k], false).value_or(0));
        if (field == DesksetField::TransmitDelay) {
            settings.SetTransmitDelay(value);
        } else {
            settings.Set(kNumberRules[k].offset, static_cast<std::uint8_t>(value));
        }
    }
    settings.Set(d::kUseUnselectSpeaker, form.useUnselectSpeaker);
    settings.Set(d::kExternalMicPresent, form.externalMic);
    settings.Set(d::kDisplayTime, form.displayTime);
    settings.Set(d::kMicAgc, form.micAgc);
    settings.Set(d::kHandsetPresent, form.handsetPresent);
    for (std::size_t relay = 0; relay < d::kRelayCount; ++relay) {
        settings.Set(d::kRelayLatching + relay, form.relayLatching[relay]);
    }
}
