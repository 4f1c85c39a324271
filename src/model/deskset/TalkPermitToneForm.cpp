// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/TalkPermitToneForm.h"

#include "model/deskset/ChannelFields.h"
#include "model/editing/FormFields.h"

namespace {

namespace c = layout::channel;

constexpr std::array<Field, kTalkPermitFieldCount> kFields{
    channel_fields::kTalkPermitTimeOut,       channel_fields::kTalkPermitFrequency,
    channel_fields::kTalkPermitBeepCount,     channel_fields::kTalkPermitBeepDuration,
    channel_fields::kTalkPermitPauseDuration, channel_fields::kTalkPermitPostTime,
};

}  // namespace

TalkPermitToneForm LoadTalkPermitTone(const ChannelRecord& record) {
    return {ShowNumbers(record, kFields)};
}

Validation<TalkPermitField> ValidateTalkPermitTone(const TalkPermitToneForm& form) {
    return CheckNumbers<TalkPermitField>(kFields, form.numbers);
}

void WriteTalkPermitTone(const TalkPermitToneForm& form, ChannelRecord& record) {
    StoreNumbers(record, kFields, form.numbers);
}
