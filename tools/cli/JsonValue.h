#pragma once
// A small JSON tree and its writer, enough for dump --json: objects keep
// their keys sorted, and the text comes out indented by four spaces.

#include <string>
#include <string_view>
#include <vector>

struct JsonMember;

class JsonValue {
public:
    enum class Kind { Object, Array, String, Number };

    JsonValue() = default;  // an empty object
    static JsonValue Array() { return JsonValue(Kind::Array); }
    static JsonValue String(std::string utf8);
    static JsonValue Number(double number);

    Kind kind() const { return m_kind; }

    // The member named key, added (as an empty object) when there is none.
    // A value that is not an object becomes an empty one first.
    JsonValue& operator[](std::string_view key);

    // The item at index; a shorter array grows with empty objects first.
    // A value that is not an array becomes an empty one first.
    JsonValue& At(std::size_t index);

    // The whole document, ending in a line break.
    std::string ToJson() const;

private:
    explicit JsonValue(Kind kind) : m_kind(kind) {}
    void Write(std::string& out, int depth) const;

    Kind m_kind = Kind::Object;
    std::vector<JsonMember> m_members;  // sorted by key
    std::vector<JsonValue> m_items;
    std::string m_text;
    double m_number = 0;
};

struct JsonMember {
    std::string key;
    JsonValue value;
};

// text as a JSON string literal, quotes included; text is UTF-8 and stays so.
std::string JsonQuoted(std::string_view text);

// number as JSON writes it: whole numbers without a point, others in the
// fewest digits that read back as the same double; null when not finite.
std::string JsonNumber(double number);
