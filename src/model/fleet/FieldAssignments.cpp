// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/fleet/FieldAssignments.h"

#include <algorithm>
#include <optional>
#include <span>

#include "model/ChannelRecord.h"
#include "model/DesksetSettings.h"
#include "model/deskset/ButtonsForm.h"
#include "model/deskset/ChannelCodes.h"
#include "model/deskset/ChannelFields.h"
#include "model/deskset/ChannelFilters.h"
#include "model/deskset/ChannelPageForm.h"
#include "model/deskset/DesksetFields.h"
#include "model/deskset/DtmfForm.h"
#include "model/deskset/StatAlertForm.h"
#include "model/deskset/TalkPermitToneForm.h"
#include "model/deskset/TonePlanForms.h"
#include "model/editing/RecordTable.h"
#include "model/fleet/ListTableFields.h"
#include "model/fleet/TableReplace.h"

namespace {

namespace cc = channel_codes;

// One step of a path: "channels[1]" is the name "channels" and the index 1.
struct Step {
    std::string name;
    std::optional<std::size_t> index;
};

std::optional<std::vector<Step>> StepsOf(std::string_view path) {
    std::vector<Step> steps;
    while (true) {
        const std::size_t dot = path.find('.');
        std::string_view text = path.substr(0, dot);
        Step step;
        if (const std::size_t open = text.find('['); open != std::string_view::npos) {
            if (!text.ends_with(']') || open + 2 >= text.size()) {
                return std::nullopt;
            }
            const auto index = ParseDecimal(text.substr(open + 1, text.size() - open - 2), false);
            if (!index) {
                return std::nullopt;
            }
            step.index = static_cast<std::size_t>(*index);
            text = text.substr(0, open);
        }
        if (text.empty()) {
            return std::nullopt;
        }
        step.name = std::string(text);
        steps.push_back(std::move(step));
        if (dot == std::string_view::npos) {
            return steps;
        }
        path.remove_prefix(dot + 1);
    }
}

enum class Area { Deskset, Channel };

// Where a path lands.
struct Target {
    Area area;
    std::size_t record = 0;
    Field field;
};

// The field a step names in a table, the one of its row that the index picks.
std::optional<Field> FieldIn(std::span<const Field> table, const Step& step) {
    for (const Field& field : table) {
        if (field.name != step.name) {
            continue;
        }
        if (field.Count() == 1) {
            return step.index ? std::nullopt : std::optional<Field>(field);
        }
        return step.index && *step.index < field.Count()
                   ? std::optional<Field>(field.At(*step.index))
                   : std::nullopt;
    }
    return std::nullopt;
}

std::optional<Target> Resolve(ConfigImage& image, const std::vector<Step>& steps) {
    const Step& area = steps.front();
    if (area.name == "deskset" && !area.index && steps.size() == 2) {
        const auto field = FieldIn(deskset_fields::kFields, steps[1]);
        return field ? std::optional<Target>({Area::Deskset, 0, *field}) : std::nullopt;
    }
    if (area.name != "channels" || !area.index || *area.index >= layout::channel::kCount ||
        steps.size() < 2) {
        return std::nullopt;
    }
    const std::size_t channel = *area.index;
    std::optional<Field> field;
    if (steps.size() == 2) {
        field = FieldIn(channel_fields::kFields, steps[1]);
    } else if (steps.size() == 3 && steps[1].name == "frequencies" && steps[1].index &&
               *steps[1].index < layout::channel::kFrequencyCount) {
        // Field k of frequency f is the row's field f.
        field = FieldIn(channel_fields::kFrequencyRow, {steps[2].name, steps[1].index});
    } else if (steps.size() == 3 && !steps[1].index) {
        const auto layoutNow =
            cc::LayoutOfOption(ChannelRecord(image, channel).U8(layout::channel::kSignalingOption));
        if (steps[1].name == "dtmf" && layoutNow == cc::OptionLayout::Dtmf) {
            field = FieldIn(channel_fields::dtmf::kFields, steps[2]);
        } else if (steps[1].name == "stat_alert" && layoutNow == cc::OptionLayout::StatAlert) {
            field = FieldIn(channel_fields::stat_alert::kFields, steps[2]);
        }
    }
    return field ? std::optional<Target>({Area::Channel, channel, *field}) : std::nullopt;
}

void ChangeDesksetType(ConfigImage& image, long code) {
    const std::uint8_t stored = DesksetSettings(image).DesksetType();
    if (code == layout::deskset::kTypeSingleChannel && stored != code) {
        MakeSingleChannel(image);
    } else if (code == layout::deskset::kTypeFourChannel && stored != code) {
        MakeFourChannel(image);
    }
}

// A new signaling option brings its data's defaults when the layout changes,
// as the channel wizard's pages load them.
void ChangeSignalingOption(ChannelRecord& record, long option) {
    const StatAlertForm statAlert = LoadStatAlert(record);
    const DtmfForm dtmf = LoadDtmf(record);
    record.SetU8(layout::channel::kSignalingOption, static_cast<std::uint8_t>(option));
    switch (cc::LayoutOfOption(static_cast<std::uint8_t>(option))) {
        case cc::OptionLayout::StatAlert:
            WriteStatAlert(statAlert, record);
            break;
        case cc::OptionLayout::Dtmf:
            WriteDtmf(dtmf, record);
            break;
        case cc::OptionLayout::None:
            break;
    }
}

void Store(ConfigImage& image, const Target& target, const FieldInput& input) {
    const std::size_t offset = target.field.spec.offset;
    if (target.area == Area::Deskset) {
        if (offset == deskset_fields::kType.spec.offset) {
            ChangeDesksetType(image, input.stored);
            return;
        }
        DesksetSettings settings(image);
        StoreField(settings, target.field, input);
        return;
    }
    ChannelRecord record(image, target.record);
    if (offset == channel_fields::kSignalingOption.spec.offset) {
        ChangeSignalingOption(record, input.stored);
        return;
    }
    StoreField(record, target.field, input);
}

// What the channel wizard would say on its pages about a record as it stands.
std::string ChannelRefusal(const ChannelRecord& record) {
    const ChannelPageForm page = LoadChannelPage(record);
    const std::string id = record.Text(layout::channel::kDesksetId);
    if (cc::UsesDesksetId(page.option) && FilterDesksetId(id, page.option) != id) {
        return "The deskset ID holds a character its signaling option does not allow (" +
               std::string(DesksetIdCharset(page.option)) + ").";
    }
    for (const std::string& message :
         {ValidateChannelPage(page).message, ValidateTonePlan1(LoadTonePlan1(record)).message,
          ValidateTalkPermitTone(LoadTalkPermitTone(record)).message}) {
        if (!message.empty()) {
            return message;
        }
    }
    switch (cc::LayoutOfOption(record.U8(layout::channel::kSignalingOption))) {
        case cc::OptionLayout::Dtmf: {
            const DtmfForm dtmf = LoadDtmf(record);
            if (dtmf.minDigits > dtmf.maxDigits) {
                return "The minimum number of digits is above the maximum.";
            }
            return ValidateDtmf(dtmf).message;
        }
        case cc::OptionLayout::StatAlert:
            return ValidateStatAlert(LoadStatAlert(record)).message;
        case cc::OptionLayout::None:
            break;
    }
    return {};
}

std::string RecordRefusal(ConfigImage& image, Area area, std::size_t record) {
    if (area == Area::Deskset) {
        return ValidateDesksetSettings(LoadDesksetSettings(image)).message;
    }
    return ChannelRefusal(ChannelRecord(image, record));
}

// A field of a list table's record in use: "speed_pages[2].label".
struct ListField {
    ListTable table;
    std::size_t record;
    std::string name;
};

std::optional<ListField> ListFieldOf(const ConfigImage& image, const std::vector<Step>& steps) {
    if (steps.size() != 2 || !steps[0].index || steps[1].index) {
        return std::nullopt;
    }
    for (const ListTable table : kListTables) {
        if (InfoOf(table).path != steps[0].name) {
            continue;
        }
        const auto used = RecordTable(image, *InfoOf(table).layout).UsedRecords();
        if (*steps[0].index < used.size()) {
            return ListField{table, used[*steps[0].index], steps[1].name};
        }
    }
    return std::nullopt;
}

// What a command says of one key; both its texts are read together at the end.
struct KeyAssignment {
    std::size_t key = 0;
    std::string path;
    std::optional<std::string> kind{};
    std::optional<std::string> function{};
};

std::optional<std::pair<std::size_t, std::string>> KeyFieldOf(const std::vector<Step>& steps) {
    const bool field = steps.size() == 2 && !steps[1].index &&
                       (steps[1].name == "kind" || steps[1].name == "function");
    if (!field || steps[0].name != "buttons" || !steps[0].index ||
        *steps[0].index >= ButtonTable::kCount) {
        return std::nullopt;
    }
    return std::pair{*steps[0].index, steps[1].name};
}

// The key's new kind and value as its dialog would give them.
std::string SetKey(ConfigImage& image, const KeyAssignment& assignment) {
    ButtonsWorkingCopy keys(image);
    const ButtonChoices choices(image, keys.Entries(), assignment.key);
    const ButtonEntry current = keys.Entry(assignment.key);
    const auto currentKind = KindName(current.kind);
    std::optional<ButtonEntry> entry;
    if (assignment.function) {
        entry = choices.Offering(*assignment.function);
        if (!entry) {
            return "\"" + *assignment.function +
                   "\" is no function this key may take (another key may have it).";
        }
        if (assignment.kind && KindName(entry->kind) != *assignment.kind) {
            return "\"" + *assignment.function + "\" is not a function of the kind " +
                   *assignment.kind + ".";
        }
    } else if (currentKind && *currentKind == *assignment.kind) {
        entry = current;
    } else {
        const auto kinds = choices.Kinds();
        const auto kind = std::find_if(kinds.begin(), kinds.end(), [&](const KindChoice& k) {
            return k.name == *assignment.kind;
        });
        if (kind == kinds.end()) {
            return "\"" + *assignment.kind + "\" is no kind this key may take.";
        }
        if (choices.Values(kind->kind).shown) {
            return "A key of the kind " + *assignment.kind + " needs its function too.";
        }
        entry = choices.Chosen(kind->kind, std::nullopt);
    }
    keys.Change(assignment.key, *entry);
    keys.WriteTo(image);
    return {};
}

}  // namespace

std::vector<std::string> AssignFields(ConfigImage& image,
                                      const std::vector<FieldAssignment>& assignments) {
    ConfigImage changed = image;
    std::vector<std::string> refusals;
    // Each record changed.
    std::vector<std::pair<Area, std::size_t>> touched;
    std::vector<KeyAssignment> keys;
    for (const FieldAssignment& assignment : assignments) {
        const auto steps = StepsOf(assignment.path);
        if (const auto field = steps ? ListFieldOf(changed, *steps) : std::nullopt) {
            // The dialog's OK writes the record at once: it may move.
            const RecordWrite written = WriteRecordFields(changed, field->table, field->record,
                                                          {{field->name, assignment.value}});
            if (!written.refusal.empty()) {
                refusals.push_back(assignment.path + ": " + written.refusal);
            }
            continue;
        }
        if (const auto keyField = steps ? KeyFieldOf(*steps) : std::nullopt) {
            auto key = std::find_if(keys.begin(), keys.end(), [&](const KeyAssignment& k) {
                return k.key == keyField->first;
            });
            if (key == keys.end()) {
                key = keys.insert(keys.end(), {keyField->first, assignment.path});
            }
            (keyField->second == "kind" ? key->kind : key->function) = assignment.value;
            continue;
        }
        const auto target = steps ? Resolve(changed, *steps) : std::nullopt;
        if (!target) {
            refusals.push_back(assignment.path + ": no such field.");
            continue;
        }
        const FieldInput input = ReadField(target->field, assignment.value);
        if (!input.refusal.empty()) {
            refusals.push_back(assignment.path + ": " + input.refusal);
            continue;
        }
        Store(changed, *target, input);
        const std::pair record{target->area, target->record};
        if (std::find(touched.begin(), touched.end(), record) == touched.end()) {
            touched.push_back(record);
        }
    }
    for (const KeyAssignment& key : keys) {
        if (const std::string refusal = SetKey(changed, key); !refusal.empty()) {
            refusals.push_back(key.path + ": " + refusal);
        }
    }
    // Once every value passed, the editors check each record as a whole, as on OK.
    const bool valuesPassed = refusals.empty();
    for (const auto& [area, record] : touched) {
        const std::string refusal = valuesPassed ? RecordRefusal(changed, area, record) : "";
        if (!refusal.empty()) {
            const std::string path =
                area == Area::Deskset ? "deskset" : "channels[" + std::to_string(record) + "]";
            refusals.push_back(path + ": " + refusal);
        }
    }
    if (refusals.empty()) {
        image = changed;
    }
    return refusals;
}

std::vector<std::string> ApplyChanges(ConfigImage& image, const DatabaseChanges& changes) {
    ConfigImage changed = image;
    std::vector<std::string> refusals;
    std::vector<DatabaseChanges::Table> tables = changes.tables;
    std::stable_sort(tables.begin(), tables.end(),
                     [](const auto& a, const auto& b) { return a.table < b.table; });
    for (const DatabaseChanges::Table& table : tables) {
        const std::string path(InfoOf(table.table).path);
        const auto more = ReplaceTable(changed, table.table, table.records, [&path](std::size_t k) {
            return path + "[" + std::to_string(k) + "]";
        });
        refusals.insert(refusals.end(), more.begin(), more.end());
    }
    // What rebuilds a record goes first, so that the rest lands on it.
    const auto rank = [](const FieldAssignment& assignment) {
        return assignment.path == "deskset.type"                ? 0
               : assignment.path.ends_with(".signaling_option") ? 1
                                                                : 2;
    };
    std::vector<FieldAssignment> fields = changes.fields;
    std::stable_sort(fields.begin(), fields.end(),
                     [&rank](const auto& a, const auto& b) { return rank(a) < rank(b); });
    std::vector<bool> keysGiven(ButtonTable::kCount);
    for (const FieldAssignment& field : fields) {
        const auto steps = StepsOf(field.path);
        if (const auto key = steps ? KeyFieldOf(*steps) : std::nullopt) {
            keysGiven[key->first] = true;
        }
    }
    // Keys are unique by function: a whole new set starts from none.
    if (std::all_of(keysGiven.begin(), keysGiven.end(), [](bool given) { return given; })) {
        ButtonsWorkingCopy keys(changed);
        keys.ClearAll();
        keys.WriteTo(changed);
    }
    const auto fieldRefusals = AssignFields(changed, fields);
    refusals.insert(refusals.end(), fieldRefusals.begin(), fieldRefusals.end());
    if (refusals.empty()) {
        image = changed;
    }
    return refusals;
}

std::optional<FieldAssignment> ParseAssignment(std::string_view text) {
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return std::nullopt;
    }
    return FieldAssignment{std::string(text.substr(0, equals)),
                           std::string(text.substr(equals + 1))};
}
