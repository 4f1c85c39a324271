#include "config/deskset/TalkPermitToneForm.h"

#include "config/deskset/FormFields.h"

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
    TalkPermitToneForm form;
    for (std::size_t k = 0; k < kTalkPermitFieldCount; ++k) {
        form.numbers[k] = ShowNumber(record, kFields[k]);
    }
    return form;
}

Validation<TalkPermitField> ValidateTalkPermitTone(const TalkPermitToneForm& form) {
    Validation<TalkPermitField> result;
    for (std::size_t k = 0; k < kTalkPermitFieldCount; ++k) {
        result.Check(AcceptsNumber(kFields[k], form.numbers[k]), static_cast<TalkPermitField>(k),
                     kFields[k].message);
    }
    return result;
}

void WriteTalkPermitTone(const TalkPermitToneForm& form, ChannelRecord& record) {
    for (std::size_t k = 0; k < kTalkPermitFieldCount; ++k) {
        StoreNumber(record, kFields[k], form.numbers[k]);
    }
}
