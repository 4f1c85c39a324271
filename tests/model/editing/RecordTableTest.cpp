// SPDX-License-Identifier: GPL-3.0-or-later
// The list tables' shared rules: free slots, unique labels, the sorted move,
// compaction and the keys that follow moved records.

#include <gmock/gmock.h>

#include "model/ButtonTable.h"
#include "model/ImageDefaults.h"
#include "model/editing/ButtonReferences.h"
#include "model/editing/RecordTableEdit.h"

using ::testing::ElementsAre;

namespace {

class RecordTableTest : public ::testing::Test {
protected:
    void SetUp() override { SetImageDefaults(m_image); }

    // A speed page as its editor writes it.
    void WriteSpeedPage(std::size_t index, const char* label, std::uint8_t format = 0,
                        const char* digits = "123") {
        const std::size_t start = m_speed.RecordStart(index);
        m_image.SetText(start + layout::speed_page::kLabel.offset, layout::speed_page::kLabelWidth,
                        label);
        m_image.SetU8(start + layout::speed_page::kPagingFormat.offset, format);
        m_image.SetText(start + layout::speed_page::kDigits.offset,
                        layout::speed_page::kDigitsWidth, digits);
    }
    std::vector<std::string> SpeedLabels() const {
        std::vector<std::string> labels;
        for (std::size_t i : m_speed.UsedRecords()) {
            labels.push_back(m_speed.Label(i));
        }
        return labels;
    }
    std::string Digits(std::size_t index) const {
        return m_image.Text(m_speed.RecordStart(index) + layout::speed_page::kDigits.offset,
                            layout::speed_page::kDigitsWidth);
    }
    // Writes a record at the end of the compact table and sorts it in, as the editor does.
    std::size_t AddSpeedPage(const char* label) {
        const std::size_t slot = *m_speed.LowestFree();
        WriteSpeedPage(slot, label);
        const RecordMoves moves = m_speed.MoveIntoPlace(slot);
        RenumberSpeedPageKeys(m_image, moves);
        return moves.NewIndex(slot);
    }

    ConfigImage m_image;
    RecordTableEdit m_speed{m_image, list_tables::kSpeedPages};
    ButtonTable m_buttons{m_image};
};

}  // namespace

TEST_F(RecordTableTest, FreeSlotsAndFullTable) {
    RecordTableEdit formats(m_image, list_tables::kManualPages);
    EXPECT_EQ(formats.LowestFree(), 0u);
    EXPECT_EQ(formats.UsedCount(), 0u);

    // Used and free slots may alternate; a freed record keeps its other bytes.
    for (std::size_t i = 0; i < 4; ++i) {
        m_image.SetText(formats.RecordStart(i), layout::manual_page::kLabelWidth, "F");
    }
    m_image.SetText(formats.RecordStart(2), layout::manual_page::kLabelWidth, "GONE");
    formats.Free(2);
    EXPECT_EQ(m_image.U8(formats.RecordStart(2)), 0);
    EXPECT_EQ(m_image.Text(formats.RecordStart(2) + 1, 3), "ONE");
    EXPECT_TRUE(formats.IsFree(2));
    EXPECT_EQ(formats.LowestFree(), 2u);
    EXPECT_THAT(formats.UsedRecords(), ElementsAre(0, 1, 3));

    for (std::size_t i = 0; i < formats.Count(); ++i) {
        m_image.SetText(formats.RecordStart(i), layout::manual_page::kLabelWidth, "F");
    }
    EXPECT_TRUE(formats.IsFull());
    EXPECT_EQ(formats.LowestFree(), std::nullopt);

    // The custom tones' number text is their free-slot text.
    RecordTable tones(m_image, list_tables::kCustomTones);
    m_image.SetText(tones.RecordStart(0), layout::custom_tone::kNumberWidth, "0");
    m_image.SetText(tones.RecordStart(1), layout::custom_tone::kNumberWidth, "1");
    EXPECT_EQ(tones.LowestFree(), 2u);
    EXPECT_EQ(tones.Label(1), "1");
    EXPECT_EQ(tones.FindLabel("1"), 1u);
}

TEST_F(RecordTableTest, LabelsAreUniqueByExactComparison) {
    WriteSpeedPage(0, "Fire");
    WriteSpeedPage(1, "FIREHALL");
    // A full-width label has no terminator and still compares whole.
    EXPECT_EQ(m_speed.FindLabel("FIREHALL"), 1u);
    EXPECT_EQ(m_speed.FindLabel("FIRE"), std::nullopt);
    EXPECT_EQ(m_speed.FindLabel("Fire"), 0u);
    EXPECT_TRUE(m_speed.LabelTaken("Fire"));
    EXPECT_TRUE(m_speed.LabelTaken("Fire", 1));
    EXPECT_FALSE(m_speed.LabelTaken("Fire", 0));  // a record keeps its own label
    // A free record's old label counts for nothing.
    m_speed.Free(0);
    EXPECT_FALSE(m_speed.LabelTaken("Fire"));
    EXPECT_FALSE(m_speed.LabelTaken(""));
}

TEST_F(RecordTableTest, LabelOrderIgnoresCaseAndPutsPrefixesFirst) {
    EXPECT_LT(CompareLabels("alpha", "BRAVO"), 0);
    EXPECT_GT(CompareLabels("bravo", "ALPHA"), 0);
    EXPECT_EQ(CompareLabels("Alpha", "ALPHA"), 0);
    EXPECT_LT(CompareLabels("AB", "abc"), 0);
    EXPECT_LT(CompareLabels("", "A"), 0);
    // Unsigned bytes: a Latin-1 letter comes after every ASCII one, in either case.
    EXPECT_GT(CompareLabels("\xe9t\xe9", "ZULU"), 0);
    EXPECT_EQ(CompareLabels("\xe9", "\xc9"), 0);
    // '_' lies between the upper and the lower case letters: upper-casing decides.
    EXPECT_LT(CompareLabels("zz", "_"), 0);
}

TEST_F(RecordTableTest, SortedMoveAndTheKeysThatFollow) {
    EXPECT_EQ(AddSpeedPage("bravo"), 0u);
    m_buttons.Set(0, ButtonKind::SpeedPage, 1);  // bravo
    EXPECT_EQ(AddSpeedPage("ALPHA"), 0u);
    EXPECT_EQ(AddSpeedPage("Charlie"), 2u);
    EXPECT_THAT(SpeedLabels(), ElementsAre("ALPHA", "bravo", "Charlie"));
    EXPECT_EQ(m_buttons.Value(0), 2);
    EXPECT_EQ(Digits(1), "123");

    // Renaming ALPHA to delta moves it down to the end; the keys follow all three.
    m_buttons.Set(1, ButtonKind::SpeedPage, 1);  // ALPHA
    m_buttons.Set(2, ButtonKind::SpeedPage, 3);  // Charlie
    WriteSpeedPage(0, "delta", 7, "9999");
    const RecordMoves moves = m_speed.MoveIntoPlace(0);
    EXPECT_EQ(moves.NewIndex(0), 2u);
    RenumberSpeedPageKeys(m_image, moves);
    EXPECT_THAT(SpeedLabels(), ElementsAre("bravo", "Charlie", "delta"));
    EXPECT_EQ(m_image.U8(m_speed.RecordStart(2) + layout::speed_page::kPagingFormat.offset), 7);
    EXPECT_EQ(Digits(2), "9999");
    EXPECT_EQ(m_buttons.Value(0), 1);  // bravo
    EXPECT_EQ(m_buttons.Value(1), 3);  // delta
    EXPECT_EQ(m_buttons.Value(2), 2);  // Charlie

    // A record that keeps its place moves nothing; equal labels never swap.
    WriteSpeedPage(1, "CHARLIE");
    EXPECT_FALSE(m_speed.MoveIntoPlace(1).Any());
    EXPECT_EQ(AddSpeedPage("Bravo"), 1u);
    EXPECT_THAT(SpeedLabels(), ElementsAre("bravo", "Bravo", "CHARLIE", "delta"));
    EXPECT_EQ(AddSpeedPage("br"), 0u);  // a prefix goes first
}

TEST_F(RecordTableTest, MovesWriteOnlyTheMovedRecordsWithPaddedTexts) {
    WriteSpeedPage(0, "B");
    WriteSpeedPage(1, "C");
    WriteSpeedPage(2, "A");
    // Old bytes behind a terminator, as a file may hold them.
    m_image.SetU8(m_speed.RecordStart(2) + layout::speed_page::kDigits.offset + 5, 'x');
    m_image.SetU8(m_speed.RecordStart(2) + layout::speed_page::kLabel.offset + 3, 'y');
    m_image.SetU8(m_speed.RecordStart(3) + 1, 'z');  // a free record's leftovers
    const ConfigImage before = m_image;

    EXPECT_EQ(m_speed.IndexAfterMove(2), 0u);
    EXPECT_THAT(SpeedLabels(), ElementsAre("A", "B", "C"));
    const std::size_t first = m_speed.RecordStart(0);
    const std::size_t end = m_speed.RecordStart(3);
    EXPECT_EQ(m_image.U8(first + layout::speed_page::kDigits.offset + 5), 0);
    EXPECT_EQ(m_image.U8(first + layout::speed_page::kLabel.offset + 3), 0);
    for (std::size_t offset = 0; offset < ConfigImage::kSize; ++offset) {
        if (offset < first || offset >= end) {
            ASSERT_EQ(m_image.U8(offset), before.U8(offset)) << offset;
        }
    }
}

TEST_F(RecordTableTest, CompactionAfterADelete) {
    AddSpeedPage("A");
    AddSpeedPage("B");
    AddSpeedPage("C");
    m_buttons.Set(0, ButtonKind::SpeedPage, 2);  // B
    m_buttons.Set(1, ButtonKind::SpeedPage, 3);  // C
    m_buttons.Set(2, ButtonKind::SpeedPage, layout::buttons::kNoValue);
    m_buttons.Set(3, ButtonKind::ManualPage, 3);  // another table's reference
    m_image.SetU8(m_speed.RecordStart(3) + 1, 'z');
    EXPECT_TRUE(KeyRefersTo(m_image, ButtonKind::SpeedPage, 2));
    EXPECT_FALSE(KeyRefersTo(m_image, ButtonKind::SpeedPage, 0));

    const ConfigImage before = m_image;
    const RecordMoves moves = m_speed.RemoveAndCompact(0);
    RenumberSpeedPageKeys(m_image, moves);
    EXPECT_THAT(SpeedLabels(), ElementsAre("B", "C"));
    EXPECT_THAT(m_speed.UsedRecords(), ElementsAre(0, 1));
    // The last moved slot is freed by its first byte alone.
    EXPECT_EQ(m_image.U8(m_speed.RecordStart(2)), 0);
    EXPECT_EQ(Digits(2), "123");
    EXPECT_EQ(m_image.U8(m_speed.RecordStart(3) + 1), 'z');
    EXPECT_EQ(m_buttons.Value(0), 1);
    EXPECT_EQ(m_buttons.Value(1), 2);
    EXPECT_EQ(m_buttons.Value(2), layout::buttons::kNoValue);
    EXPECT_EQ(m_buttons.Value(3), 3);
    EXPECT_EQ(m_buttons.KindCode(1), static_cast<std::uint8_t>(ButtonKind::SpeedPage));
    for (std::size_t offset = m_speed.RecordStart(3); offset < ConfigImage::kSize; ++offset) {
        ASSERT_EQ(m_image.U8(offset), before.U8(offset)) << offset;
    }

    // The last record: only it is freed.
    m_speed.RemoveAndCompact(1);
    EXPECT_THAT(SpeedLabels(), ElementsAre("B"));
    EXPECT_EQ(m_speed.LowestFree(), 1u);
}

TEST(RecordMovesTest, NewIndexes) {
    const RecordMoves up = RecordMoves::Move(5, 2);
    std::vector<std::size_t> after;
    for (std::size_t old = 0; old < 8; ++old) {
        after.push_back(up.NewIndex(old));
    }
    EXPECT_THAT(after, ElementsAre(0, 1, 3, 4, 5, 2, 6, 7));

    const RecordMoves down = RecordMoves::Move(2, 5);
    after.clear();
    for (std::size_t old = 0; old < 8; ++old) {
        after.push_back(down.NewIndex(old));
    }
    EXPECT_THAT(after, ElementsAre(0, 1, 5, 2, 3, 4, 6, 7));

    // Records 3 and 4 moved up; a gap at 5 stopped the compaction.
    const RecordMoves removal = RecordMoves::Removal(2, 4);
    EXPECT_TRUE(removal.Any());
    after.clear();
    for (std::size_t old = 0; old < 7; ++old) {
        after.push_back(removal.NewIndex(old));
    }
    EXPECT_THAT(after, ElementsAre(0, 1, 2, 2, 3, 5, 6));

    EXPECT_FALSE(RecordMoves::Move(3, 3).Any());
    EXPECT_FALSE(RecordMoves().Any());
    EXPECT_EQ(RecordMoves().NewIndex(9), 9u);
}

TEST(ButtonReferencesTest, OutOfTableValuesAndOtherKindsStay) {
    ConfigImage image;
    SetImageDefaults(image);
    ButtonTable buttons(image);
    buttons.Set(0, ButtonKind::SpeedPage, 0);
    buttons.Set(1, ButtonKind::SpeedPage, 251);
    buttons.Set(2, ButtonKind::SpeedPage, 250);
    buttons.Set(3, ButtonKind::Frequency, 5);
    RenumberSpeedPageKeys(image, RecordMoves::Removal(0, 249));
    EXPECT_EQ(buttons.Value(0), 0);
    EXPECT_EQ(buttons.Value(1), 251);
    EXPECT_EQ(buttons.Value(2), 249);
    EXPECT_EQ(buttons.Value(3), 5);
}

// The order at the edges of the single-byte range: bytes compare unsigned,
// so 0x80 and 0xFF come after 0x7F; only letters fold to upper case — a to z
// and the Latin-1 small letters 0xE0 to 0xFE but the division sign 0xF7 —
// so the characters just outside those ranges keep their place.
TEST_F(RecordTableTest, LatinOneOrderAtTheEdgesOfTheByteRange) {
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"~", "\x7f", -1},    {"\x7f", "\x80", -1},  {"\x80", "\xff", -1}, {"\xfe", "\xff", -1},
        {"Z", "\x7f", -1},    {"z", "\x7f", -1},     {"a", "A", 0},        {"z", "Z", 0},
        {"`", "@", 1},        {"`", "a", 1},         {"{", "z", 1},        {"{", "[", 1},
        {"z", "[", -1},       {"\xe0", "\xc0", 0},   {"\xfe", "\xde", 0},  {"\xdf", "\xc0", 1},
        {"\xdf", "\xfe", 1},  {"\xf7", "\xd7", 1},   {"\xff", "\xdf", 1},  {"\xe0", "\xdf", -1},
        {"\x7f", "\xe0", -1}, {"A\xff", "A\x7f", 1}, {"A", "A\x80", -1},   {"\x01", "", 1},
    };
    for (const Case& c : cases) {
        const int got = CompareLabels(c.a, c.b);
        EXPECT_EQ((got > 0) - (got < 0), c.sign) << "'" << c.a << "' vs '" << c.b << "'";
        const int back = CompareLabels(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << "'" << c.b << "' vs '" << c.a << "'";
    }

    // Sorted in by the editor's move, whatever order they come in.
    for (const char* label : {"\xff", "a", "\x80", "~", "\x7f", "Z", "\xe9", "\xc8", "{"}) {
        AddSpeedPage(label);
    }
    EXPECT_THAT(SpeedLabels(),
                ElementsAre("a", "Z", "{", "~", "\x7f", "\x80", "\xc8", "\xe9", "\xff"));
}
