// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/paging/ManualPageForm.h"

#include "model/ManualPage.h"
#include "model/editing/ButtonReferences.h"
#include "model/editing/RecordTable.h"

namespace {

namespace mp = layout::manual_page;

bool Selectable(const FormatParameter& parameter, int index) {
    return index >= 0 && index < static_cast<int>(parameter.entries.size());
}

}  // namespace

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
        const std::optional<std::string_view> refusal = DurationRefusal(form.values[k].text);
        result.Check(!refusal, static_cast<PagingField>(k), refusal.value_or(""));
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
    edit.cut = CutDuration(text);
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
