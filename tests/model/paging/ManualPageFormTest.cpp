// SPDX-License-Identifier: GPL-3.0-or-later
// A paging format editor's rules over every base format: the bytes a new
// record gets, a record read and written back, the refusals and deleting.

#include "model/paging/ManualPageForm.h"

#include <gmock/gmock.h>

#include <map>
#include <set>

#include "model/ButtonTable.h"
#include "model/ImageDefaults.h"
#include "model/ManualPage.h"

namespace {

namespace mp = layout::manual_page;

// A parameter as the record holds it.
struct Stored {
    std::size_t offset;
    bool word;
    unsigned value;
};

// The bytes a new record of each code gets besides its label and code.
const std::map<int, std::vector<Stored>>& NewRecordDefaults() {
    static const std::map<int, std::vector<Stored>> defaults = {
        {0, {}},
        {1, {{9, false, 0}}},
        {2, {}},
        {3, {{9, false, 0}, {10, false, 0}}},
        {4, {}},
        {5, {}},
        {6, {}},
        {7, {}},
        {8, {}},
        {9, {}},
        {10,
         {{9, false, 0},
          {10, true, 1000},
          {12, true, 3000},
          {14, true, 0},
          {16, true, 3000},
          {18, true, 8000}}},
        {11,
         {{9, false, 0},
          {10, true, 1250},
          {12, true, 1000},
          {14, true, 0},
          {16, true, 3000},
          {18, true, 8000}}},
        {12,
         {{9, false, 0}, {10, true, 1000}, {12, true, 1000}, {14, true, 200}, {16, true, 3000}}},
        {13, {{9, false, 0}, {10, true, 673}, {12, true, 65}, {14, true, 33}}},
        {14, {{9, false, 0}, {10, true, 673}, {12, true, 65}, {14, true, 33}, {16, true, 65}}},
        {15, {{9, true, 673}, {11, true, 65}, {13, true, 33}}},
        {16, {{9, true, 673}, {11, true, 65}, {13, true, 33}, {15, true, 65}}},
        {17, {{9, true, 2000}, {11, true, 1000}, {13, true, 0}, {15, true, 2000}}},
        {18, {{9, true, 60}, {11, true, 40}, {13, true, 500}}},
        {19,
         {{9, true, 15000},
          {11, true, 800},
          {13, true, 39},
          {15, true, 61},
          {17, true, 800},
          {19, true, 5000}}},
        {20, {}},
    };
    return defaults;
}

std::size_t RecordStart(std::size_t record) {
    return mp::kStart + record * mp::kSize;
}

// Every byte 0xA5, so that a stray write shows; records 0 and 1 carry labels
// and record 2 is the lowest free slot.
ConfigImage Patterned() {
    ConfigImage image;
    std::fill(image.Bytes().begin(), image.Bytes().end(), 0xA5);
    ManualPage(image, 0).SetLabel("ALPHA");
    ManualPage(image, 1).SetLabel("BRAVO");
    image.SetU8(RecordStart(2), 0);
    return image;
}

ConfigImage NewDatabase() {
    ConfigImage image;
    SetImageDefaults(image);
    return image;
}

// A record of the format in the slot, as an editor writes it.
void Define(ConfigImage& image, std::size_t record, std::string_view label, int code) {
    ManualPageForm form = NewManualPage(*EditorOf(static_cast<std::uint8_t>(code)));
    form.label = label;
    form.record = record;
    WriteManualPage(form, image);
}

}  // namespace

TEST(ManualPageForm, NewRecordWithOnlyALabelWritesTheDefaultsAndNothingElse) {
    for (const auto& [code, stored] : NewRecordDefaults()) {
        SCOPED_TRACE(code);
        ConfigImage image = Patterned();
        const ConfigImage before = image;
        ManualPageForm form = NewManualPage(*EditorOf(static_cast<std::uint8_t>(code)));
        EXPECT_EQ(form.label, "");
        form.label = "NEW";
        ASSERT_TRUE(ValidateManualPage(form, image).Ok());
        ASSERT_EQ(WriteManualPage(form, image), 2u);

        const std::size_t start = RecordStart(2);
        std::set<std::size_t> written;
        EXPECT_EQ(image.Text(start, 8), "NEW");
        for (std::size_t b = 0; b < 8; ++b) {
            written.insert(start + b);
        }
        EXPECT_EQ(image.U8(start + 8), code);
        written.insert(start + 8);
        for (const Stored& s : stored) {
            EXPECT_EQ(s.word ? image.U16(start + s.offset) : image.U8(start + s.offset), s.value)
                << "+" << s.offset;
            written.insert(start + s.offset);
            if (s.word) {
                written.insert(start + s.offset + 1);
            }
        }
        for (std::size_t at = 0; at < ConfigImage::kSize; ++at) {
            if (!written.contains(at)) {
                ASSERT_EQ(image.U8(at), before.U8(at)) << "byte " << at << " changed";
            }
        }
    }
}

TEST(ManualPageForm, ExistingRecordReadsBackAndWritesBackUnchanged) {
    for (const FormatEditor& editor : FormatEditors()) {
        SCOPED_TRACE(editor.editor);
        ConfigImage image = Patterned();
        ManualPage page(image, 5);
        page.SetLabel("EIGHTCHR");
        page.SetBaseFormat(static_cast<std::uint8_t>(editor.code));
        // Values other than the defaults: the last entry of a list, a checked
        // box, the second standard tone and distinct durations.
        for (std::size_t k = 0; k < editor.parameters.size(); ++k) {
            const FormatParameter& p = editor.parameters[k];
            switch (p.kind) {
                case ParameterKind::Duration:
                    page.SetU16(p.field, static_cast<std::uint16_t>(59990 + k));
                    break;
                case ParameterKind::List:
                    page.SetU8(p.field, static_cast<std::uint8_t>(p.entries.size() - 1));
                    break;
                case ParameterKind::CheckBox:
                    page.SetU8(p.field, 1);
                    break;
                case ParameterKind::PulseStandardTone:
                    page.SetU16(p.field, mp::kPulseTone2805);
                    break;
            }
        }
        const ConfigImage before = image;
        const ManualPageForm form = LoadManualPage(editor, image, 5);
        EXPECT_EQ(form.label, "EIGHTCHR");
        for (std::size_t k = 0; k < editor.parameters.size(); ++k) {
            const FormatParameter& p = editor.parameters[k];
            if (p.kind == ParameterKind::Duration) {
                EXPECT_EQ(form.values[k].text, std::to_string(59990 + k));
            } else if (p.kind == ParameterKind::CheckBox) {
                EXPECT_EQ(form.values[k].index, 1);
            } else {
                EXPECT_EQ(form.values[k].index, static_cast<int>(p.entries.size()) - 1);
            }
        }
        ASSERT_TRUE(ValidateManualPage(form, image).Ok()) << "a record keeps its own label";
        EXPECT_EQ(WriteManualPage(form, image), 5u);
        EXPECT_EQ(image, before);
    }
}

TEST(ManualPageForm, StoredValuesOutsideTheListsShowNoSelectionAndStay) {
    ConfigImage image = Patterned();
    ManualPage page(image, 4);
    page.SetLabel("ODD");
    page.SetBaseFormat(10);
    page.SetU8(mp::kCodePlan, 20);  // one past "W"
    ManualPageForm form = LoadManualPage(*EditorOf(10), image, 4);
    EXPECT_EQ(form.values[0].index, -1);
    WriteManualPage(form, image);
    EXPECT_EQ(page.U8(mp::kCodePlan), 20);

    page.SetBaseFormat(19);
    page.SetU16(mp::kPulseStandardTone, 1500);
    form = LoadManualPage(*EditorOf(19), image, 4);
    EXPECT_EQ(form.values[0].index, -1);
    WriteManualPage(form, image);
    EXPECT_EQ(page.U16(mp::kPulseStandardTone), 1500);
    form.values[0].index = 0;
    WriteManualPage(form, image);
    EXPECT_EQ(page.U16(mp::kPulseStandardTone), 15000);

    // A check box holding any value but 0 shows checked and is written as 1.
    page.SetBaseFormat(1);
    page.SetU8(mp::kShortCallAlert, 7);
    form = LoadManualPage(*EditorOf(1), image, 4);
    EXPECT_EQ(form.values[0].index, 1);
    WriteManualPage(form, image);
    EXPECT_EQ(page.U8(mp::kShortCallAlert), 1);
}

TEST(ManualPageForm, DurationsTruncatePastedFractions) {
    const std::vector<std::pair<std::string, std::optional<long>>> cases = {
        {"12.9", 12},
        {"0", 0},
        {"60000", 60000},
        {".5", 0},
        {"7.", 7},
        {"", {}},
        {"1a", {}},
        {"-5", {}},
        {"1.2.3", {}},
        {" 5", {}},
        {".", {}},
        {"+5", {}},
        {"99999999999", 2147483647L},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ParseDuration(text), value) << text;
    }
    ConfigImage image = NewDatabase();
    ManualPageForm form = NewManualPage(*EditorOf(18));
    form.label = "DTMF";
    form.values[0].text = "12.9";
    ASSERT_TRUE(ValidateManualPage(form, image).Ok());
    WriteManualPage(form, image);
    EXPECT_EQ(ManualPage(image, 0).U16(mp::kDurations.At(0)), 12);
}

TEST(ManualPageForm, RefusalsComeInTheDialogsOrder) {
    ConfigImage image = NewDatabase();
    Define(image, 0, "TAKEN", 18);
    Define(image, 3, "MINE", 10);
    const FormatEditor& mot1 = *EditorOf(10);
    // Parameters of Motorola 1+1 in the dialog's order: code plan, group
    // call, inhibit, tone 1, intertone, tone 2.
    struct Case {
        std::string label;
        std::map<std::size_t, std::string> durations;
        std::string_view message;
        PagingField field;
    };
    const Case cases[] = {
        {"NINECHARS", {{1, "x"}}, "Please enter no more than 8 characters.", kLabelField},
        {"", {{5, "x"}, {3, "70000"}}, kDurationRangeMessage, 3},
        {"", {{1, ""}}, kNotANumberMessage, 1},
        {"", {{2, "60000.5"}}, kDurationRangeMessage, 2},
        {"", {{4, "1,5"}}, kNotANumberMessage, 4},
        {"", {{1, "60000"}}, kEmptyLabelMessage, kLabelField},
        {"TAKEN", {}, kDuplicateLabelMessage, kLabelField},
        {"taken", {}, "", kLabelField},
        {"MINE", {}, "", kLabelField},
        {"EIGHTCHR", {{5, "0"}}, "", kLabelField},
    };
    for (const Case& c : cases) {
        ManualPageForm form = LoadManualPage(mot1, image, 3);
        form.label = c.label;
        for (const auto& [k, text] : c.durations) {
            form.values[k].text = text;
        }
        const Validation<PagingField> result = ValidateManualPage(form, image);
        EXPECT_EQ(result.message, c.message) << c.label;
        if (!c.message.empty()) {
            EXPECT_EQ(result.field, c.field) << c.label;
        }
    }
    // A new record may not take the label of any record.
    ManualPageForm fresh = NewManualPage(mot1);
    fresh.label = "MINE";
    EXPECT_EQ(ValidateManualPage(fresh, image).message, kDuplicateLabelMessage);
}

TEST(ManualPageForm, ADurationAboveTheMaximumIsCutAtOnce) {
    ManualPageForm form = NewManualPage(*EditorOf(19));
    form.values[5].text = "60001";
    DurationEdit edit = EditDuration(form, 5);
    EXPECT_TRUE(edit.cut);
    EXPECT_EQ(edit.validation.message, kDurationRangeMessage);
    EXPECT_EQ(edit.validation.field, 5);
    EXPECT_EQ(form.values[5].text, "60000");
    EXPECT_TRUE(ValidateFields(form).Ok());

    form.values[5].text = "600";
    edit = EditDuration(form, 5);
    EXPECT_FALSE(edit.cut);
    EXPECT_TRUE(edit.validation.Ok());

    form.values[5].text = "";
    edit = EditDuration(form, 5);
    EXPECT_FALSE(edit.cut);
    EXPECT_TRUE(edit.validation.Ok()) << "an emptied edit is left alone until OK";
    EXPECT_EQ(form.values[5].text, "");
}

TEST(ManualPageForm, NoFreeSlotWritesNothing) {
    ConfigImage image = NewDatabase();
    for (std::size_t i = 0; i < mp::kCount; ++i) {
        Define(image, i, "F" + std::to_string(i), 0);
    }
    const ConfigImage before = image;
    ManualPageForm form = NewManualPage(*EditorOf(10));
    form.label = "MORE";
    EXPECT_EQ(WriteManualPage(form, image), std::nullopt);
    EXPECT_EQ(image, before);
}

TEST(ManualPageForm, NewRecordTakesTheLowestFreeSlot) {
    ConfigImage image = NewDatabase();
    for (std::size_t i = 0; i < 6; ++i) {
        Define(image, i, "F" + std::to_string(i), 13);
    }
    FreeManualPage(image, 3);
    ManualPageForm form = NewManualPage(*EditorOf(0));
    form.label = "VOICE";
    EXPECT_EQ(WriteManualPage(form, image), 3u);
}

TEST(ManualPageForm, DeleteAsksTheSpeedPagesFirstThenTheKeys) {
    ConfigImage image = NewDatabase();
    Define(image, 0, "A", 10);
    Define(image, 4, "B", 18);
    const std::size_t speed = layout::speed_page::kStart + 7 * layout::speed_page::kSize;
    ButtonTable keys(image);

    EXPECT_EQ(DeleteRefusal(image, 4), std::nullopt);

    keys.Set(9, ButtonKind::ManualPage, 4);                            // names record 3
    keys.Set(10, ButtonKind::SpeedPage, 5);                            // another kind
    image.SetU8(speed + layout::speed_page::kPagingFormat.offset, 4);  // a free speed page
    EXPECT_EQ(DeleteRefusal(image, 4), std::nullopt);

    keys.Set(11, ButtonKind::ManualPage, 5);
    EXPECT_EQ(DeleteRefusal(image, 4), kUsedByButtonMessage);

    image.SetText(speed + layout::speed_page::kLabel.offset, layout::speed_page::kLabelWidth, "SP");
    EXPECT_EQ(DeleteRefusal(image, 4), kUsedBySpeedPageMessage);

    keys.Clear(11);
    EXPECT_EQ(DeleteRefusal(image, 4), kUsedBySpeedPageMessage);
    EXPECT_EQ(DeleteRefusal(image, 0), std::nullopt);
}

TEST(ManualPageForm, FreeingClearsTheLabelsFirstByteAndTheCodeOnly) {
    ConfigImage image = Patterned();
    Define(image, 6, "PULSE", 19);
    const ConfigImage before = image;
    FreeManualPage(image, 6);
    for (std::size_t at = 0; at < ConfigImage::kSize; ++at) {
        if (at == RecordStart(6)) {
            EXPECT_EQ(image.U8(at), 0);
        } else if (at == RecordStart(6) + 8) {
            EXPECT_EQ(image.U8(at), 0);
        } else {
            ASSERT_EQ(image.U8(at), before.U8(at)) << at;
        }
    }
    EXPECT_TRUE(ManualPage(image, 6).IsFree());
}

// Every duration of every editor: 0 and 60000 are taken and stored as they
// are, 60001 and 60000.5 are refused on that field, and typing 60001 cuts
// it to 60000 while 60000 stays.
TEST(ManualPageForm, EveryDurationRunsFromZeroTo60000) {
    for (const FormatEditor& editor : FormatEditors()) {
        for (std::size_t k = 0; k < editor.parameters.size(); ++k) {
            const FormatParameter& p = editor.parameters[k];
            if (p.kind != ParameterKind::Duration) {
                continue;
            }
            SCOPED_TRACE(std::string(editor.editor) + " " + std::string(p.label));
            for (const char* accepted : {"0", "60000"}) {
                ConfigImage image = NewDatabase();
                ManualPageForm form = NewManualPage(editor);
                form.label = "P";
                form.values[k].text = accepted;
                ASSERT_TRUE(ValidateManualPage(form, image).Ok()) << accepted;
                EXPECT_FALSE(EditDuration(form, k).cut) << accepted;
                ASSERT_EQ(WriteManualPage(form, image), 0u);
                EXPECT_EQ(ManualPage(image, 0).U16(p.field), std::stoul(accepted));
                EXPECT_EQ(LoadManualPage(editor, image, 0).values[k].text, accepted);
            }
            for (const char* refused : {"60001", "60000.5"}) {
                ManualPageForm form = NewManualPage(editor);
                form.label = "P";
                form.values[k].text = refused;
                const Validation<PagingField> result = ValidateFields(form);
                EXPECT_EQ(result.message, kDurationRangeMessage) << refused;
                EXPECT_EQ(result.field, static_cast<PagingField>(k)) << refused;
                const DurationEdit edit = EditDuration(form, k);
                EXPECT_TRUE(edit.cut) << refused;
                EXPECT_EQ(edit.validation.field, static_cast<PagingField>(k)) << refused;
                EXPECT_EQ(form.values[k].text, "60000");
            }
        }
    }
}

namespace {

// The entries of each editor's lists, by code and parameter label, as the
// dialogs document them.
const std::map<std::pair<int, std::string_view>, std::vector<std::string_view>>& ExpectedLists() {
    static const std::map<std::pair<int, std::string_view>, std::vector<std::string_view>> lists = {
        {{3, "&Transmit time multiplier"}, {" 0", " 1", " 2", " 3", " 4", " 5", " 6"}},
        {{10, "&Code plan"}, {"B", "C", "D", "E", "F", "G", "H", "J", "K", "L",
                              "M", "N", "P", "Q", "R", "S", "T", "U", "V", "W"}},
        {{11, "&Code plan"}, {"A", "B", "Z"}},
        {{12, "&Code plan"}, {"X", "Y", "Z100", "Z400"}},
        {{13, "&M5 preamble"}, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {{14, "&M6 preamble"}, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"}},
        {{19, "&Standard tone (Hz)"}, {"1500", "2805"}},
    };
    return lists;
}

}  // namespace

// Every list of every editor holds its documented entries; a stored index
// up to the last entry selects it and is written back, the first index
// past it (and 255) selects nothing and leaves the byte alone.
TEST(ManualPageForm, EveryListFromItsFirstToItsLastEntry) {
    std::size_t lists = 0;
    for (const FormatEditor& editor : FormatEditors()) {
        for (std::size_t k = 0; k < editor.parameters.size(); ++k) {
            const FormatParameter& p = editor.parameters[k];
            if (p.kind != ParameterKind::List) {
                continue;
            }
            SCOPED_TRACE(std::string(editor.editor) + " " + std::string(p.label));
            const auto expected = ExpectedLists().find({static_cast<int>(editor.code), p.label});
            ASSERT_NE(expected, ExpectedLists().end());
            ++lists;
            EXPECT_THAT(p.entries, ::testing::ElementsAreArray(expected->second));
            const int count = static_cast<int>(expected->second.size());
            ConfigImage image = Patterned();
            ManualPage page(image, 4);
            page.SetLabel("LIST");
            page.SetBaseFormat(static_cast<std::uint8_t>(editor.code));
            for (const int stored : {0, count - 1, count, 255}) {
                page.SetU8(p.field, static_cast<std::uint8_t>(stored));
                ManualPageForm form = LoadManualPage(editor, image, 4);
                const bool selectable = stored < count;
                EXPECT_EQ(form.values[k].index, selectable ? stored : -1) << stored;
                WriteManualPage(form, image);
                EXPECT_EQ(page.U8(p.field), stored) << stored;
            }
            ManualPageForm form = LoadManualPage(editor, image, 4);
            form.values[k].index = count - 1;
            WriteManualPage(form, image);
            EXPECT_EQ(page.U8(p.field), count - 1);
        }
    }
    EXPECT_EQ(lists, ExpectedLists().size() - 1);  // the standard tone is no index list
}

// The pulse standard tone selects only the two exact stored frequencies.
TEST(ManualPageForm, PulseStandardToneOnlyAtItsTwoFrequencies) {
    const FormatEditor& pulse = *EditorOf(19);
    const FormatParameter& tone = pulse.parameters[0];
    ASSERT_EQ(tone.kind, ParameterKind::PulseStandardTone);
    EXPECT_THAT(tone.entries,
                ::testing::ElementsAreArray(ExpectedLists().at({19, "&Standard tone (Hz)"})));
    const std::vector<std::pair<unsigned, int>> cases = {
        {0, -1},    {14999, -1}, {15000, 0}, {15001, -1}, {28049, -1},
        {28050, 1}, {28051, -1}, {1500, -1}, {2805, -1},  {65535, -1},
    };
    for (const auto& [stored, index] : cases) {
        ConfigImage image = Patterned();
        ManualPage page(image, 4);
        page.SetLabel("PULSE");
        page.SetBaseFormat(19);
        page.SetU16(tone.field, static_cast<std::uint16_t>(stored));
        ManualPageForm form = LoadManualPage(pulse, image, 4);
        EXPECT_EQ(form.values[0].index, index) << stored;
        WriteManualPage(form, image);
        EXPECT_EQ(page.U16(tone.field), stored) << "written back unchanged";
    }
    for (const auto& [index, stored] : {std::pair{0, 15000u}, std::pair{1, 28050u}}) {
        ConfigImage image = NewDatabase();
        ManualPageForm form = NewManualPage(pulse);
        form.label = "PULSE";
        form.values[0].index = index;
        WriteManualPage(form, image);
        EXPECT_EQ(ManualPage(image, 0).U16(tone.field), stored);
    }
}
