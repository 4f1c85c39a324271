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

// One field of a dialog: how dump shows it from the form, and how a typed
// value goes into the form (a refusal when the dialog could not hold it).
template <class Form>
struct Binding {
    std::string_view name;
    bool number;
    std::string (*show)(const Form& form, const ConfigImage& image);
    std::optional<std::string> (*fill)(Form& form, const ConfigImage& image,
                                       std::string_view value);
};

using Refusal = std::optional<std::string>;

std::string FormatLabel(const ConfigImage& image, const PagingFormatChoice& format) {
    return RecordTable(image, list_tables::kManualPages).Label(format.record);
}

// Speed pages: the paging format by its label.
const Binding<SpeedPageForm> kSpeedPageFields[] = {
    {"label", false, [](const SpeedPageForm& f, const ConfigImage&) { return f.label; },
     [](SpeedPageForm& f, const ConfigImage&, std::string_view v) -> Refusal {
         f.label = v;
         return std::nullopt;
     }},
    {"paging_format", false,
     [](const SpeedPageForm& f, const ConfigImage& image) {
         return f.format < 0 ? std::string()
                             : FormatLabel(image, f.formats[static_cast<std::size_t>(f.format)]);
     },
     [](SpeedPageForm& f, const ConfigImage& image, std::string_view v) -> Refusal {
         f.format = -1;
         for (std::size_t k = 0; k < f.formats.size(); ++k) {
             if (FormatLabel(image, f.formats[k]) == v) {
                 f.format = static_cast<int>(k);
             }
         }
         return std::nullopt;
     }},
    {"digits", false, [](const SpeedPageForm& f, const ConfigImage&) { return f.digits; },
     [](SpeedPageForm& f, const ConfigImage&, std::string_view v) -> Refusal {
         f.digits = v;
         return std::nullopt;
     }},
};

const Binding<AliasForm> kAliasFields[] = {
    {"label", false, [](const AliasForm& f, const ConfigImage&) { return f.label; },
     [](AliasForm& f, const ConfigImage&, std::string_view v) -> Refusal {
         f.label = v;
         return std::nullopt;
     }},
    {"ptt_id", false, [](const AliasForm& f, const ConfigImage&) { return f.pttId; },
     [](AliasForm& f, const ConfigImage&, std::string_view v) -> Refusal {
         f.pttId = FilterPttId(v);
         return std::nullopt;
     }},
    {"protocol", false,
     [](const AliasForm& f, const ConfigImage&) {
         return std::string(f.protocol == AliasProtocol::Dtmf ? "DTMF" : "MDC1200");
     },
     [](AliasForm& f, const ConfigImage&, std::string_view v) -> Refusal {
         if (v != "MDC1200" && v != "DTMF") {
             return "The protocol must be MDC1200 or DTMF.";
         }
         f.protocol = v == "DTMF" ? AliasProtocol::Dtmf : AliasProtocol::Mdc1200;
         return std::nullopt;
     }},
};

// Every custom tone field is a text as typed.
template <CustomToneField F>
constexpr Binding<CustomToneForm> ToneText(std::string_view name) {
    return {name, true, [](const CustomToneForm& f, const ConfigImage&) { return f[F]; },
            [](CustomToneForm& f, const ConfigImage&, std::string_view v) -> Refusal {
                f[F] = v;
                return std::nullopt;
            }};
}

using enum CustomToneField;
const Binding<CustomToneForm> kCustomToneFields[] = {
    ToneText<Number>("number"),
    ToneText<FirstTone>("first_tone_hz"),
    ToneText<FirstToneDuration>("first_tone_ms"),
    ToneText<IntertoneDelay>("intertone_delay_ms"),
    ToneText<SecondTone>("second_tone_hz"),
    ToneText<SecondToneDuration>("second_tone_ms"),
    ToneText<InhibitDelay>("inhibit_delay_ms"),
};

// What a table does by its editor's rules and its dialog's fields.
template <class Rules>
struct TableFields {
    std::span<const Binding<typename Rules::Form>> bindings;

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& binding : bindings) {
            names.emplace_back(binding.name);
        }
        return names;
    }

    std::vector<DatabaseField> Read(const ConfigImage& image, std::size_t record) const {
        // The editors' loads take a writable image; they only read it.
        ConfigImage copy = image;
        const auto form = Rules::Load(copy, record);
        std::vector<DatabaseField> fields;
        for (const auto& binding : bindings) {
            fields.push_back(
                {std::string(binding.name), binding.show(form, image), binding.number});
        }
        return fields;
    }

    RecordWrite Write(ConfigImage& image, std::optional<std::size_t> record,
                      const FieldValues& values) const {
        auto form = Rules::Load(image, record);
        for (const auto& [name, value] : values) {
            const std::string& wanted = name;
            const auto binding =
                std::find_if(bindings.begin(), bindings.end(),
                             [&wanted](const auto& b) { return b.name == wanted; });
            if (binding == bindings.end()) {
                return {wanted + ": no such field."};
            }
            if (const Refusal refusal = binding->fill(form, image, value)) {
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
constexpr TableFields<SpeedPageRules> kSpeedPages{kSpeedPageFields};
constexpr TableFields<AliasRules> kAliases{kAliasFields};
constexpr TableFields<CustomToneRules> kCustomTones{kCustomToneFields};

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
