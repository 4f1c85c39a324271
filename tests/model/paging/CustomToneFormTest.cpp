// SPDX-License-Identifier: GPL-3.0-or-later
// A custom paging tone editor's rules: frequencies as exact tenths, the bytes
// of a record, a new tone's defaults, the typing rules, the checks on OK and
// renumbering.

#include "model/paging/CustomToneForm.h"

#include <gmock/gmock.h>

#include "model/CustomPagingTone.h"
#include "model/ImageDefaults.h"
#include "model/paging/DurationText.h"

using ::testing::ElementsAre;

namespace {

namespace ct = layout::custom_tone;
using F = CustomToneField;
using Caret = CustomToneEdit::Caret;

ConfigImage NewDatabase() {
    ConfigImage image;
    SetImageDefaults(image);
    return image;
}

// A tone as the editor writes it, with a first tone of 1500.0 Hz.
void Define(ConfigImage& image, std::size_t number) {
    CustomToneForm form = LoadCustomTone(image, std::nullopt);
    form[F::Number] = std::to_string(number);
    form[F::FirstTone] = "1500.0";
    ASSERT_TRUE(ValidateCustomTone(form, image, std::nullopt).Ok());
    WriteCustomTone(form, image, std::nullopt);
}

std::vector<std::uint8_t> RecordBytes(const ConfigImage& image, std::size_t number,
                                      std::size_t offset, std::size_t count) {
    const std::size_t start = ct::kStart + ct::kSize * number + offset;
    std::vector<std::uint8_t> bytes;
    for (std::size_t k = 0; k < count; ++k) {
        bytes.push_back(image.U8(start + k));
    }
    return bytes;
}

}  // namespace

TEST(CustomToneForm, FrequenciesAreExactTenths) {
    const std::vector<std::pair<std::string, std::optional<long>>> cases = {
        {"1500.0", 15000}, {"200.3", 2003}, {"1234.56", 12345}, {"3400", 34000},
        {".5", 5},         {"7.", 70},      {"", {}},           {".", {}},
        {"1.2.3", {}},     {"12a", {}},     {"-5", {}},
    };
    for (const auto& [text, tenths] : cases) {
        EXPECT_EQ(ParseToneTenths(text), tenths) << text;
    }
    EXPECT_GE(ParseToneTenths("99999999999999"), kToneMaxTenths) << "saturates, no overflow";
    EXPECT_EQ(ShowToneTenths(15000), "1500.0");
    EXPECT_EQ(ShowToneTenths(2003), "200.3");
    EXPECT_EQ(ShowToneTenths(0), "0.0");
}

TEST(CustomToneForm, RecordBytesAndReadBack) {
    ConfigImage image = NewDatabase();
    Define(image, 7);
    EXPECT_THAT(RecordBytes(image, 7, ct::kNumberText.offset, 4),
                ElementsAre(0x37, 0x00, 0x98, 0x3A));
    Define(image, 42);
    EXPECT_THAT(RecordBytes(image, 42, ct::kNumberText.offset, 2), ElementsAre(0x34, 0x32));

    CustomToneForm form = LoadCustomTone(image, 7);
    EXPECT_THAT(form.texts, ElementsAre("7", "3000", "1500.0", "1000", "0", "200.0", "3000"));
    form[F::SecondTone] = "1234.56";
    form[F::IntertoneDelay] = "65535";  // above the range: refused
    EXPECT_EQ(ValidateCustomTone(form, image, 7).message, kDurationRangeMessage);
    form[F::IntertoneDelay] = "250";
    ASSERT_TRUE(ValidateCustomTone(form, image, 7).Ok());
    EXPECT_EQ(WriteCustomTone(form, image, 7), 7u);
    const CustomPagingTone tone(image, 7);
    EXPECT_EQ(tone.SecondTone(), 12345);
    EXPECT_EQ(tone.IntertoneDelay(), 250);
    EXPECT_EQ(LoadCustomTone(image, 7)[F::SecondTone], "1234.5");
}

TEST(CustomToneForm, NewToneTakesTheLowestFreeNumber) {
    ConfigImage image = NewDatabase();
    EXPECT_THAT(LoadCustomTone(image, std::nullopt).texts,
                ElementsAre("0", "3000", "200.0", "1000", "0", "200.0", "3000"));
    Define(image, 0);
    Define(image, 2);
    EXPECT_EQ(LoadCustomTone(image, std::nullopt)[F::Number], "1");
    for (std::size_t n = 0; n < ct::kCount; ++n) {
        CustomPagingTone(image, n).SetNumberText(std::to_string(n));
    }
    EXPECT_THAT(LoadCustomTone(image, std::nullopt).texts, ElementsAre("", "", "", "", "", "", ""));

    // An existing tone is its record, whatever text the record holds.
    CustomPagingTone(image, 5).SetNumberText("ab");
    EXPECT_EQ(LoadCustomTone(image, 5)[F::Number], "5");
}

TEST(CustomToneForm, TypingIntoATone) {
    struct Case {
        std::string typed;
        std::string shown;
        std::string_view message;
        Caret caret;
    };
    const Case cases[] = {
        {"1234.56", "1234.5", "", Caret::AtEnd},
        {"12a", "12", "", Caret::AtEnd},
        {"12.3.", "12.3", "", Caret::AtEnd},
        {"3399.9", "3399.9", "", Caret::AtEnd},
        {"3500", "3400.0", kToneRangeMessage, Caret::SelectAll},
        {"3400", "3400.0", kToneRangeMessage, Caret::SelectAll},
        {"", "", "", Caret::Keep},
    };
    const ConfigImage image = NewDatabase();
    for (const Case& c : cases) {
        CustomToneForm form;
        form.texts = {"0", "3000", "200.0", "1000", "0", c.typed, "3000"};
        const CustomToneEdit edit = EditCustomToneField(form, F::SecondTone, image, std::nullopt);
        EXPECT_EQ(form[F::SecondTone], c.shown) << c.typed;
        EXPECT_EQ(edit.changed, c.shown != c.typed) << c.typed;
        EXPECT_EQ(edit.message, c.message) << c.typed;
        EXPECT_EQ(edit.caret, c.caret) << c.typed;
        EXPECT_TRUE(edit.validation.Ok()) << c.typed;
    }
    // The field checks run first, even for an emptied tone.
    CustomToneForm form;
    form.texts = {"0", "", "", "1000", "0", "200.0", "3000"};
    const CustomToneEdit edit = EditCustomToneField(form, F::FirstTone, image, std::nullopt);
    EXPECT_EQ(edit.validation.message, kNotANumberMessage);
    EXPECT_EQ(edit.validation.field, F::InhibitDelay);
}

TEST(CustomToneForm, TypingANumberOrADuration) {
    ConfigImage image = NewDatabase();
    Define(image, 0);
    CustomToneForm form = LoadCustomTone(image, std::nullopt);
    form[F::Number] = "150";
    CustomToneEdit edit = EditCustomToneField(form, F::Number, image, std::nullopt);
    EXPECT_EQ(edit.validation.message, kToneNumberRangeMessage);
    EXPECT_EQ(form[F::Number], "1");
    EXPECT_EQ(edit.caret, Caret::SelectAll);

    form[F::FirstToneDuration] = "60001";
    edit = EditCustomToneField(form, F::FirstToneDuration, image, std::nullopt);
    EXPECT_EQ(edit.validation.message, kDurationRangeMessage);
    EXPECT_EQ(form[F::FirstToneDuration], "60000");
    EXPECT_TRUE(edit.changed);
    form[F::FirstToneDuration] = "";
    edit = EditCustomToneField(form, F::FirstToneDuration, image, std::nullopt);
    EXPECT_TRUE(edit.validation.Ok()) << "an emptied field is left alone until OK";

    // With every record in use, the number the dialog opened with comes back.
    for (std::size_t n = 0; n < ct::kCount; ++n) {
        CustomPagingTone(image, n).SetNumberText(std::to_string(n));
    }
    form = LoadCustomTone(image, 5);
    form[F::Number] = "100";
    EditCustomToneField(form, F::Number, image, 5);
    EXPECT_EQ(form[F::Number], "5");
}

TEST(CustomToneForm, OkRefusesInTheDialogsOrder) {
    ConfigImage image = NewDatabase();
    Define(image, 5);
    Define(image, 8);
    struct Case {
        std::vector<std::pair<F, std::string>> typed;
        std::string_view message;
        F field;
        std::optional<std::string> putBack;
    };
    const Case cases[] = {
        {{{F::Number, ""}, {F::InhibitDelay, "x"}}, kToneNumberNotANumberMessage, F::Number, {}},
        {{{F::Number, "100"}}, kToneNumberRangeMessage, F::Number, {}},
        {{{F::SecondToneDuration, "x"}, {F::FirstTone, "1"}},
         kNotANumberMessage,
         F::SecondToneDuration,
         {}},
        {{{F::FirstTone, "199.9"}, {F::SecondTone, "1"}}, kToneRangeMessage, F::FirstTone, "200.0"},
        {{{F::FirstTone, ""}}, kToneRangeMessage, F::FirstTone, "200.0"},
        {{{F::SecondTone, "3400.1"}, {F::Number, "8"}}, kToneRangeMessage, F::SecondTone, "3400.0"},
        {{{F::Number, "8"}}, kToneNumberTakenMessage, F::Number, "5"},
        {{{F::Number, "5"}, {F::FirstTone, "200.0"}, {F::SecondTone, "3400.0"}}, "", F::Number, {}},
    };
    for (const Case& c : cases) {
        CustomToneForm form = LoadCustomTone(image, 5);
        for (const auto& [field, text] : c.typed) {
            form[field] = text;
        }
        const CustomToneValidation result = ValidateCustomTone(form, image, 5);
        EXPECT_EQ(result.message, c.message) << c.typed.front().second;
        if (!c.message.empty()) {
            EXPECT_EQ(result.field, c.field) << c.typed.front().second;
        }
        EXPECT_EQ(result.putBack, c.putBack) << c.typed.front().second;
    }
    // A new tone may not take a number in use either.
    CustomToneForm fresh = LoadCustomTone(image, std::nullopt);
    fresh[F::Number] = "5";
    const CustomToneValidation result = ValidateCustomTone(fresh, image, std::nullopt);
    EXPECT_EQ(result.message, kToneNumberTakenMessage);
    EXPECT_EQ(result.putBack, "0");
}

TEST(CustomToneForm, RenumberingFreesTheOldRecord) {
    ConfigImage image = NewDatabase();
    Define(image, 5);
    CustomToneForm form = LoadCustomTone(image, 5);
    form[F::Number] = "7";
    ASSERT_TRUE(ValidateCustomTone(form, image, 5).Ok());
    EXPECT_EQ(WriteCustomTone(form, image, 5), 7u);
    EXPECT_TRUE(CustomPagingTone(image, 5).IsFree());
    EXPECT_EQ(CustomPagingTone(image, 5).FirstTone(), 15000) << "only the first byte is freed";
    EXPECT_EQ(CustomPagingTone(image, 7).NumberText(), "7");
    EXPECT_EQ(CustomPagingTone(image, 7).FirstTone(), 15000);
}
