// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/CustomToneForm.h"

#include <algorithm>
#include <limits>

#include "model/CustomPagingTone.h"
#include "model/editing/CharFilter.h"
#include "model/editing/FormFields.h"
#include "model/editing/RecordTable.h"
#include "model/paging/DurationText.h"

namespace {

using F = CustomToneField;

constexpr std::string_view kToneCharacters = "0123456789.";
constexpr F kDurations[] = {F::InhibitDelay, F::FirstToneDuration, F::IntertoneDelay,
                            F::SecondToneDuration};

std::optional<std::size_t> LowestFreeTone(const ConfigImage& image) {
    return RecordTable(image, list_tables::kCustomTones).LowestFree();
}

std::optional<long> ParseNumber(const CustomToneForm& form) {
    return ParseDecimal(form[F::Number], false);
}

std::uint16_t DurationOf(const CustomToneForm& form, F field) {
    return static_cast<std::uint16_t>(ParseDuration(form[field]).value_or(0));
}

std::uint16_t ToneOf(const CustomToneForm& form, F field) {
    return static_cast<std::uint16_t>(ParseToneTenths(form[field]).value_or(0));
}

CustomToneEdit EditNumber(CustomToneForm& form, const ConfigImage& image,
                          std::optional<std::size_t> record) {
    CustomToneEdit edit;
    if (form[F::Number].empty()) {
        return edit;
    }
    edit.validation = ValidateToneFields(form);
    const std::optional<long> number = ParseNumber(form);
    if (number && *number >= static_cast<long>(layout::custom_tone::kCount)) {
        // With every record in use there is no lowest free one to offer.
        const std::optional<std::size_t> free = LowestFreeTone(image);
        form[F::Number] = free ? std::to_string(*free) : OpenedToneNumber(image, record);
        edit.changed = true;
        edit.caret = CustomToneEdit::Caret::SelectAll;
    }
    return edit;
}

CustomToneEdit EditDuration(CustomToneForm& form, F field) {
    CustomToneEdit edit;
    if (form[field].empty()) {
        return edit;
    }
    edit.validation = ValidateToneFields(form);
    if (CutDuration(form[field])) {
        edit.changed = true;
        edit.caret = CustomToneEdit::Caret::SelectAll;
    }
    return edit;
}

CustomToneEdit EditTone(CustomToneForm& form, F field) {
    CustomToneEdit edit;
    edit.validation = ValidateToneFields(form);
    std::string& text = form[field];
    if (text.empty()) {
        return edit;
    }
    const std::string typed = text;
    if (!AllWithin(text, kToneCharacters) || std::ranges::count(text, '.') > 1) {
        text.pop_back();
    } else if (ParseToneTenths(text).value_or(0) >= kToneMaxTenths) {
        edit.message = kToneRangeMessage;
        text = ShowToneTenths(kToneMaxTenths);
        edit.changed = true;
        edit.caret = CustomToneEdit::Caret::SelectAll;
        return edit;
    } else if (const std::size_t point = text.find('.');
               point != std::string::npos && text.size() > point + 2) {
        text.resize(point + 2);
    }
    edit.changed = text != typed;
    edit.caret = CustomToneEdit::Caret::AtEnd;
    return edit;
}

// Room for a pasted frequency; the typing rule cuts it to one.
constexpr std::size_t kToneTextLength = 16;

// Every field is a text as typed: the number and the durations digits only,
// the tones as wide as "3400.0".
template <CustomToneField F>
constexpr FormRow<CustomToneForm> ToneRow(std::string_view name, std::string_view label) {
    constexpr bool tone = F == F::FirstTone || F == F::SecondTone;
    return {.name = name,
            .label = label,
            .show = [](const CustomToneForm& f, const ConfigImage&) { return f[F]; },
            .fill = [](CustomToneForm& f, const ConfigImage&,
                       std::string_view v) -> std::optional<std::string> {
                f[F] = v;
                return std::nullopt;
            },
            .control = tone ? RowControl::Text : RowControl::Digits,
            .field = static_cast<int>(F),
            .number = true,
            .width = tone ? kToneTextLength : 0,
            .shownCharacters = tone ? 6 : 0};
}

const FormRow<CustomToneForm> kRows[] = {
    ToneRow<F::Number>("number", "&Custom paging tone"),
    ToneRow<F::FirstTone>("first_tone_hz", "Fi&rst tone (Hz)"),
    ToneRow<F::FirstToneDuration>("first_tone_ms", "First &tone duration (ms)"),
    ToneRow<F::IntertoneDelay>("intertone_delay_ms", "Intertone &delay (ms)"),
    ToneRow<F::SecondTone>("second_tone_hz", "&Second tone (Hz)"),
    ToneRow<F::SecondToneDuration>("second_tone_ms", "S&econd tone duration (ms)"),
    ToneRow<F::InhibitDelay>("inhibit_delay_ms", "&Inhibit delay (ms)"),
};

}  // namespace

std::span<const FormRow<CustomToneForm>> CustomToneRules::Rows() {
    return kRows;
}

const std::vector<RowGroup>& CustomToneRules::Layout() {
    static const std::vector<RowGroup> layout = {
        {"", {"number"}},
        {"Format Config",
         {"inhibit_delay_ms", "first_tone_hz", "first_tone_ms", "intertone_delay_ms",
          "second_tone_hz", "second_tone_ms"}}};
    return layout;
}

std::string OpenedToneNumber(const ConfigImage& image, std::optional<std::size_t> record) {
    const std::optional<std::size_t> number = record ? record : LowestFreeTone(image);
    return number ? std::to_string(*number) : std::string();
}

CustomToneForm LoadCustomTone(ConfigImage& image, std::optional<std::size_t> record) {
    CustomToneForm form;
    form[F::Number] = OpenedToneNumber(image, record);
    if (form[F::Number].empty()) {
        return form;
    }
    if (!record) {
        form[F::InhibitDelay] = "3000";
        form[F::FirstTone] = ShowToneTenths(kToneMinTenths);
        form[F::FirstToneDuration] = "1000";
        form[F::IntertoneDelay] = "0";
        form[F::SecondTone] = ShowToneTenths(kToneMinTenths);
        form[F::SecondToneDuration] = "3000";
        return form;
    }
    const CustomPagingTone tone(image, *record);
    form[F::InhibitDelay] = std::to_string(tone.InhibitDelay());
    form[F::FirstTone] = ShowToneTenths(tone.FirstTone());
    form[F::FirstToneDuration] = std::to_string(tone.FirstToneDuration());
    form[F::IntertoneDelay] = std::to_string(tone.IntertoneDelay());
    form[F::SecondTone] = ShowToneTenths(tone.SecondTone());
    form[F::SecondToneDuration] = std::to_string(tone.SecondToneDuration());
    return form;
}

Validation<CustomToneField> ValidateToneFields(const CustomToneForm& form) {
    Validation<CustomToneField> result;
    const std::optional<long> number = ParseNumber(form);
    result.Check(number.has_value(), F::Number, kToneNumberNotANumberMessage);
    result.Check(!number || *number < static_cast<long>(layout::custom_tone::kCount), F::Number,
                 kToneNumberRangeMessage);
    for (const F field : kDurations) {
        const std::optional<std::string_view> refusal = DurationRefusal(form[field]);
        result.Check(!refusal, field, refusal.value_or(""));
    }
    return result;
}

CustomToneValidation ValidateCustomTone(const CustomToneForm& form, const ConfigImage& image,
                                        std::optional<std::size_t> record) {
    CustomToneValidation result{ValidateToneFields(form), std::nullopt};
    for (const F tone : {F::FirstTone, F::SecondTone}) {
        if (!result.Ok()) {
            return result;
        }
        // A text that is no number counts as below the range. A tone above it
        // can only come from a loaded file; it is refused rather than stored.
        const long tenths = ParseToneTenths(form[tone]).value_or(0);
        if (tenths < kToneMinTenths || tenths > kToneMaxTenths) {
            result.Check(false, tone, kToneRangeMessage);
            result.putBack =
                ShowToneTenths(tenths < kToneMinTenths ? kToneMinTenths : kToneMaxTenths);
        }
    }
    if (!result.Ok()) {
        return result;
    }
    const auto number = static_cast<std::size_t>(*ParseNumber(form));
    const RecordTable table(image, list_tables::kCustomTones);
    if (number != record && !table.IsFree(number)) {
        result.Check(false, F::Number, kToneNumberTakenMessage);
        result.putBack = OpenedToneNumber(image, record);
    }
    return result;
}

std::size_t WriteCustomTone(const CustomToneForm& form, ConfigImage& image,
                            std::optional<std::size_t> record) {
    const auto number = static_cast<std::size_t>(ParseNumber(form).value_or(0));
    if (record && *record != number) {
        CustomPagingTone(image, *record).Free();
    }
    CustomPagingTone tone(image, number);
    tone.SetNumberText(std::to_string(number));
    tone.SetFirstTone(ToneOf(form, F::FirstTone));
    tone.SetFirstToneDuration(DurationOf(form, F::FirstToneDuration));
    tone.SetIntertoneDelay(DurationOf(form, F::IntertoneDelay));
    tone.SetSecondTone(ToneOf(form, F::SecondTone));
    tone.SetSecondToneDuration(DurationOf(form, F::SecondToneDuration));
    tone.SetInhibitDelay(DurationOf(form, F::InhibitDelay));
    return number;
}

CustomToneEdit EditCustomToneField(CustomToneForm& form, CustomToneField field,
                                   const ConfigImage& image, std::optional<std::size_t> record) {
    switch (field) {
        case F::Number:
            return EditNumber(form, image, record);
        case F::FirstTone:
        case F::SecondTone:
            return EditTone(form, field);
        default:
            return EditDuration(form, field);
    }
}
