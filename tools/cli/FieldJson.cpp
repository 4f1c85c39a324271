#include "FieldJson.h"

#include <charconv>
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

}  // namespace

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
