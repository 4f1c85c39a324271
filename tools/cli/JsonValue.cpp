// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <utility>

JsonValue::JsonValue() = default;
JsonValue::JsonValue(Kind kind) : m_kind(kind) {}
JsonValue::JsonValue(const JsonValue&) = default;
JsonValue::JsonValue(JsonValue&&) noexcept = default;
JsonValue& JsonValue::operator=(const JsonValue&) = default;
JsonValue& JsonValue::operator=(JsonValue&&) noexcept = default;
JsonValue::~JsonValue() = default;

JsonValue JsonValue::Array() {
    return JsonValue(Kind::Array);
}

JsonValue JsonValue::String(std::string utf8) {
    JsonValue value(Kind::String);
    value.m_text = std::move(utf8);
    return value;
}

JsonValue JsonValue::Number(double number) {
    JsonValue value(Kind::Number);
    value.m_number = number;
    return value;
}

JsonValue JsonValue::Boolean(bool truth) {
    JsonValue value(Kind::Boolean);
    value.m_text = truth ? "true" : "false";
    return value;
}

JsonValue JsonValue::NumberText(std::string text) {
    JsonValue value(Kind::Number);
    std::from_chars(text.data(), text.data() + text.size(), value.m_number);
    value.m_text = std::move(text);
    return value;
}

std::string JsonValue::Text() const {
    return m_kind == Kind::Number && m_text.empty() ? JsonNumber(m_number) : m_text;
}

const JsonValue* JsonValue::Find(std::string_view key) const {
    if (m_kind != Kind::Object) {
        return nullptr;
    }
    const auto member = std::find_if(m_members.begin(), m_members.end(),
                                     [key](const JsonMember& m) { return m.key == key; });
    return member == m_members.end() ? nullptr : &member->value;
}

JsonValue& JsonValue::operator[](std::string_view key) {
    if (m_kind != Kind::Object) {
        *this = JsonValue();
    }
    const auto place = std::lower_bound(
        m_members.begin(), m_members.end(), key,
        [](const JsonMember& member, std::string_view k) { return member.key < k; });
    if (place != m_members.end() && place->key == key) {
        return place->value;
    }
    return m_members.insert(place, JsonMember{std::string(key), JsonValue()})->value;
}

JsonValue& JsonValue::At(std::size_t index) {
    if (m_kind != Kind::Array) {
        *this = Array();
    }
    if (m_items.size() <= index) {
        m_items.resize(index + 1);
    }
    return m_items[index];
}

std::string JsonValue::ToJson() const {
    std::string out;
    Write(out, 0);
    out += '\n';
    return out;
}

void JsonValue::Write(std::string& out, int depth) const {
    const std::string inner(4 * (depth + 1), ' ');
    switch (m_kind) {
        case Kind::String:
            out += JsonQuoted(m_text);
            return;
        case Kind::Number:
            out += JsonNumber(m_number);
            return;
        case Kind::Boolean:
            out += m_text;
            return;
        case Kind::Object:
            out += "{\n";
            for (std::size_t i = 0; i < m_members.size(); ++i) {
                out += inner + JsonQuoted(m_members[i].key) + ": ";
                m_members[i].value.Write(out, depth + 1);
                out += i + 1 < m_members.size() ? ",\n" : "\n";
            }
            out += std::string(4 * depth, ' ') + "}";
            return;
        case Kind::Array:
            out += "[\n";
            for (std::size_t i = 0; i < m_items.size(); ++i) {
                out += inner;
                m_items[i].Write(out, depth + 1);
                out += i + 1 < m_items.size() ? ",\n" : "\n";
            }
            out += std::string(4 * depth, ' ') + "]";
            return;
    }
}

std::string JsonQuoted(std::string_view text) {
    constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char ch : text) {
        switch (ch) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(ch) < 0x20) {
                    out += "\\u00";
                    out += kHex[ch >> 4];
                    out += kHex[ch & 0xF];
                } else {
                    out += ch;  // UTF-8 bytes pass through whole
                }
        }
    }
    return out + '"';
}

std::string JsonNumber(double number) {
    if (!std::isfinite(number)) {
        return "null";
    }
    char buffer[32];
    // Whole numbers that a double holds exactly read best without an exponent.
    constexpr double kExact = 9007199254740992.0;  // 2^53
    const std::to_chars_result written =
        std::trunc(number) == number && std::fabs(number) <= kExact
            ? std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(number))
            : std::to_chars(buffer, buffer + sizeof buffer, number);
    return std::string(buffer, written.ptr);
}
