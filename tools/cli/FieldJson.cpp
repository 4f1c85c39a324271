// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldJson.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "Latin1Text.h"

namespace {

// text read whole as a number, or 0 when it is not one.
template <typename Number>
Number NumberOf(std::string_view text) {
    Number number{};
    const std::from_chars_result read =
        std::from_chars(text.data(), text.data() + text.size(), number);
    return read.ec == std::errc() && read.ptr == text.data() + text.size() ? number : Number{};
}

// Follows path from root, making the objects and arrays it passes through:
// "channels[1].frequencies[3].label" is three steps, two of them into arrays.
JsonValue& Place(JsonValue& root, std::string_view path) {
    JsonValue* node = &root;
    while (true) {
        const std::size_t dot = path.find('.');
        const std::string_view step = path.substr(0, dot);
        const std::size_t open = step.find('[');
        if (open == std::string_view::npos) {
            node = &(*node)[step];
        } else {
            const std::string_view index = step.substr(open + 1, step.size() - open - 2);
            node = &(*node)[step.substr(0, open)].At(NumberOf<std::size_t>(index));
        }
        if (dot == std::string_view::npos) {
            return *node;
        }
        path.remove_prefix(dot + 1);
    }
}

// A string's or number's text in single-byte characters; none, with a
// refusal, for anything else.
std::optional<std::string> ScalarText(const std::string& path, const JsonValue& value,
                                      std::vector<std::string>& refusals) {
    if (value.kind() != JsonValue::Kind::String && value.kind() != JsonValue::Kind::Number) {
        refusals.push_back(path + ": a field's value is a string or a number.");
        return std::nullopt;
    }
    auto latin1 = Latin1FromUtf8(value.Text());
    if (!latin1) {
        refusals.push_back(path + ": a character has no single-byte form.");
    }
    return latin1;
}

// Every scalar under value as a field assignment by its path.
void AddFields(const std::string& path, const JsonValue& value,
               std::vector<FieldAssignment>& fields, std::vector<std::string>& refusals) {
    switch (value.kind()) {
        case JsonValue::Kind::Object:
            for (const JsonMember& member : value.Members()) {
                AddFields(path + "." + member.key, member.value, fields, refusals);
            }
            return;
        case JsonValue::Kind::Array:
            for (std::size_t k = 0; k < value.Items().size(); ++k) {
                AddFields(path + "[" + std::to_string(k) + "]", value.Items()[k], fields, refusals);
            }
            return;
        default:
            if (auto text = ScalarText(path, value, refusals)) {
                fields.push_back({path, std::move(*text)});
            }
    }
}

std::optional<ListTable> ListTableAt(std::string_view path) {
    for (const ListTable table : kListTables) {
        if (InfoOf(table).path == path) {
            return table;
        }
    }
    return std::nullopt;
}

}  // namespace

DatabaseChanges ChangesOfJson(const JsonValue& root, std::vector<std::string>& refusals) {
    DatabaseChanges changes;
    if (root.kind() != JsonValue::Kind::Object) {
        refusals.push_back("The document must be a JSON object, as dump --json writes it.");
        return changes;
    }
    for (const JsonMember& member : root.Members()) {
        const auto table = ListTableAt(member.key);
        if (!table) {
            AddFields(member.key, member.value, changes.fields, refusals);
            continue;
        }
        if (member.value.kind() != JsonValue::Kind::Array) {
            refusals.push_back(member.key + ": a table is an array of records.");
            continue;
        }
        DatabaseChanges::Table records{*table, {}};
        for (std::size_t k = 0; k < member.value.Items().size(); ++k) {
            const std::string path = member.key + "[" + std::to_string(k) + "]";
            const JsonValue& record = member.value.Items()[k];
            if (record.kind() != JsonValue::Kind::Object) {
                refusals.push_back(path + ": a record is an object of fields.");
                continue;
            }
            FieldValues values;
            for (const JsonMember& field : record.Members()) {
                if (auto text = ScalarText(path + "." + field.key, field.value, refusals)) {
                    values.emplace_back(field.key, std::move(*text));
                }
            }
            records.records.push_back(std::move(values));
        }
        changes.tables.push_back(std::move(records));
    }
    return changes;
}

JsonValue FieldsAsJson(const std::vector<DatabaseField>& fields) {
    JsonValue root;
    // The list tables are there even when none of their records is in use.
    for (const char* list : {"paging_formats", "speed_pages", "custom_tones", "ptt_id_aliases"}) {
        root[list] = JsonValue::Array();
    }
    for (const DatabaseField& field : fields) {
        // Texts are single-byte characters in the image.
        Place(root, field.path) = field.number ? JsonValue::Number(NumberOf<double>(field.value))
                                               : JsonValue::String(Utf8FromLatin1(field.value));
    }
    return root;
}
