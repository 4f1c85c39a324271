// SPDX-License-Identifier: GPL-3.0-or-later
// JsonValue::Parse: a strict reader of JSON text, with the line of the first fault.

#include <cstdint>

#include "JsonValue.h"

namespace {

class JsonReader {
public:
    explicit JsonReader(std::string_view text) : m_text(text) {}

    JsonValue Document(std::string& error) {
        JsonValue value = Value(0);
        Space();
        if (m_error.empty() && m_at != m_text.size()) {
            Fail("text after the document's end");
        }
        error = m_error;
        return m_error.empty() ? value : JsonValue();
    }

private:
    // Deeper nesting than any database document has is refused, not followed.
    static constexpr int kMaxDepth = 16;

    void Fail(const std::string& why) {
        if (m_error.empty()) {
            int line = 1;
            for (std::size_t i = 0; i < m_at && i < m_text.size(); ++i) {
                line += m_text[i] == '\n' ? 1 : 0;
            }
            m_error = "line " + std::to_string(line) + ": " + why + ".";
        }
    }
    bool Ok() const { return m_error.empty(); }
    char Peek() const { return m_at < m_text.size() ? m_text[m_at] : '\0'; }
    void Space() {
        while (m_at < m_text.size() &&
               (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) {
            ++m_at;
        }
    }
    bool Take(char expected) {
        Space();
        if (Peek() != expected) {
            Fail(std::string("'") + expected + "' expected");
            return false;
        }
        ++m_at;
        return true;
    }

    JsonValue Value(int depth) {
        Space();
        if (depth > kMaxDepth) {
            Fail("the document nests too deep");
            return {};
        }
        switch (Peek()) {
            case '{':
                return Object(depth);
            case '[':
                return Array(depth);
            case '"':
                return JsonValue::String(String());
            case 't':
            case 'f':
                return Boolean();
            case 'n':
                Fail("null is no value here");
                return {};
            default:
                return Number();
        }
    }

    JsonValue Boolean() {
        for (const bool truth : {true, false}) {
            const std::string_view word = truth ? "true" : "false";
            if (m_text.substr(m_at, word.size()) == word) {
                m_at += word.size();
                return JsonValue::Boolean(truth);
            }
        }
        Fail("a value expected");
        return {};
    }

    JsonValue Object(int depth) {
        JsonValue object;
        ++m_at;
        Space();
        if (Peek() == '}') {
            ++m_at;
            return object;
        }
        while (Ok()) {
            Space();
            if (Peek() != '"') {
                Fail("a member's name expected");
                break;
            }
            const std::string key = String();
            if (object.Has(key)) {
                Fail("the member \"" + key + "\" comes twice");
                break;
            }
            if (!Take(':')) {
                break;
            }
            object[key] = Value(depth + 1);
            Space();
            if (Peek() == '}') {
                ++m_at;
                break;
            }
            Take(',');
        }
        return object;
    }

    JsonValue Array(int depth) {
        JsonValue array = JsonValue::Array();
        ++m_at;
        Space();
        if (Peek() == ']') {
            ++m_at;
            return array;
        }
        for (std::size_t index = 0; Ok(); ++index) {
            array.At(index) = Value(depth + 1);
            Space();
            if (Peek() == ']') {
                ++m_at;
                break;
            }
            Take(',');
        }
        return array;
    }

    static void AppendUtf8(std::string& out, std::uint32_t code) {
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
    }

    std::uint32_t Hex4() {
        std::uint32_t code = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = Peek();
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) {
                Fail("four hexadecimal digits expected after \\u");
                return 0;
            }
            code = code * 16 + static_cast<std::uint32_t>(digit);
            ++m_at;
        }
        return code;
    }

    std::string String() {
        std::string out;
        ++m_at;
        while (Ok()) {
            if (m_at >= m_text.size()) {
                Fail("a string is left open");
                break;
            }
            const char c = m_text[m_at++];
            if (c == '"') {
                break;
            }
            if (static_cast<unsigned char>(c) < 0x20) {
                Fail("a control character inside a string");
                break;
            }
            if (c != '\\') {
                out += c;
                continue;
            }
            const char escaped = Peek();
            ++m_at;
            switch (escaped) {
                case '"':
                case '\\':
                case '/':
                    out += escaped;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    std::uint32_t code = Hex4();
                    // A surrogate pair is one character.
                    if (code >= 0xD800 && code < 0xDC00 && m_text.substr(m_at, 2) == "\\u") {
                        m_at += 2;
                        const std::uint32_t low = Hex4();
                        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                    }
                    AppendUtf8(out, code);
                    break;
                }
                default:
                    Fail("an unknown escape in a string");
                    break;
            }
        }
        return out;
    }

    // -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
    JsonValue Number() {
        const std::size_t start = m_at;
        const auto digits = [this] {
            const std::size_t first = m_at;
            while (Peek() >= '0' && Peek() <= '9') {
                ++m_at;
            }
            return m_at > first;
        };
        if (Peek() == '-') {
            ++m_at;
        }
        const bool leadingZero = Peek() == '0';
        bool valid = digits() && !(leadingZero && m_at - start > 1 + (m_text[start] == '-'));
        if (valid && Peek() == '.') {
            ++m_at;
            valid = digits();
        }
        if (valid && (Peek() == 'e' || Peek() == 'E')) {
            ++m_at;
            if (Peek() == '+' || Peek() == '-') {
                ++m_at;
            }
            valid = digits();
        }
        if (!valid) {
            Fail("a value expected");
            return {};
        }
        return JsonValue::NumberText(std::string(m_text.substr(start, m_at - start)));
    }

    std::string_view m_text;
    std::size_t m_at = 0;
    std::string m_error;
};

}  // namespace

JsonValue JsonValue::Parse(std::string_view text, std::string& error) {
    return JsonReader(text).Document(error);
}
