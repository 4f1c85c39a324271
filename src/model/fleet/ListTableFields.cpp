// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fleet/ListTableFields.h"

#include <algorithm>
#include <span>

#include "model/ManualPage.h"
#include "model/deskset/AliasForm.h"
#include "model/editing/Field.h"
#include "model/editing/RecordTable.h"
#include "model/paging/CustomToneForm.h"
#include "model/paging/ManualPageForm.h"
#include "model/paging/SpeedPageForm.h"

namespace {

// What a table does by its editor's rules and its dialog's fields.
template <class Rules>
struct TableFields {
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& binding : Rules::Rows()) {
            names.emplace_back(binding.name);
        }
        return names;
    }

    std::vector<DatabaseField> Read(const ConfigImage& image, std::size_t record) const {
        // The editors' loads take a writable image; they only read it.
        ConfigImage copy = image;
        const auto form = Rules::Load(copy, record);
        std::vector<DatabaseField> fields;
        for (const auto& binding : Rules::Rows()) {
            fields.push_back(
                {std::string(binding.name), binding.show(form, image), binding.number});
        }
        return fields;
    }

    RecordWrite Write(ConfigImage& image, std::optional<std::size_t> record,
                      const FieldValues& values) const {
        auto form = Rules::Load(image, record);
        for (const auto& [name, value] : values) {
            const auto* binding = RowNamed(Rules::Rows(), name);
            if (!binding) {
                return {name + ": no such field."};
            }
            if (const auto refusal = binding->fill(form, image, value)) {
                return {*refusal};
            }
        }
        const auto validation = Rules::Validate(form, image, record);
        if (!validation.Ok()) {
            return {validation.message};
        }
        return {{}, Rules::Write(form, image, record)};
    }
};

// A list entry as shown: without the leading blanks some entries carry (" 0").
std::string EntryText(std::string_view entry) {
    return std::string(entry.substr(std::min(entry.find_first_not_of(' '), entry.size())));
}

// A paging format's fields: slot, label, base format, then its base format's
// parameters, read and written through the format's editor.
struct PagingFormatFields {
    std::vector<std::string> Names() const {
        std::vector<std::string> names = {"slot", "label", "base_format"};
        for (const FormatEditor& editor : FormatEditors()) {
            for (const FormatParameter& parameter : editor.parameters) {
                const std::string name(parameter.name);
                if (std::find(names.begin(), names.end(), name) == names.end()) {
                    names.push_back(name);
                }
            }
        }
        return names;
    }

    std::vector<DatabaseField> Read(const ConfigImage& image, std::size_t record) const {
        ConfigImage copy = image;
        const ManualPage page(copy, record);
        std::vector<DatabaseField> fields = {
            {"slot", std::to_string(record + 1), true},
            {"label", page.Label(), false},
            {"base_format", BaseFormatName(page.BaseFormat()), false},
        };
        const FormatEditor* editor = EditorOf(page.BaseFormat());
        if (!editor) {
            return fields;
        }
        const ManualPageForm form = LoadManualPage(*editor, copy, record);
        for (std::size_t k = 0; k < editor->parameters.size(); ++k) {
            const FormatParameter& parameter = editor->parameters[k];
            const ParameterValue& value = form.values[k];
            DatabaseField field{std::string(parameter.name), {}, false};
            switch (parameter.kind) {
                case ParameterKind::Duration:
                    field.value = value.text;
                    field.number = true;
                    break;
                case ParameterKind::CheckBox:
                    field.value = value.index == 1 ? "Yes" : "No";
                    break;
                case ParameterKind::List:
                case ParameterKind::PulseStandardTone: {
                    const bool listed = value.index >= 0 &&
                                        value.index < static_cast<int>(parameter.entries.size());
                    field.value = listed ? EntryText(parameter.entries[value.index]) : "";
                    break;
                }
            }
            fields.push_back(std::move(field));
        }
        return fields;
    }

    RecordWrite Write(ConfigImage& image, std::optional<std::size_t> record,
                      const FieldValues& values) const {
        const auto valueOf = [&values](std::string_view name) -> std::optional<std::string> {
            for (const auto& [field, value] : values) {
                if (field == name) {
                    return value;
                }
            }
            return std::nullopt;
        };
        const FormatEditor* editor = nullptr;
        if (record) {
            ConfigImage copy = image;
            const ManualPage page(copy, *record);
            editor = EditorOf(page.BaseFormat());
            const auto slot = valueOf("slot");
            const auto base = valueOf("base_format");
            if ((slot && *slot != std::to_string(*record + 1)) ||
                (base && *base != BaseFormatName(page.BaseFormat()))) {
                return {"A paging format's slot and base format are chosen when it is added."};
            }
            if (!editor) {
                return {BaseFormatName(page.BaseFormat()) + " paging formats cannot be edited."};
            }
        } else {
            const std::string base = valueOf("base_format").value_or("");
            for (const FormatEditor& candidate : FormatEditors()) {
                if (BaseFormatName(static_cast<std::uint8_t>(candidate.code)) == base) {
                    editor = &candidate;
                }
            }
            if (!editor) {
                return {"\"" + base + "\" is no base format a paging format can be added with."};
            }
        }
        ManualPageForm form =
            record ? LoadManualPage(*editor, image, *record) : NewManualPage(*editor);
        if (const auto slot = valueOf("slot"); slot && !slot->empty() && !record) {
            const auto number = ParseDecimal(*slot, false);
            const RecordTable table(image, list_tables::kManualPages);
            if (!number || *number < 1 || *number > static_cast<long>(table.Count()) ||
                !table.IsFree(static_cast<std::size_t>(*number - 1))) {
                return {"Slot " + *slot + " is not a free paging format slot."};
            }
            form.record = static_cast<std::size_t>(*number - 1);
        }
        for (const auto& [name, value] : values) {
            if (name == "slot" || name == "base_format") {
                continue;
            }
            if (name == "label") {
                form.label = value;
                continue;
            }
            if (const std::string refusal = FillParameter(form, name, value); !refusal.empty()) {
                return {refusal};
            }
        }
        const auto validation = ValidateManualPage(form, image);
        if (!validation.Ok()) {
            return {validation.message};
        }
        const auto written = WriteManualPage(form, image);
        if (!written) {
            return {"Every paging format record is in use: delete a paging format first."};
        }
        return {{}, *written};
    }

    static std::string FillParameter(ManualPageForm& form, const std::string& name,
                                     std::string_view value) {
        // An empty cell leaves the parameter as its dialog opened; the
        // columns of other base formats come empty too.
        if (value.empty()) {
            return {};
        }
        const auto& parameters = form.editor->parameters;
        for (std::size_t k = 0; k < parameters.size(); ++k) {
            const FormatParameter& parameter = parameters[k];
            if (parameter.name != name) {
                continue;
            }
            ParameterValue& filled = form.values[k];
            switch (parameter.kind) {
                case ParameterKind::Duration:
                    filled.text = value;
                    return {};
                case ParameterKind::CheckBox:
                    if (value != "Yes" && value != "No") {
                        return name + ": Please enter Yes or No.";
                    }
                    filled.index = value == "Yes" ? 1 : 0;
                    return {};
                case ParameterKind::List:
                case ParameterKind::PulseStandardTone:
                    for (std::size_t e = 0; e < parameter.entries.size(); ++e) {
                        if (EntryText(parameter.entries[e]) == value) {
                            filled.index = static_cast<int>(e);
                            return {};
                        }
                    }
                    return name + ": \"" + std::string(value) + "\" is not in the list.";
            }
        }
        return name + ": no such field.";
    }
};

constexpr PagingFormatFields kPagingFormats{};
constexpr TableFields<SpeedPageRules> kSpeedPages;
constexpr TableFields<AliasRules> kAliases;
constexpr TableFields<CustomToneRules> kCustomTones;

// Runs what on the table's fields.
template <class What>
auto WithFields(ListTable table, What what) {
    switch (table) {
        case ListTable::PagingFormats:
            return what(kPagingFormats);
        case ListTable::SpeedPages:
            return what(kSpeedPages);
        case ListTable::Aliases:
            return what(kAliases);
        case ListTable::CustomTones:
            break;
    }
    return what(kCustomTones);
}

}  // namespace

const ListTableInfo& InfoOf(ListTable table) {
    static const ListTableInfo infos[] = {
        {"paging_formats", "paging-formats", &list_tables::kManualPages},
        {"speed_pages", "speed-pages", &list_tables::kSpeedPages},
        {"ptt_id_aliases", "aliases", &list_tables::kAliases},
        {"custom_tones", "custom-tones", &list_tables::kCustomTones},
    };
    return infos[static_cast<int>(table)];
}

std::vector<std::string> FieldNamesOf(ListTable table) {
    return WithFields(table, [](const auto& fields) { return fields.Names(); });
}

std::vector<DatabaseField> RecordFields(const ConfigImage& image, ListTable table,
                                        std::size_t record) {
    return WithFields(table, [&](const auto& fields) { return fields.Read(image, record); });
}

RecordWrite WriteRecordFields(ConfigImage& image, ListTable table,
                              std::optional<std::size_t> record, const FieldValues& values) {
    return WithFields(table,
                      [&](const auto& fields) { return fields.Write(image, record, values); });
}
