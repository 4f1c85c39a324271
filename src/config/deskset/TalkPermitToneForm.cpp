#include "config/deskset/TalkPermitToneForm.h"

#include "config/common/FormFields.h"

namespace {

namespace c = layout::channel;
using Storage = NumberField::Storage;

constexpr std::array<NumberField, kTalkPermitFieldCount> kFields{{
    {c::kTalkPermitTimeOut, Storage::U16, 1, 0, 60000, "Time out must be between 0 and 60000 ms."},
    // Stored in tenths of a hertz, edited in hertz.
    {c::kTalkPermitFrequency, Storage::U16, 10, 200, 3400,
     "Frequency must be between 200 and 3400 Hz."},
    {c::kTalkPermitBeepCount, Storage::U8, 1, 0, 5, "Number of beeps must be between 0 and 5."},
    {c::kTalkPermitBeepDuration, Storage::U16, 1, 0, 60000,
     "Beep duration must be between 0 and 60000 ms."},
    {c::kTalkPermitPauseDuration, Storage::U16, 1, 0, 60000,
     "Pause duration must be between 0 and 60000 ms."},
    {c::kTalkPermitPostTime, Storage::U16, 1, 0, 60000,
     "Talk permit post time must be between 0 and 60000 ms."},
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
