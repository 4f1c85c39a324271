// SPDX-License-Identifier: GPL-3.0-or-later
// The JSON writer and the Latin-1 conversions behind dump, export and import.

#include "JsonValue.h"
#include "Latin1Text.h"

#include <gtest/gtest.h>

TEST(JsonValueTest, EscapesTextAndWritesNumbersAsTheyReadBack) {
    EXPECT_EQ(JsonQuoted("say \"hi\" C:\\x"), R"("say \"hi\" C:\\x")");
    EXPECT_EQ(JsonQuoted("a\tb\nc\r\x01\x1f"), R"("a\tb\nc\r\u0001\u001f")");
    EXPECT_EQ(JsonQuoted("caf\xC3\xA9 / \x7f"), "\"caf\xC3\xA9 / \x7f\"");

    EXPECT_EQ(JsonNumber(1000), "1000");
    EXPECT_EQ(JsonNumber(-7), "-7");
    EXPECT_EQ(JsonNumber(1234.5), "1234.5");
    EXPECT_EQ(JsonNumber(0.1), "0.1");

    JsonValue root;
    root["b"].At(1)["n"] = JsonValue::Number(2);
    root["a"] = JsonValue::String("x");
    EXPECT_EQ(root.ToJson(),
              "{\n"
              "    \"a\": \"x\",\n"
              "    \"b\": [\n"
              "        {\n"
              "        },\n"
              "        {\n"
              "            \"n\": 2\n"
              "        }\n"
              "    ]\n"
              "}\n");
}

TEST(Latin1TextTest, ConvertsBothWaysAndMarksWhatHasNoSingleByteForm) {
    EXPECT_EQ(Utf8FromLatin1("A\xE9\xFF"), "A\xC3\xA9\xC3\xBF");
    // A leading byte order mark goes; a malformed or overlong sequence is U+FFFD.
    EXPECT_EQ(DecodeUtf8("\xEF\xBB\xBF"
                         "a\xC3\xA9\xE2\x82\xAC"),
              U"a\u00E9\u20AC");
    EXPECT_EQ(DecodeUtf8("\xC3\n\xC0\xAF\xF0\x9F\x98\x80"), U"\uFFFD\n\uFFFD\U0001F600");
}
