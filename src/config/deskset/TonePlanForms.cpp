#include "config/deskset/TonePlanForms.h"

#include "config/deskset/ChannelLists.h"
#include "config/deskset/FormFields.h"

namespace {

namespace c = layout::channel;
using Storage = NumberField::Storage;

// In TonePlan1Number order.
constexpr std::array<NumberField, kTonePlan1NumberCount> kTonePlan1Numbers{{
    {c::kHlgtDuration, Storage::U16, 1, 0, 60000, "HLGT duration must be between 0 and 60000 ms."},
    {c::kHlgtLevel, Storage::S8, 1, -30, 10, "HLGT level must be between 10 and -30 dB."},
    {c::kLlgtLevel, Storage::S8, 1, -30, 10, "LLGT level must be between 10 and -30 dB."},
    {c::kFunctionToneDuration, Storage::U16, 1, 0, 60000,
     "Function tones duration must be between 0 and 60000 ms."},
    {c::kFunctionToneLevel, Storage::S8, 1, -30, 10,
     "Function tones level must be between 10 and -30 dB."},
}};

// In TonePlan1Tone order.
const std::array<ToneField, kTonePlan1ToneCount> kTonePlan1Tones{{
    {c::kGuardToneFrequency, true},
    {c::kEncryptionCodedTone},
    {c::kEncryptionClearTone},
    {c::kMonitorTone},
    {c::kRepeaterEnableTone},
    {c::kRepeaterDisableTone},
}};

const std::array<ToneField, kWildcardCount> kWildcards{{
    {c::kWildcard1OnTone},
    {c::kWildcard1OffTone},
    {c::kWildcard2OnTone},
    {c::kWildcard2OffTone},
}};

}  // namespace

const ChoiceList& ToneField::Entries() const {
    return guard ? GuardToneList() : ToneList();
}

int LoadTone(const ChannelRecord& record, const ToneField& field) {
    const std::uint16_t tenths = record.U16(field.offset);
    return field.guard ? GuardToneIndex(tenths) : ToneIndex(tenths);
}

void StoreTone(ChannelRecord& record, const ToneField& field, int index) {
    record.SetU16(field.offset, ToneOfEntry(field.Entries(), index));
}

const ChoiceList& EntriesOf(TonePlan1Tone tone) {
    return kTonePlan1Tones[static_cast<std::size_t>(tone)].Entries();
}

TonePlan1Form LoadTonePlan1(const ChannelRecord& record) {
    TonePlan1Form form;
    for (std::size_t k = 0; k < kTonePlan1ToneCount; ++k) {
        form.tones[k] = LoadTone(record, kTonePlan1Tones[k]);
    }
    for (std::size_t k = 0; k < kTonePlan1NumberCount; ++k) {
        form.numbers[k] = ShowNumber(record, kTonePlan1Numbers[k]);
    }
    return form;
}

Validation<TonePlan1Number> ValidateTonePlan1(const TonePlan1Form& form) {
    Validation<TonePlan1Number> result;
    for (std::size_t k = 0; k < kTonePlan1NumberCount; ++k) {
        result.Check(AcceptsNumber(kTonePlan1Numbers[k], form.numbers[k]),
                     static_cast<TonePlan1Number>(k), kTonePlan1Numbers[k].message);
    }
    return result;
}

void WriteTonePlan1(const TonePlan1Form& form, ChannelRecord& record) {
    for (std::size_t k = 0; k < kTonePlan1ToneCount; ++k) {
        StoreTone(record, kTonePlan1Tones[k], form.tones[k]);
    }
    for (std::size_t k = 0; k < kTonePlan1NumberCount; ++k) {
        StoreNumber(record, kTonePlan1Numbers[k], form.numbers[k]);
    }
}

TonePlan2Form LoadTonePlan2(const ChannelRecord& record) {
    TonePlan2Form form;
    for (std::size_t f = 0; f < TonePlan2Form::kFrequencies; ++f) {
        form.labels[f] = record.Label(f);
        form.tones[f] = ToneIndex(record.FunctionTone(f));
        form.detection[f] = record.DetectionFlag(f);
    }
    for (std::size_t k = 0; k < kWildcardCount; ++k) {
        form.wildcards[k] = LoadTone(record, kWildcards[k]);
    }
    return form;
}

void WriteTonePlan2(const TonePlan2Form& form, ChannelRecord& record) {
    for (std::size_t f = 0; f < TonePlan2Form::kFrequencies; ++f) {
        record.SetLabel(f, form.labels[f]);
        record.SetFunctionTone(f, ToneOfEntry(ToneList(), form.tones[f]));
        record.SetDetectionFlag(f, form.detection[f]);
    }
    for (std::size_t k = 0; k < kWildcardCount; ++k) {
        StoreTone(record, kWildcards[k], form.wildcards[k]);
    }
}
