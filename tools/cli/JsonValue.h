// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small JSON tree, its writer and its reader, enough for dump --json and
// apply: objects keep their keys sorted, the text comes out indented by four
// spaces, and a number read keeps the text it was written as.

#include <string>
#include <string_view>
#include <vector>

struct JsonMember;

class JsonValue {
public:
    enum class Kind { Object, Array, String, Number, Boolean };

    JsonValue();  // an empty object
    // Defined where JsonMember is complete: a member holds a JsonValue itself.
    JsonValue(const JsonValue&);
    JsonValue(JsonValue&&) noexcept;
    JsonValue& operator=(const JsonValue&);
    JsonValue& operator=(JsonValue&&) noexcept;
    ~JsonValue();
    static JsonValue Array();
    static JsonValue String(std::string utf8);
    static JsonValue Number(double number);
    static JsonValue Boolean(bool truth);
    // A number as read: its text as written ("1234.5").
    static JsonValue NumberText(std::string text);

    // The document in text, or why it is no JSON ("line 3: ..."). Its values
    // are objects, arrays, strings and numbers; true, false and null are refused.
    static JsonValue Parse(std::string_view text, std::string& error);

    Kind kind() const { return m_kind; }
    const std::vector<JsonMember>& Members() const { return m_members; }
    const std::vector<JsonValue>& Items() const { return m_items; }
    // A string's UTF-8 text, a number's text, or "true" or "false".
    std::string Text() const;
    // Whether an object has a member of that name.
    bool Has(std::string_view key) const { return Find(key) != nullptr; }
    // An object's member of that name, or null.
    const JsonValue* Find(std::string_view key) const;

    // The member named key, added (as an empty object) when there is none.
    // A value that is not an object becomes an empty one first.
    JsonValue& operator[](std::string_view key);

    // The item at index; a shorter array grows with empty objects first.
    // A value that is not an array becomes an empty one first.
    JsonValue& At(std::size_t index);

    // The whole document, ending in a line break.
    std::string ToJson() const;

private:
    explicit JsonValue(Kind kind);
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
