#include "config/paging/ManualPageForm.h"

#include <limits>

#include "app/ManualPage.h"
#include "config/common/ButtonReferences.h"
#include "config/common/RecordTable.h"

namespace {

namespace mp = layout::manual_page;

std::optional<double> ParseDecimalFraction(std::string_view text) {
    constexpr double kCeiling = std::numeric_limits<int>::max();
    double value = 0;
    double weight = 0;  // 0 before the point, then the place of the next digit
    bool anyDigit = false;
    for (const char c : text) {
        if (c == '.' && weight == 0) {
            weight = 0.1;
        } else if (c >= '0' && c <= '9') {
            anyDigit = true;
            if (weight == 0) {
                value = value >= kCeiling ? kCeiling : value * 10 + (c - '0');
            } else {
                value += weight * (c - '0');
                weight /= 10;
            }
        } else {
            return std::nullopt;
        }
    }
    return anyDigit ? std::optional<double>(value) : std::nullopt;
}

bool Selectable(const FormatParameter& parameter, int index) {
    return index >= 0 && index < static_cast<int>(parameter.entries.size());
}

}  // namespace

std::optional<long> ParseDuration(std::string_view text) {
    const std::optional<double> value = ParseDecimalFraction(text);
    return value ? std::optional<long>(static_cast<long>(*value)) : std::nullopt;
}

ManualPageForm NewManualPage(const FormatEditor& editor) {
    ManualPageForm form;
    form.editor = &editor;
    for (const FormatParameter& parameter : editor.parameters) {
        ParameterValue value;
        if (parameter.kind == ParameterKind::Duration) {
            value.text = std::to_string(parameter.newDefault);
        } else {
            value.index = parameter.newDefault;
        }
        form.values.push_back(value);
    }
    return form;
}

ManualPageForm LoadManualPage(const FormatEditor& editor, ConfigImage& image, std::size_t record) {
    const ManualPage page(image, record);
    ManualPageForm form;
    form.editor = &editor;
    form.record = record;
    form.label = page.Label();
    for (const FormatParameter& parameter : editor.parameters) {
        ParameterValue value;
        switch (parameter.kind) {
            case ParameterKind::Duration:
                value.text = std::to_string(page.U16(parameter.field));
                break;
            case ParameterKind::List:
                value.index =
                    Selectable(parameter, page.U8(parameter.field)) ? page.U8(parameter.field) : -1;
                break;
            case ParameterKind::CheckBox:
                value.index = page.U8(parameter.field) != 0 ? 1 : 0;
                break;
            case ParameterKind::PulseStandardTone:
                value.index = PulseStandardToneIndex(page.U16(parameter.field));
                break;
        }
        form.values.push_back(value);
    }
    return form;
}

Validation<PagingField> ValidateFields(const ManualPageForm& form) {
    Validation<PagingField> result;
    result.Check(form.label.size() <= mp::kLabelWidth, kLabelField,
                 TooManyCharactersMessage(mp::kLabelWidth));
    const auto& parameters = form.editor->parameters;
    for (std::size_t k = 0; k < parameters.size(); ++k) {
        if (parameters[k].kind != ParameterKind::Duration) {
            continue;
        }
        const std::optional<double> value = ParseDecimalFraction(form.values[k].text);
        const auto field = static_cast<PagingField>(k);
        result.Check(value.has_value(), field, kNotANumberMessage);
        result.Check(!value || *value <= kDurationMax, field, kDurationRangeMessage);
    }
    return result;
}

Validation<PagingField> ValidateManualPage(const ManualPageForm& form, const ConfigImage& image) {
    Validation<PagingField> result = ValidateFields(form);
    result.Check(!form.label.empty(), kLabelField, kEmptyLabelMessage);
    const RecordTable table(image, list_tables::kManualPages);
    result.Check(!table.LabelTaken(form.label, form.record), kLabelField, kDuplicateLabelMessage);
    return result;
}

DurationEdit EditDuration(ManualPageForm& form, std::size_t parameter) {
    DurationEdit edit;
    std::string& text = form.values.at(parameter).text;
    if (text.empty()) {
        return edit;
    }
    edit.validation = ValidateFields(form);
    const std::optional<double> value = ParseDecimalFraction(text);
    if (value && *value > kDurationMax) {
        text = std::to_string(kDurationMax);
        edit.cut = true;
    }
    return edit;
}

std::optional<std::size_t> WriteManualPage(const ManualPageForm& form, ConfigImage& image) {
    const std::optional<std::size_t> record =
        form.record ? form.record : RecordTable(image, list_tables::kManualPages).LowestFree();
    if (!record) {
        return std::nullopt;
    }
    ManualPage page(image, *record);
    page.SetLabel(form.label);
    page.SetBaseFormat(static_cast<std::uint8_t>(form.editor->code));
    const auto& parameters = form.editor->parameters;
    for (std::size_t k = 0; k < parameters.size(); ++k) {
        const FormatParameter& parameter = parameters[k];
        const ParameterValue& value = form.values[k];
        switch (parameter.kind) {
            case ParameterKind::Duration:
                if (const std::optional<long> ms = ParseDuration(value.text)) {
                    page.SetU16(parameter.field, static_cast<std::uint16_t>(*ms));
                }
                break;
            case ParameterKind::List:
                // No selection comes only from a stored index outside the
                // list; that byte stays as it was.
                if (Selectable(parameter, value.index)) {
                    page.SetU8(parameter.field, static_cast<std::uint8_t>(value.index));
                }
                break;
            case ParameterKind::CheckBox:
                page.SetU8(parameter.field, value.index != 0 ? 1 : 0);
                break;
            case ParameterKind::PulseStandardTone:
                if (Selectable(parameter, value.index)) {
                    page.SetU16(parameter.field, PulseStandardToneValue(value.index));
                }
                break;
        }
    }
    return record;
}

std::optional<std::string_view> DeleteRefusal(const ConfigImage& image, std::size_t record) {
    const RecordTable speedPages(image, list_tables::kSpeedPages);
    for (const std::size_t i : speedPages.UsedRecords()) {
        if (image.U8(speedPages.RecordStart(i) + layout::speed_page::kPagingFormat.offset) ==
            record) {
            return kUsedBySpeedPageMessage;
        }
    }
    if (KeyRefersTo(image, ButtonKind::ManualPage, record)) {
        return kUsedByButtonMessage;
    }
    return std::nullopt;
}

void FreeManualPage(ConfigImage& image, std::size_t record) {
    ManualPage(image, record).Free();
}
