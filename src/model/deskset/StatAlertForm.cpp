// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/StatAlertForm.h"

#include "model/deskset/ChannelCodes.h"
#include "model/deskset/ChannelConversions.h"
#include "model/deskset/ChannelFields.h"
#include "model/deskset/ChannelLists.h"
#include "model/editing/FormFields.h"

namespace {

namespace s = layout::channel::stat_alert;

// In StatAlertNumber order.
constexpr std::array<Field, kStatAlertNumberCount> kNumbers{
    channel_fields::stat_alert::kLeadingPretime, channel_fields::stat_alert::kTrailingPretime,
    channel_fields::stat_alert::kRacPretime,     channel_fields::stat_alert::kLimitedPatience,
    channel_fields::stat_alert::kDosCoast,
};

constexpr std::string_view kEmptyRacMessage =
    "Default RAC field cannot be empty.\nValid characters are : 0 to 9 and A to F";

const Field& Rule(StatAlertNumber n) {
    return kNumbers[static_cast<std::size_t>(n)];
}

int RetryIndex(int value) {
    return RetryConstantList().IndexOf(std::to_string(value));
}

StatAlertForm Defaults() {
    StatAlertForm form;
    form.mode = 0;
    form.pretimeKind = 0;
    form.numbers = {"200", "0", "0", "0", "0"};
    form.defaultRac = RacText(1);
    form.retryConstant = RetryIndex(2);
    form.busyTimer = false;
    form.emergencyAcknowledge = true;
    return form;
}

}  // namespace

StatAlertForm LoadStatAlert(const ChannelRecord& record) {
    namespace cc = channel_codes;
    StatAlertForm form;
    if (cc::LayoutOfOption(record.U8(layout::channel::kSignalingOption)) !=
        cc::OptionLayout::StatAlert) {
        form = Defaults();
    } else {
        form.mode = cc::RadioIndex(record.U8(s::kMode), kStatAlertModeCount);
        form.pretimeKind = cc::RadioIndex(record.U8(s::kPretimeKind), kPretimeKindCount);
        form.numbers = ShowNumbers(record, kNumbers);
        form.defaultRac = RacText(record.U16(s::kDefaultRac));
        form.retryConstant = RetryIndex(record.U8(s::kRetryConstant));
        form.busyTimer = LoadFlag(record, s::kBusyTimer);
        form.emergencyAcknowledge = LoadFlag(record, s::kEmergencyAcknowledge);
    }
    form.racMode = cc::RadioIndex(record.U8(s::kRacMode), kRacModeCount);
    return form;
}

Validation<StatAlertField> ValidateStatAlert(const StatAlertForm& form) {
    using enum StatAlertNumber;
    const auto accepts = [&form](StatAlertNumber n) {
        return AcceptsNumber(Rule(n), form.Number(n));
    };
    Validation<StatAlertField> result;
    result.Check(ParseDecimal(form.Number(LimitedPatience), false).has_value(),
                 StatAlertField::LimitedPatience, kPositiveIntegerMessage);
    result
        .Check(accepts(LeadingPretime), StatAlertField::LeadingPretime,
               Rule(LeadingPretime).message)
        .Check(accepts(TrailingPretime), StatAlertField::TrailingPretime,
               Rule(TrailingPretime).message)
        .Check(!form.defaultRac.empty(), StatAlertField::DefaultRac, kEmptyRacMessage)
        .Check(accepts(RacPretime), StatAlertField::RacPretime, Rule(RacPretime).message)
        .Check(accepts(LimitedPatience), StatAlertField::LimitedPatience,
               Rule(LimitedPatience).message)
        .Check(accepts(DosCoast), StatAlertField::DosCoast, Rule(DosCoast).message);
    return result;
}

void WriteStatAlert(const StatAlertForm& form, ChannelRecord& record) {
    StoreIndex(record, s::kMode, form.mode);
    StoreIndex(record, s::kPretimeKind, form.pretimeKind);
    StoreIndex(record, s::kRacMode, form.racMode);
    StoreFlag(record, s::kBusyTimer, form.busyTimer);
    StoreFlag(record, s::kEmergencyAcknowledge, form.emergencyAcknowledge);
    if (const auto retry = ParseDecimal(RetryConstantList().At(form.retryConstant), false)) {
        record.SetU8(s::kRetryConstant, static_cast<std::uint8_t>(*retry));
    }
    StoreNumbers(record, kNumbers, form.numbers);
    if (const auto rac = RacFromText(form.defaultRac)) {
        record.SetU16(s::kDefaultRac, *rac);
    }
}
