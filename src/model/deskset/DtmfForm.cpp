// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/DtmfForm.h"

#include "model/deskset/ChannelCodes.h"
#include "model/deskset/ChannelFields.h"
#include "model/deskset/ChannelLists.h"
#include "model/editing/FormFields.h"

namespace {

namespace d = layout::channel::dtmf;

constexpr std::array<Field, kDtmfNumberCount> kFields{
    channel_fields::dtmf::kDigitDuration,
    channel_fields::dtmf::kInterdigitTiming,
};

int DigitIndex(int digits) {
    return DigitCountList().IndexOfCode(digits - 1);
}

DtmfForm Defaults() {
    DtmfForm form;
    form.minDigits = DigitIndex(3);
    form.maxDigits = DigitIndex(8);
    form.numbers = {"60", "40"};
    return form;
}

}  // namespace

DtmfForm LoadDtmf(const ChannelRecord& record) {
    using channel_codes::LayoutOfOption;
    if (LayoutOfOption(record.U8(layout::channel::kSignalingOption)) !=
        channel_codes::OptionLayout::Dtmf) {
        return Defaults();
    }
    DtmfForm form;
    form.minDigits = DigitIndex(record.U8(d::kMinDigits));
    form.maxDigits = DigitIndex(record.U8(d::kMaxDigits));
    form.numbers = ShowNumbers(record, kFields);
    return form;
}

Validation<DtmfField> ValidateDtmf(const DtmfForm& form) {
    return CheckNumbers<DtmfField>(kFields, form.numbers);
}

void WriteDtmf(const DtmfForm& form, ChannelRecord& record) {
    StoreIndex(record, d::kMinDigits, form.minDigits < 0 ? -1 : form.minDigits + 1);
    StoreIndex(record, d::kMaxDigits, form.maxDigits < 0 ? -1 : form.maxDigits + 1);
    StoreNumbers(record, kFields, form.numbers);
}

void ChooseMinDigits(DtmfForm& form, int index) {
    form.minDigits = index;
    if (index >= 0 && index > form.maxDigits) {
        form.maxDigits = index;
    }
}

void ChooseMaxDigits(DtmfForm& form, int index) {
    form.maxDigits = index;
    if (index >= 0 && form.minDigits > index) {
        form.minDigits = index;
    }
}
