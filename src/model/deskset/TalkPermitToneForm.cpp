#include "model/deskset/TalkPermitToneForm.h"

#include "model/editing/FormFields.h"

namespace {

namespace c = layout::channel;

constexpr std::array<NumberField, kTalkPermitFieldCount> kFields{{
    {c::kTalkPermitTimeOut, 0, 60000, "Time out must be between 0 and 60000 ms."},
    // Stored in tenths of a hertz, edited in hertz.
    {c::kTalkPermitFrequency, 200, 3400, "Frequency must be between 200 and 3400 Hz."},
    {c::kTalkPermitBeepCount, 0, 5, "Number of beeps must be between 0 and 5."},
    {c::kTalkPermitBeepDuration, 0, 60000, "Beep duration must be between 0 and 60000 ms."},
    {c::kTalkPermitPauseDuration, 0, 60000, "Pause duration must be between 0 and 60000 ms."},
    {c::kTalkPermitPostTime, 0, 60000, "Talk permit post time must be between 0 and 60000 ms."},
}};

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
