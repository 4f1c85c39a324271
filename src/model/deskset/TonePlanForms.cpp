// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/TonePlanForms.h"

#include "model/deskset/ChannelFields.h"
#include "model/deskset/ChannelLists.h"
#include "model/editing/FormFields.h"

namespace {

namespace c = layout::channel;

// In TonePlan1Number order.
constexpr std::array<Field, kTonePlan1NumberCount> kTonePlan1Numbers{
    channel_fields::kHlgtDuration,      channel_fields::kHlgtLevel,
    channel_fields::kLlgtLevel,         channel_fields::kFunctionToneDuration,
    channel_fields::kFunctionToneLevel,
};

// In TonePlan1Tone order.
constexpr std::array<Field, kTonePlan1ToneCount> kTonePlan1Tones{
    channel_fields::kGuardTone,           channel_fields::kEncryptionCodedTone,
    channel_fields::kEncryptionClearTone, channel_fields::kMonitorTone,
    channel_fields::kRepeaterEnableTone,  channel_fields::kRepeaterDisableTone,
};

constexpr std::array<Field, kWildcardCount> kWildcards{
    channel_fields::kWildcard1OnTone,
    channel_fields::kWildcard1OffTone,
    channel_fields::kWildcard2OnTone,
    channel_fields::kWildcard2OffTone,
};

}  // namespace

int LoadTone(const ChannelRecord& record, const Field& field) {
    return field.list().IndexOf(field.entryOf(record.U16(field.spec)));
}

void StoreTone(ChannelRecord& record, const Field& field, int index) {
    record.SetU16(field.spec, ToneOfEntry(field.list(), index));
}

namespace {

template <std::size_t N>
std::array<int, N> LoadTones(const ChannelRecord& record, const std::array<Field, N>& fields) {
    std::array<int, N> indexes{};
    for (std::size_t k = 0; k < N; ++k) {
        indexes[k] = LoadTone(record, fields[k]);
    }
    return indexes;
}

template <std::size_t N>
void StoreTones(ChannelRecord& record, const std::array<Field, N>& fields,
                const std::array<int, N>& indexes) {
    for (std::size_t k = 0; k < N; ++k) {
        StoreTone(record, fields[k], indexes[k]);
    }
}

}  // namespace

const ChoiceList& EntriesOf(TonePlan1Tone tone) {
    return kTonePlan1Tones[static_cast<std::size_t>(tone)].list();
}

TonePlan1Form LoadTonePlan1(const ChannelRecord& record) {
    TonePlan1Form form;
    form.tones = LoadTones(record, kTonePlan1Tones);
    form.numbers = ShowNumbers(record, kTonePlan1Numbers);
    return form;
}

Validation<TonePlan1Number> ValidateTonePlan1(const TonePlan1Form& form) {
    return CheckNumbers<TonePlan1Number>(kTonePlan1Numbers, form.numbers);
}

void WriteTonePlan1(const TonePlan1Form& form, ChannelRecord& record) {
    StoreTones(record, kTonePlan1Tones, form.tones);
    StoreNumbers(record, kTonePlan1Numbers, form.numbers);
}

TonePlan2Form LoadTonePlan2(const ChannelRecord& record) {
    TonePlan2Form form;
    form.rows = LoadFrequencyRows<TonePlan2Form::kFrequencies>(
        record, [&record](std::size_t f) { return ToneIndex(record.FunctionTone(f)); });
    form.wildcards = LoadTones(record, kWildcards);
    return form;
}

void WriteTonePlan2(const TonePlan2Form& form, ChannelRecord& record) {
    StoreFrequencyRows(record, form.rows, [&record](std::size_t f, int index) {
        record.SetFunctionTone(f, ToneOfEntry(ToneList(), index));
    });
    StoreTones(record, kWildcards, form.wildcards);
}
