// SPDX-License-Identifier: GPL-3.0-or-later
// The speed page rules: the sorted, compact table with its keys following
// their records, the digit sequence of each base format and the checks on OK.

#include "model/paging/SpeedPageForm.h"

#include <gmock/gmock.h>

#include <algorithm>

#include "model/ButtonTable.h"
#include "model/ImageDefaults.h"
#include "model/ManualPage.h"
#include "model/SpeedPage.h"
#include "model/editing/RecordTable.h"
#include "model/paging/PagingFormats.h"

using ::testing::ElementsAre;

namespace {

class SpeedPageFormTest : public ::testing::Test {
protected:
    void SetUp() override { SetImageDefaults(m_image); }

    void DefineFormat(std::size_t record, const std::string& label, BaseFormat code) {
        ManualPage page(m_image, record);
        page.SetLabel(label);
        page.SetBaseFormat(static_cast<std::uint8_t>(code));
    }
    SpeedPageForm Form(std::optional<std::size_t> record, const std::string& label,
                       const std::string& digits, int format = 0) {
        SpeedPageForm form = SpeedPageRules::Load(m_image, record);
        form.label = label;
        form.digits = digits;
        form.format = format;
        return form;
    }
    std::size_t Save(std::optional<std::size_t> record, const std::string& label,
                     const std::string& digits = "1234") {
        const SpeedPageForm form = Form(record, label, digits);
        EXPECT_TRUE(SpeedPageRules::Validate(form, m_image, record).Ok()) << label;
        return SpeedPageRules::Write(form, m_image, record);
    }
    std::vector<std::string> Labels() {
        std::vector<std::string> labels;
        for (std::size_t i = 0; i < layout::speed_page::kCount; ++i) {
            if (!SpeedPage(m_image, i).IsFree()) {
                labels.push_back(std::to_string(i) + ":" + SpeedPage(m_image, i).Label());
            }
        }
        return labels;
    }
    std::string Refusal(const SpeedPageForm& form, std::optional<std::size_t> record = {}) {
        return SpeedPageRules::Validate(form, m_image, record).message;
    }

    ConfigImage m_image;
    ButtonTable m_keys{m_image};
};

}  // namespace

TEST_F(SpeedPageFormTest, WritesKeepTheTableSortedAndKeysFollow) {
    DefineFormat(0, "HEX", BaseFormat::VoiceAlert);
    EXPECT_EQ(Save(std::nullopt, "bravo"), 0u);
    m_keys.Set(0, ButtonKind::SpeedPage, 1);  // bravo
    EXPECT_EQ(Save(std::nullopt, "ALPHA"), 0u);
    EXPECT_EQ(Save(std::nullopt, "Charlie"), 2u);
    EXPECT_THAT(Labels(), ElementsAre("0:ALPHA", "1:bravo", "2:Charlie"));
    EXPECT_EQ(m_keys.Value(0), 2);

    // Renamed past the others, it moves down and every key follows its page.
    m_keys.Set(1, ButtonKind::SpeedPage, 1);  // ALPHA
    m_keys.Set(2, ButtonKind::SpeedPage, 3);  // Charlie
    m_keys.Set(3, ButtonKind::Frequency, 1);  // another kind stays
    EXPECT_EQ(Save(0, "delta"), 2u);
    EXPECT_THAT(Labels(), ElementsAre("0:bravo", "1:Charlie", "2:delta"));
    EXPECT_EQ(m_keys.Value(0), 1);
    EXPECT_EQ(m_keys.Value(1), 3);
    EXPECT_EQ(m_keys.Value(2), 2);
    EXPECT_EQ(m_keys.Value(3), 1);

    // And back up: a label sorts before the others again.
    EXPECT_EQ(Save(2, "able"), 0u);
    EXPECT_THAT(Labels(), ElementsAre("0:able", "1:bravo", "2:Charlie"));
    EXPECT_EQ(m_keys.Value(0), 2);
    EXPECT_EQ(m_keys.Value(1), 1);
    EXPECT_EQ(m_keys.Value(2), 3);

    // Equal labels ignoring case never swap; a prefix comes first.
    EXPECT_EQ(Save(std::nullopt, "BRAVO"), 2u);
    EXPECT_EQ(Save(std::nullopt, "BRAV"), 1u);
    EXPECT_THAT(Labels(), ElementsAre("0:able", "1:BRAV", "2:bravo", "3:BRAVO", "4:Charlie"));
}

TEST_F(SpeedPageFormTest, DeleteCompactsAndLowersTheKeysAbove) {
    DefineFormat(0, "HEX", BaseFormat::VoiceAlert);
    for (const char* label : {"A", "B", "C"}) {
        Save(std::nullopt, label);
    }
    m_keys.Set(0, ButtonKind::SpeedPage, 1);
    m_keys.Set(1, ButtonKind::SpeedPage, 2);
    m_keys.Set(2, ButtonKind::SpeedPage, 3);
    EXPECT_EQ(SpeedPageDeleteRefusal(m_image, 0), kSpeedPageUsedByButtonMessage);
    m_keys.Clear(0);
    EXPECT_EQ(SpeedPageDeleteRefusal(m_image, 0), std::nullopt);

    DeleteSpeedPage(m_image, 0);
    EXPECT_THAT(Labels(), ElementsAre("0:B", "1:C"));
    EXPECT_EQ(SpeedPage(m_image, 1).Digits(), "1234");
    EXPECT_EQ(m_keys.Value(1), 1);
    EXPECT_EQ(m_keys.Value(2), 2);

    // A table with a gap (from a file): the compaction stops at the gap, and
    // so do the keys.
    SpeedPage(m_image, 4).SetLabel("Z");
    m_keys.Clear(1);
    m_keys.Set(3, ButtonKind::SpeedPage, 5);
    DeleteSpeedPage(m_image, 0);
    EXPECT_THAT(Labels(), ElementsAre("0:C", "4:Z"));
    EXPECT_EQ(m_keys.Value(2), 1);
    EXPECT_EQ(m_keys.Value(3), 5);
}

TEST_F(SpeedPageFormTest, DigitSequenceRulesByBaseFormat) {
    struct Case {
        BaseFormat code;
        const char* passes;
        const char* fails;
    };
    const Case cases[] = {
        {BaseFormat::Motorola1Plus1, "123", "12A"}, {BaseFormat::Motorola2Plus2, "A1B2", "A1C2"},
        {BaseFormat::GeType99, "999", "9999"},      {BaseFormat::Motorola5Tone, "12345", "1234"},
        {BaseFormat::Nec6Tone, "00000", "0000A"},   {BaseFormat::ReachTone, "007", "07"},
        {BaseFormat::Dtmf, "12*#", "12E"},          {BaseFormat::Dtmf, "0123456789ABCD*#", "#E"},
        {BaseFormat::PulsePage, "1", "1*"},         {BaseFormat::CustomPageTone, "42", "420"},
        {BaseFormat::VoiceAlert, "1F3A", "123"},    {BaseFormat::PlectronTwoTone, "FFFF", "FFFG"},
    };
    for (const Case& c : cases) {
        const DigitRule& rule = DigitRuleOf(static_cast<std::uint8_t>(c.code));
        EXPECT_TRUE(rule.Accepts(c.passes)) << c.passes;
        EXPECT_FALSE(rule.Accepts(c.fails)) << c.fails;
    }
    // A code no format has takes the tone rule.
    EXPECT_EQ(DigitRuleOf(200).message, DigitRuleOf(0).message);
    EXPECT_EQ(DigitRuleOf(18).message,
              "This DTMF format digit sequence requires from 1 to 16 numerical characters or "
              "\"A\" to \"D\", \"*\" or \"#\".\n\n");
}

TEST_F(SpeedPageFormTest, ChecksInTheirOrder) {
    DefineFormat(1, "MOT", BaseFormat::Motorola1Plus1);
    DefineFormat(3, "DTMF", BaseFormat::Dtmf);
    Save(std::nullopt, "TAKEN", "123");
    using F = SpeedPageField;
    const auto field = [this](const SpeedPageForm& form) {
        return SpeedPageRules::Validate(form, m_image, std::nullopt).field;
    };

    EXPECT_EQ(Refusal(Form({}, "NINECHARS", "")), "Please enter no more than 8 characters.");
    EXPECT_EQ(Refusal(Form({}, "X", std::string(17, '1'))),
              "Please enter no more than 16 characters.");
    EXPECT_EQ(Refusal(Form({}, "EIGHTCHR", std::string(16, '1'), 1)), "");  // both full width
    EXPECT_EQ(Refusal(Form({}, "", "")), kFieldsEmptyMessage);
    EXPECT_EQ(field(Form({}, "", "")), F::Label);
    EXPECT_EQ(field(Form({}, "X", "")), F::Digits);
    EXPECT_EQ(Refusal(Form({}, "TAKEN", "12E", 1)), DigitRuleOf(18).message);
    EXPECT_EQ(field(Form({}, "TAKEN", "12E", 1)), F::Digits);
    EXPECT_EQ(Refusal(Form({}, "TAKEN", "12*#", 1)), kDuplicateLabelMessage);
    EXPECT_EQ(Refusal(Form(0, "TAKEN", "12*#", 1), 0), "");
    EXPECT_EQ(Refusal(Form({}, "X", "1", -1)), kChooseFormatMessage);
    ConfigImage full = m_image;
    for (std::size_t i = 0; i < layout::speed_page::kCount; ++i) {
        SpeedPage(full, i).SetLabel("P" + std::to_string(i));
    }
    EXPECT_EQ(SpeedPageRules::Validate(Form({}, "NEW", "123"), full, std::nullopt).message,
              kTableFullMessage);

    // The second entry is the format of record 3; the record keeps its index.
    EXPECT_EQ(Save(std::nullopt, "NEW", "123"), 0u);
    EXPECT_EQ(SpeedPage(m_image, 0).PagingFormat(), 1);
    SpeedPageForm form = Form(std::nullopt, "SECOND", "12*#", 1);
    EXPECT_EQ(form.formats[1].text, "DTMF (DTMF Page Format)");
    SpeedPageRules::Write(form, m_image, std::nullopt);
    EXPECT_EQ(SpeedPage(m_image, 1).PagingFormat(), 3);
    EXPECT_EQ(SpeedPageRules::Load(m_image, 1).format, 1);
}

TEST_F(SpeedPageFormTest, FormatsThatAreGoneOrMissing) {
    // No paging format: the editor refuses instead of writing a page that
    // points at nothing.
    EXPECT_EQ(SpeedPageRules::Load(m_image, std::nullopt).format, -1);
    EXPECT_EQ(Refusal(Form({}, "X", "1234", -1)), kNoPagingFormatMessage);

    // A stored format that is free or outside the table selects nothing and
    // lists as missing.
    DefineFormat(2, "ONE", BaseFormat::VoiceAlert);
    SpeedPage page(m_image, 0);
    page.SetLabel("OLD");
    page.SetPagingFormat(40);
    EXPECT_EQ(SpeedPageRules::Load(m_image, 0).format, -1);
    EXPECT_EQ(PagingFormatText(m_image, 40), "<Paging format 40 is not defined>");
    EXPECT_EQ(PagingFormatText(m_image, 2), "ONE (Voice Alert)");
}

namespace {

// The digit sequence rules as the speed page editor documents them; every
// code without a row of its own takes the last one.
struct ExpectedDigitRule {
    std::vector<int> codes;
    std::size_t minLength;
    std::size_t maxLength;
    std::string_view allowed;
    std::string_view message;
};

const std::vector<ExpectedDigitRule>& ExpectedDigitRules() {
    static const std::vector<ExpectedDigitRule> rules = {
        {{10},
         3,
         3,
         "0123456789",
         "The Motorola 1+1 format digit sequence requires 3 numerical characters."},
        {{11},
         4,
         4,
         "0123456789AB",
         "The Motorola 2+2 format digit sequence requires 4 numerical characters or \"A\"  and  "
         "\"B\"."},
        {{12},
         3,
         3,
         "0123456789",
         "The GE 99 format digit sequence requires 3 numerical characters."},
        {{13},
         5,
         5,
         "0123456789",
         "The Motorola 5 format digit sequence requires 5 numerical characters."},
        {{14},
         5,
         5,
         "0123456789",
         "The Motorola 6 format digit sequence requires 5 numerical characters."},
        {{15},
         5,
         5,
         "0123456789",
         "The NEC 5 format digit sequence requires 5 numerical characters."},
        {{16},
         5,
         5,
         "0123456789",
         "The NEC 6 format digit sequence requires 5 numerical characters."},
        {{17},
         3,
         3,
         "0123456789",
         "The Reach format digit sequence requires 3 numerical characters."},
        {{18},
         1,
         16,
         "0123456789ABCD*#",
         "This DTMF format digit sequence requires from 1 to 16 numerical characters or \"A\" to "
         "\"D\", \"*\" or \"#\".\n\n"},
        {{19},
         1,
         16,
         "0123456789",
         "The Pulse Tone format Digit Sequence requires from 1 to 16 numerical characters."},
        {{20},
         1,
         2,
         "0123456789",
         "You must enter 1 or 2 numerical characters for the custom format digit sequence."},
        {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 21},
         4,
         4,
         "0123456789ABCDEF",
         "This tone format digit sequence requires 4 hexadecimal characters."},
    };
    return rules;
}

const ExpectedDigitRule& ExpectedDigitRuleOf(int code) {
    for (const ExpectedDigitRule& rule : ExpectedDigitRules()) {
        if (std::find(rule.codes.begin(), rule.codes.end(), code) != rule.codes.end()) {
            return rule;
        }
    }
    return ExpectedDigitRules().back();
}

}  // namespace

// Every stored code, every length from empty to one past the field and every
// byte value in the last place of a sequence of the shortest length: exactly
// the documented ones pass.
TEST_F(SpeedPageFormTest, DigitSequenceLengthsAndCharactersOfEveryCode) {
    std::vector<std::string> wrong;
    for (int code = 0; code < 256; ++code) {
        const ExpectedDigitRule& expected = ExpectedDigitRuleOf(code);
        const DigitRule& rule = DigitRuleOf(static_cast<std::uint8_t>(code));
        const std::string where = "code " + std::to_string(code);
        if (rule.message != expected.message) {
            wrong.push_back(where + ": message");
        }
        const char first = expected.allowed.front();
        for (std::size_t length = 0; length <= layout::speed_page::kDigitsWidth + 1; ++length) {
            const bool fits = length >= expected.minLength && length <= expected.maxLength;
            if (rule.Accepts(std::string(length, first)) != fits) {
                wrong.push_back(where + ": length " + std::to_string(length));
            }
        }
        for (int byte = 1; byte < 256; ++byte) {
            std::string digits(expected.minLength - 1, first);
            digits.push_back(static_cast<char>(byte));
            const bool allowed =
                expected.allowed.find(static_cast<char>(byte)) != std::string::npos;
            if (rule.Accepts(digits) != allowed) {
                wrong.push_back(where + ": byte " + std::to_string(byte));
            }
        }
        // Every allowed character in one sequence, where the length permits.
        if (expected.maxLength >= expected.allowed.size() &&
            !rule.Accepts(std::string(expected.allowed))) {
            wrong.push_back(where + ": the whole set");
        }
    }
    EXPECT_THAT(wrong, ElementsAre());
}

// Through the editor's checks: the chosen entry's base format decides, the
// last accepted length passes, the first refused one names the rule, and an
// empty sequence is refused first as a missing field.
TEST_F(SpeedPageFormTest, EditorChecksTheRuleOfTheChosenFormatAtItsLengthBounds) {
    std::vector<int> codes;
    for (int code = 0; code <= static_cast<int>(BaseFormat::PlectronTwoTone); ++code) {
        codes.push_back(code);
    }
    // Slot 0 holds another rule throughout, so a check against the wrong
    // entry shows.
    for (const int code : codes) {
        SCOPED_TRACE(code);
        m_image = ConfigImage();
        SetImageDefaults(m_image);
        DefineFormat(0, "OTHER", code == 18 ? BaseFormat::Motorola1Plus1 : BaseFormat::Dtmf);
        DefineFormat(15, "LAST", static_cast<BaseFormat>(code));
        const ExpectedDigitRule& expected = ExpectedDigitRuleOf(code);
        const char first = expected.allowed.back();
        EXPECT_EQ(Refusal(Form({}, "P", std::string(expected.maxLength, first), 1)), "");
        EXPECT_EQ(Refusal(Form({}, "P", std::string(expected.minLength, first), 1)), "");
        const std::string over(expected.maxLength + 1, first);
        EXPECT_EQ(Refusal(Form({}, "P", over, 1)),
                  over.size() > layout::speed_page::kDigitsWidth
                      ? std::string("Please enter no more than 16 characters.")
                      : std::string(expected.message));
        const std::string under(expected.minLength - 1, first);
        EXPECT_EQ(Refusal(Form({}, "P", under, 1)),
                  under.empty() ? std::string(kFieldsEmptyMessage) : std::string(expected.message));
        // Written, the page keeps the slot of its format and its sequence.
        const SpeedPageForm form = Form({}, "P", std::string(expected.maxLength, first), 1);
        EXPECT_EQ(SpeedPageRules::Write(form, m_image, std::nullopt), 0u);
        EXPECT_EQ(SpeedPage(m_image, 0).PagingFormat(), 15);
        EXPECT_EQ(SpeedPage(m_image, 0).Digits(), std::string(expected.maxLength, first));
    }
}

namespace {

// Where the key of a speed page whose record was c points after the record
// written at b went to d: the documented renumbering, any value that names
// no record left alone.
std::uint8_t FollowedValue(std::uint8_t value, std::size_t b, std::size_t d) {
    if (value == 0 || value > layout::speed_page::kCount) {
        return value;
    }
    const std::size_t c = value - 1u;
    if (c == b) {
        return static_cast<std::uint8_t>(d + 1);
    }
    if (d <= c && c < b) {
        return static_cast<std::uint8_t>(value + 1);
    }
    if (b < c && c <= d) {
        return static_cast<std::uint8_t>(value - 1);
    }
    return value;
}

}  // namespace

// A full table: a rename that sorts the first page last moves it to the
// last record, one that sorts the last page first moves it to record 0, and
// pages that meet equal labels (ignoring case) stay. The keys follow, from
// value 1 to 250; 0, 251 and 255 name no page and stay.
TEST_F(SpeedPageFormTest, RenamesMoveAcrossAFullTableAndTheKeysFollow) {
    DefineFormat(0, "HEX", BaseFormat::VoiceAlert);
    for (std::size_t i = 0; i < layout::speed_page::kCount; ++i) {
        SpeedPage page(m_image, i);
        page.SetLabel("P" + std::to_string(1000 + i));
        page.SetDigits("1234");
    }
    const std::vector<std::uint8_t> values = {1, 2, 3, 100, 101, 248, 249, 250, 0, 251, 255};
    for (std::size_t key = 0; key < values.size(); ++key) {
        m_keys.Set(key, ButtonKind::SpeedPage, values[key]);
    }
    m_keys.Set(17, ButtonKind::ManualPage, 1);
    const auto rename = [&](std::size_t b, const std::string& label, std::size_t d) {
        SCOPED_TRACE(label);
        std::vector<std::uint8_t> expected;
        for (std::size_t key = 0; key < values.size(); ++key) {
            expected.push_back(FollowedValue(m_keys.Value(key), b, d));
        }
        const std::string digits = SpeedPage(m_image, b).Digits();
        EXPECT_EQ(Save(b, label, "ABCD"), d);
        EXPECT_EQ(SpeedPage(m_image, d).Label(), label);
        EXPECT_EQ(SpeedPage(m_image, d).Digits(), "ABCD");
        for (std::size_t i = 1; i < layout::speed_page::kCount; ++i) {
            ASSERT_LE(
                CompareLabels(SpeedPage(m_image, i - 1).Label(), SpeedPage(m_image, i).Label()), 0)
                << i;
        }
        for (std::size_t key = 0; key < values.size(); ++key) {
            EXPECT_EQ(m_keys.Value(key), expected[key]) << "key " << key;
        }
        EXPECT_EQ(m_keys.Value(17), 1) << "a Manual Page key stays";
    };
    rename(0, "Z", 249);         // first to last
    rename(249, "A", 0);         // last to first
    rename(248, "P1249x", 249);  // one step down onto the last record
    rename(1, "0", 0);           // one step up onto the first record
    // Equal ignoring case: neither the one above nor the one below is passed.
    rename(100, "p1099", 100);
    rename(100, "p1101", 100);
}
