// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/SpeedPageForm.h"

#include "model/SpeedPage.h"
#include "model/editing/ButtonReferences.h"
#include "model/editing/CharFilter.h"
#include "model/editing/RecordTableEdit.h"
#include "model/paging/PagingFormats.h"

namespace {

namespace sp = layout::speed_page;

constexpr std::string_view kDigitsOnly = charsets::kDigits;

struct BaseFormatRule {
    BaseFormat code;
    DigitRule rule;
};

constexpr BaseFormatRule kRules[] = {
    {BaseFormat::Motorola1Plus1,
     {3, 3, kDigitsOnly,
      "The Motorola 1+1 format digit sequence requires 3 numerical characters."}},
    {BaseFormat::Motorola2Plus2,
     {4, 4, "0123456789AB",
      "The Motorola 2+2 format digit sequence requires 4 numerical characters or \"A\"  and  "
      "\"B\"."}},
    {BaseFormat::GeType99,
     {3, 3, kDigitsOnly, "The GE 99 format digit sequence requires 3 numerical characters."}},
    {BaseFormat::Motorola5Tone,
     {5, 5, kDigitsOnly, "The Motorola 5 format digit sequence requires 5 numerical characters."}},
    {BaseFormat::Motorola6Tone,
     {5, 5, kDigitsOnly, "The Motorola 6 format digit sequence requires 5 numerical characters."}},
    {BaseFormat::Nec5Tone,
     {5, 5, kDigitsOnly, "The NEC 5 format digit sequence requires 5 numerical characters."}},
    {BaseFormat::Nec6Tone,
     {5, 5, kDigitsOnly, "The NEC 6 format digit sequence requires 5 numerical characters."}},
    {BaseFormat::ReachTone,
     {3, 3, kDigitsOnly, "The Reach format digit sequence requires 3 numerical characters."}},
    {BaseFormat::Dtmf,
     {1, 16, charsets::kDtmf,
      "This DTMF format digit sequence requires from 1 to 16 numerical characters or \"A\" to "
      "\"D\", \"*\" or \"#\".\n\n"}},
    {BaseFormat::PulsePage,
     {1, 16, kDigitsOnly,
      "The Pulse Tone format Digit Sequence requires from 1 to 16 numerical characters."}},
    {BaseFormat::CustomPageTone,
     {1, 2, kDigitsOnly,
      "You must enter 1 or 2 numerical characters for the custom format digit sequence."}},
};

constexpr DigitRule kToneRule{4, 4, charsets::kHex,
                              "This tone format digit sequence requires 4 hexadecimal characters."};

using Refusal = std::optional<std::string>;

std::string FormatLabel(const ConfigImage& image, const PagingFormatChoice& format) {
    return RecordTable(image, list_tables::kManualPages).Label(format.record);
}

const FormRow<SpeedPageForm> kRows[] = {
    TextRow<SpeedPageForm, &SpeedPageForm::label>(
        "label", "&Label", static_cast<int>(SpeedPageField::Label), sp::kLabelWidth),
    {.name = "paging_format",
     .label = "&Paging format",
     .show =
         [](const SpeedPageForm& f, const ConfigImage& image) {
             return f.format < 0
                        ? std::string()
                        : FormatLabel(image, f.formats[static_cast<std::size_t>(f.format)]);
         },
     .fill = [](SpeedPageForm& f, const ConfigImage& image, std::string_view v) -> Refusal {
         f.format = -1;
         for (std::size_t k = 0; k < f.formats.size(); ++k) {
             if (FormatLabel(image, f.formats[k]) == v) {
                 f.format = static_cast<int>(k);
             }
         }
         return std::nullopt;
     },
     .control = RowControl::List,
     .field = static_cast<int>(SpeedPageField::Format),
     .choices =
         [](const SpeedPageForm& f, const ConfigImage& image) {
             std::vector<RowChoice> choices;
             for (const PagingFormatChoice& format : f.formats) {
                 choices.push_back({format.text, FormatLabel(image, format)});
             }
             return choices;
         },
     .selected = [](const SpeedPageForm& f) { return f.format; },
     .choose = [](SpeedPageForm& f, int index) { f.format = index; }},
    TextRow<SpeedPageForm, &SpeedPageForm::digits>("digits", "&Digit sequence / Custom page label",
                                                   static_cast<int>(SpeedPageField::Digits),
                                                   sp::kDigitsWidth, ToUpperAscii),
};

}  // namespace

std::span<const FormRow<SpeedPageForm>> SpeedPageRules::Rows() {
    return kRows;
}

const std::vector<RowGroup>& SpeedPageRules::Layout() {
    static const std::vector<RowGroup> layout = {{"", {"label"}},
                                                 {"Entry Config", {"paging_format", "digits"}}};
    return layout;
}

bool DigitRule::Accepts(std::string_view digits) const {
    return digits.size() >= minLength && digits.size() <= maxLength && AllWithin(digits, allowed);
}

const DigitRule& DigitRuleOf(std::uint8_t baseFormat) {
    for (const BaseFormatRule& entry : kRules) {
        if (static_cast<std::uint8_t>(entry.code) == baseFormat) {
            return entry.rule;
        }
    }
    return kToneRule;
}

std::vector<PagingFormatChoice> PagingFormatChoices(const ConfigImage& image) {
    std::vector<PagingFormatChoice> choices;
    const RecordTable formats(image, list_tables::kManualPages);
    for (const std::size_t record : formats.UsedRecords()) {
        const std::uint8_t code =
            image.U8(formats.RecordStart(record) + layout::manual_page::kBaseFormat.offset);
        choices.push_back(
            {record, code, formats.Label(record) + " (" + BaseFormatName(code) + ")"});
    }
    return choices;
}

std::string PagingFormatText(const ConfigImage& image, std::uint8_t record) {
    for (PagingFormatChoice& choice : PagingFormatChoices(image)) {
        if (choice.record == record) {
            return std::move(choice.text);
        }
    }
    return "<Paging format " + std::to_string(record) + " is not defined>";
}

SpeedPageForm SpeedPageRules::Load(const ConfigImage& image, std::optional<std::size_t> record) {
    SpeedPageForm form;
    form.formats = PagingFormatChoices(image);
    if (!record) {
        form.format = form.formats.empty() ? -1 : 0;
        return form;
    }
    const RecordTable table(image, list_tables::kSpeedPages);
    const std::size_t start = table.RecordStart(*record);
    form.label = table.Label(*record);
    form.digits = image.Text(start + sp::kDigits.offset, sp::kDigits.width);
    const std::uint8_t stored = image.U8(start + sp::kPagingFormat.offset);
    for (std::size_t k = 0; k < form.formats.size(); ++k) {
        if (form.formats[k].record == stored) {
            form.format = static_cast<int>(k);
        }
    }
    return form;
}

Validation<SpeedPageField> SpeedPageRules::Validate(const SpeedPageForm& form,
                                                    const ConfigImage& image,
                                                    std::optional<std::size_t> record) {
    using F = SpeedPageField;
    Validation<F> result;
    result.Check(form.label.size() <= sp::kLabelWidth, F::Label,
                 TooManyCharactersMessage(sp::kLabelWidth));
    result.Check(form.digits.size() <= sp::kDigitsWidth, F::Digits,
                 TooManyCharactersMessage(sp::kDigitsWidth));
    result.Check(!form.label.empty(), F::Label, kFieldsEmptyMessage);
    result.Check(!form.digits.empty(), F::Digits, kFieldsEmptyMessage);
    // A speed page without its paging format would be sent with nothing.
    result.Check(!form.formats.empty(), F::Format, kNoPagingFormatMessage);
    const bool chosen = form.format >= 0 && form.format < static_cast<int>(form.formats.size());
    result.Check(chosen, F::Format, kChooseFormatMessage);
    if (chosen) {
        const DigitRule& rule = DigitRuleOf(form.formats[form.format].baseFormat);
        result.Check(rule.Accepts(form.digits), F::Digits, rule.message);
    }
    const RecordTable table(image, list_tables::kSpeedPages);
    result.Check(!table.LabelTaken(form.label, record), F::Label, kDuplicateLabelMessage);
    result.Check(record || !table.IsFull(), F::Label, kTableFullMessage);
    return result;
}

std::size_t SpeedPageRules::Write(const SpeedPageForm& form, ConfigImage& image,
                                  std::optional<std::size_t> record) {
    RecordTableEdit table(image, list_tables::kSpeedPages);
    const std::size_t written = record ? *record : table.LowestFree().value();
    SpeedPage page(image, written);
    page.SetLabel(form.label);
    page.SetPagingFormat(static_cast<std::uint8_t>(form.formats.at(form.format).record));
    page.SetDigits(form.digits);
    const RecordMoves moves = table.MoveIntoPlace(written);
    RenumberSpeedPageKeys(image, moves);
    return moves.NewIndex(written);
}

std::optional<std::string_view> SpeedPageDeleteRefusal(const ConfigImage& image,
                                                       std::size_t record) {
    if (KeyRefersTo(image, ButtonKind::SpeedPage, record)) {
        return kSpeedPageUsedByButtonMessage;
    }
    return std::nullopt;
}

void DeleteSpeedPage(ConfigImage& image, std::size_t record) {
    RenumberSpeedPageKeys(
        image, RecordTableEdit(image, list_tables::kSpeedPages).RemoveAndCompact(record));
}
