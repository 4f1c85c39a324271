// SPDX-License-Identifier: GPL-3.0-or-later
// The buttons editor's rules: what a key's dialog offers, what OK gives the
// key, and the working copy with its one step of undo.

#include "model/deskset/ButtonsForm.h"

#include <gmock/gmock.h>

#include "model/ImageDefaults.h"
#include "model/ManualPage.h"
#include "model/SpeedPage.h"

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

namespace {

constexpr auto kMute = static_cast<std::uint8_t>(ButtonKind::Mute);

class ButtonsFormTest : public ::testing::Test {
protected:
    void SetUp() override { SetImageDefaults(m_image); }

    void SetType(std::uint8_t type) {
        m_image.SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType), type);
    }
    std::vector<std::string> KindNames(const ButtonEntries& entries, std::size_t key) {
        std::vector<std::string> names;
        for (const KindChoice& kind : ButtonChoices(m_image, entries, key).Kinds()) {
            names.emplace_back(kind.name);
        }
        return names;
    }
    std::vector<std::string> ValueTexts(const ButtonEntries& entries, std::size_t key,
                                        ButtonKind kind) {
        std::vector<std::string> texts;
        const ValueList list =
            ButtonChoices(m_image, entries, key).Values(static_cast<std::uint8_t>(kind));
        for (const ValueChoice& value : list.values) {
            texts.push_back(value.text);
        }
        return texts;
    }
    static ButtonEntry Entry(ButtonKind kind, std::uint8_t value = layout::buttons::kNoValue) {
        return {static_cast<std::uint8_t>(kind), value};
    }

    ConfigImage m_image;
    ButtonEntries m_entries{};
};

}  // namespace

TEST_F(ButtonsFormTest, KindsOfferedByDesksetAndByWhatOtherKeysHold) {
    SetType(layout::deskset::kTypeSingleChannel);
    EXPECT_THAT(KindNames(m_entries, 0),
                ElementsAre("Alert Tone", "Alias Page", "Auxiliary", "Clear", "Coded Clear",
                            "Enter RAC", "Frequency", "Manual Page", "Mute", "Not Defined",
                            "Repeat", "Scroll Down", "Scroll Up", "Speed Page", "Wildcard"));
    m_entries[3] = Entry(ButtonKind::Clear);
    m_entries[4] = Entry(ButtonKind::Mute, 1);
    EXPECT_THAT(KindNames(m_entries, 0), Not(Contains("Clear")));
    EXPECT_THAT(KindNames(m_entries, 0), Not(Contains("Mute")));
    EXPECT_THAT(KindNames(m_entries, 3), Contains("Clear"));

    // Four channels: the four-channel kinds, and Mute once per channel.
    SetType(layout::deskset::kTypeFourChannel);
    const std::vector<std::string> four = KindNames(m_entries, 0);
    for (const char* kind : {"All Mute", "Patch", "Multi Select", "Volume Adjust", "Mute"}) {
        EXPECT_THAT(four, Contains(kind));
    }
    EXPECT_THAT(ValueTexts(m_entries, 0, ButtonKind::Mute), ElementsAre("2", "3", "4"));
    EXPECT_THAT(ValueTexts(m_entries, 4, ButtonKind::Mute), ElementsAre("1", "2", "3", "4"));
    for (std::uint8_t channel = 2; channel <= 4; ++channel) {
        m_entries[4 + channel] = Entry(ButtonKind::Mute, channel);
    }
    const ButtonChoices fifth(m_image, m_entries, 0);
    EXPECT_TRUE(fifth.Values(kMute).shown);
    EXPECT_EQ(fifth.Chosen(kMute, std::nullopt), std::nullopt);
    EXPECT_THAT(ValueTexts(m_entries, 0, ButtonKind::Frequency),
                ElementsAre("1/2", "3/4", "5/6", "7/8", "9/10", "11/12", "13/14", "15/16"));
}

TEST_F(ButtonsFormTest, ValuesOfTheTablesAndWhatOkGives) {
    // No paging format: a shown list with no value, which OK refuses.
    const auto manualPage = static_cast<std::uint8_t>(ButtonKind::ManualPage);
    const ButtonChoices none(m_image, m_entries, 0);
    EXPECT_TRUE(none.Values(manualPage).shown);
    EXPECT_EQ(none.Chosen(manualPage, std::nullopt), std::nullopt);

    ManualPage(m_image, 2).SetLabel("FIRE");
    ManualPage(m_image, 5).SetLabel("EMS");
    SpeedPage(m_image, 0).SetLabel("ALPHA");
    SpeedPage(m_image, 1).SetLabel("BRAVO");
    m_entries[1] = Entry(ButtonKind::SpeedPage, 1);
    EXPECT_THAT(ValueTexts(m_entries, 0, ButtonKind::ManualPage), ElementsAre("FIRE", "EMS"));
    EXPECT_THAT(ValueTexts(m_entries, 0, ButtonKind::SpeedPage), ElementsAre("BRAVO"));
    EXPECT_THAT(ValueTexts(m_entries, 1, ButtonKind::SpeedPage), ElementsAre("ALPHA", "BRAVO"));
    EXPECT_EQ(ButtonChoices(m_image, m_entries, 0).Values(manualPage).values.front().value, 3);

    // A single-channel Mute shows no list and gets channel 1; kinds without
    // values get 255.
    SetType(layout::deskset::kTypeSingleChannel);
    const ButtonChoices single(m_image, m_entries, 0);
    EXPECT_FALSE(single.Values(kMute).shown);
    EXPECT_EQ(single.Chosen(kMute, std::nullopt), Entry(ButtonKind::Mute, 1));
    EXPECT_EQ(single.Chosen(static_cast<std::uint8_t>(ButtonKind::Clear), std::nullopt),
              Entry(ButtonKind::Clear));

    EXPECT_EQ(KeyFunction(m_image, Entry(ButtonKind::SpeedPage, 2)), "Speed Page: BRAVO");
    EXPECT_EQ(KeyFunction(m_image, Entry(ButtonKind::Frequency, 2)), "Frequency: 3/4");
    EXPECT_EQ(KeyFunction(m_image, Entry(ButtonKind::Clear)), "Clear");
    EXPECT_EQ(KeyFunction(m_image, {40, 7}), "Unknown function 40");
}

TEST_F(ButtonsFormTest, WorkingCopyLabelsUndoAndWrite) {
    ButtonTable keys(m_image);
    ManualPage(m_image, 0).SetLabel("FIRE");
    keys.Set(0, ButtonKind::ManualPage, 1);
    keys.Set(1, ButtonKind::ManualPage, 2);  // a format that is not there
    keys.Set(2, static_cast<ButtonKind>(40), 7);
    keys.Set(4, ButtonKind::ManualPage, 0);
    ButtonsWorkingCopy copy(m_image);
    copy.RefreshLabels(m_image);
    EXPECT_EQ(copy.ShortLabel(0), "MPg");
    EXPECT_EQ(copy.ShortLabel(1), "ND");
    EXPECT_EQ(copy.Entry(1), ButtonEntry{});
    EXPECT_EQ(copy.ShortLabel(2), "");
    EXPECT_EQ(copy.ShortLabel(3), "ND");
    EXPECT_EQ(copy.ShortLabel(4), "ND");

    // One change: Undo takes it back, a second Undo puts it in again.
    copy.Change(3, Entry(ButtonKind::Clear));
    copy.Undo();
    EXPECT_EQ(copy.Entry(3), ButtonEntry{});
    copy.Undo();
    EXPECT_EQ(copy.Entry(3), Entry(ButtonKind::Clear));

    // Clear All, then Undo restores every key; again changes nothing.
    const ButtonEntries before = copy.Entries();
    copy.ClearAll();
    EXPECT_EQ(copy.Entry(0), ButtonEntry{});
    copy.Undo();
    copy.Undo();
    EXPECT_EQ(copy.Entries(), before);

    // The freed format's key is written Not Defined; an unknown kind keeps its bytes.
    ManualPage(m_image, 0).Free();
    copy.RefreshLabels(m_image);
    copy.WriteTo(m_image);
    EXPECT_EQ(keys.KindCode(0), 0);
    EXPECT_EQ(keys.Value(0), layout::buttons::kNoValue);
    EXPECT_EQ(keys.KindCode(2), 40);
    EXPECT_EQ(keys.Value(2), 7);
    EXPECT_EQ(keys.KindCode(3), static_cast<std::uint8_t>(ButtonKind::Clear));
}

namespace {

// The kinds as the buttons editor documents them: name, short label, the
// values offered on a four-channel and on a single-channel deskset (none:
// no value list), whether one key only may have the kind, and whether a
// single-channel deskset offers it at all.
struct ExpectedKind {
    std::uint8_t code;
    std::string_view name;
    std::string_view shortLabel;
    std::optional<std::vector<std::string>> fourChannelValues;
    std::optional<std::vector<std::string>> singleChannelValues;
    bool oneKeyOnly;
    bool singleChannel;
};

const std::vector<std::string> kFrequencyPairs = {"1/2",  "3/4",   "5/6",   "7/8",
                                                  "9/10", "11/12", "13/14", "15/16"};

const std::vector<ExpectedKind>& ExpectedKinds() {
    using V = std::vector<std::string>;
    static const std::vector<ExpectedKind> kinds = {
        {0, "Not Defined", "ND", {}, {}, false, true},
        {1, "Scroll Up", "Up", {}, {}, true, true},
        {2, "Scroll Down", "Down", {}, {}, true, true},
        {3, "Clear", "Clr", {}, {}, true, true},
        // With one paging format and one speed page defined, in their first records.
        {4, "Manual Page", "MPg", V{"FMT"}, V{"FMT"}, false, true},
        {5, "Speed Page", "SPg", V{"SPG"}, V{"SPG"}, false, true},
        {6, "Alias Page", "APg", {}, {}, true, true},
        {7, "Frequency", "Fq", kFrequencyPairs, kFrequencyPairs, false, true},
        {8, "All Mute", "AlMut", {}, {}, true, false},
        {9, "Mute", "Mute", V{"1", "2", "3", "4"}, {}, false, true},
        {10, "Alert Tone", "AlrtT", V{"1", "2", "3"}, V{"1", "2", "3"}, false, true},
        {11, "Repeat", "Rep", {}, {}, true, true},
        {12, "Wildcard", "WldC", V{"1", "2"}, V{"1", "2"}, false, true},
        {13, "Patch", "Ptch", {}, {}, true, false},
        {14, "Multi Select", "MSel", {}, {}, true, false},
        {15, "Coded Clear", "CClr", {}, {}, true, true},
        {16, "Volume Adjust", "Vol", {}, {}, true, false},
        {17, "Enter RAC", "RAC", {}, {}, true, true},
        {18, "Auxiliary", "Aux", V{"1", "2", "3", "4"}, V{"1", "2", "3", "4"}, false, true},
    };
    return kinds;
}

}  // namespace

// Each kind: its name and short label, its values from the first to the
// last (value = position + 1), each value offered until another key holds
// it, and a kind with every value held refused on OK.
TEST_F(ButtonsFormTest, EveryKindsValuesFromFirstToLast) {
    ManualPage(m_image, 0).SetLabel("FMT");
    SpeedPage(m_image, 0).SetLabel("SPG");
    for (const std::uint8_t type :
         {layout::deskset::kTypeFourChannel, layout::deskset::kTypeSingleChannel}) {
        SetType(type);
        const bool four = type == layout::deskset::kTypeFourChannel;
        for (const ExpectedKind& kind : ExpectedKinds()) {
            SCOPED_TRACE(std::string(kind.name) + (four ? " (four)" : " (single)"));
            EXPECT_EQ(KindName(kind.code), kind.name);
            ButtonTable(m_image).Set(0, static_cast<ButtonKind>(kind.code), 1);
            ButtonsWorkingCopy copy(m_image);
            copy.RefreshLabels(m_image);
            EXPECT_EQ(copy.ShortLabel(0), kind.shortLabel);

            const auto& values = four ? kind.fourChannelValues : kind.singleChannelValues;
            ButtonEntries entries{};
            const ValueList list = ButtonChoices(m_image, entries, 0).Values(kind.code);
            EXPECT_EQ(list.shown, values.has_value());
            if (!values) {
                EXPECT_TRUE(list.values.empty());
                continue;
            }
            std::vector<std::string> texts;
            for (std::size_t n = 0; n < list.values.size(); ++n) {
                texts.push_back(list.values[n].text);
                EXPECT_EQ(list.values[n].value, n + 1);
            }
            EXPECT_EQ(texts, *values);
            // Keys 1.. hold every value but the last, then every value.
            for (std::size_t n = 0; n + 1 < values->size(); ++n) {
                entries[n + 1] =
                    Entry(static_cast<ButtonKind>(kind.code), static_cast<std::uint8_t>(n + 1));
            }
            const ButtonChoices oneLeft(m_image, entries, 0);
            ASSERT_EQ(oneLeft.Values(kind.code).values.size(), 1u);
            EXPECT_EQ(oneLeft.Values(kind.code).values[0].text, values->back());
            const auto last = static_cast<std::uint8_t>(values->size());
            EXPECT_EQ(oneLeft.Chosen(kind.code, last), (ButtonEntry{kind.code, last}));
            entries[values->size()] = Entry(static_cast<ButtonKind>(kind.code), last);
            const ButtonChoices noneLeft(m_image, entries, 0);
            EXPECT_TRUE(noneLeft.Values(kind.code).shown);
            EXPECT_TRUE(noneLeft.Values(kind.code).values.empty());
            EXPECT_EQ(noneLeft.Chosen(kind.code, std::nullopt), std::nullopt);
            // The key that holds the last value is offered it again.
            EXPECT_EQ(
                ButtonChoices(m_image, entries, values->size()).Values(kind.code).values.size(),
                1u);
        }
    }
    // The first code past the known kinds has no name, no label and no values.
    EXPECT_EQ(KindName(19), std::nullopt);
    EXPECT_EQ(KindName(255), std::nullopt);
    EXPECT_FALSE(ButtonChoices(m_image, m_entries, 0).Values(19).shown);
    ButtonTable(m_image).Set(0, static_cast<ButtonKind>(19), 1);
    ButtonsWorkingCopy copy(m_image);
    copy.RefreshLabels(m_image);
    EXPECT_EQ(copy.ShortLabel(0), "");
}

// The kind list: a kind one key only may have is offered to every key while
// no other key has it, and then only to the key that has it; the others are
// offered to every key. Four-channel kinds only on a four-channel deskset.
TEST_F(ButtonsFormTest, EveryKindOfferedByHowManyKeysMayHaveIt) {
    for (const std::uint8_t type :
         {layout::deskset::kTypeFourChannel, layout::deskset::kTypeSingleChannel}) {
        SetType(type);
        const bool four = type == layout::deskset::kTypeFourChannel;
        for (const ExpectedKind& kind : ExpectedKinds()) {
            SCOPED_TRACE(std::string(kind.name) + (four ? " (four)" : " (single)"));
            const bool offered = four || kind.singleChannel;
            // Mute is one key per channel: one key on a single-channel deskset.
            const bool oneKey = kind.oneKeyOnly || (kind.code == kMute && !four);
            ButtonEntries entries{};
            EXPECT_EQ(testing::Value(KindNames(entries, 17), Contains(std::string(kind.name))),
                      offered);
            entries[17] = Entry(static_cast<ButtonKind>(kind.code), 1);
            EXPECT_EQ(testing::Value(KindNames(entries, 0), Contains(std::string(kind.name))),
                      offered && !oneKey);
            EXPECT_EQ(testing::Value(KindNames(entries, 17), Contains(std::string(kind.name))),
                      offered);
        }
    }
}

// Manual Page and Speed Page keys hold a record index + 1: from 1 for the
// first record to 16 and 250 for the last; a Manual Page key naming no
// labelled format (0, 17, 255, a free slot) becomes Not Defined.
TEST_F(ButtonsFormTest, TableValuesAreRecordIndexPlusOneToTheLastRecord) {
    ManualPage(m_image, 0).SetLabel("FIRST");
    ManualPage(m_image, layout::manual_page::kCount - 1).SetLabel("LASTFMT");
    for (std::size_t i = 0; i < layout::speed_page::kCount; ++i) {
        SpeedPage(m_image, i).SetLabel("S" + std::to_string(i));
    }
    const ButtonChoices choices(m_image, m_entries, 0);
    const ValueList formats = choices.Values(static_cast<std::uint8_t>(ButtonKind::ManualPage));
    ASSERT_EQ(formats.values.size(), 2u);
    EXPECT_EQ(formats.values[0].value, 1);
    EXPECT_EQ(formats.values[1].value, 16);
    EXPECT_EQ(formats.values[1].text, "LASTFMT");
    const ValueList pages = choices.Values(static_cast<std::uint8_t>(ButtonKind::SpeedPage));
    ASSERT_EQ(pages.values.size(), layout::speed_page::kCount);
    EXPECT_EQ(pages.values.front().value, 1);
    EXPECT_EQ(pages.values.front().text, "S0");
    EXPECT_EQ(pages.values.back().value, 250);
    EXPECT_EQ(pages.values.back().text, "S249");
    EXPECT_EQ(KeyFunction(m_image, Entry(ButtonKind::SpeedPage, 250)), "Speed Page: S249");
    EXPECT_EQ(KeyFunction(m_image, Entry(ButtonKind::SpeedPage, 251)), "Speed Page");
    EXPECT_EQ(KeyFunction(m_image, Entry(ButtonKind::ManualPage, 16)), "Manual Page: LASTFMT");
    EXPECT_EQ(KeyFunction(m_image, Entry(ButtonKind::ManualPage, 17)), "Manual Page");

    // The last speed page held by another key is not offered; the first is.
    m_entries[5] = Entry(ButtonKind::SpeedPage, 250);
    const ValueList rest = ButtonChoices(m_image, m_entries, 0)
                               .Values(static_cast<std::uint8_t>(ButtonKind::SpeedPage));
    EXPECT_EQ(rest.values.size(), layout::speed_page::kCount - 1);
    EXPECT_EQ(rest.values.back().value, 249);

    ButtonTable keys(m_image);
    const std::vector<std::pair<std::uint8_t, bool>> manualPageKeys = {
        {0, false}, {1, true}, {2, false}, {16, true}, {17, false}, {255, false}};
    for (std::size_t key = 0; key < manualPageKeys.size(); ++key) {
        keys.Set(key, ButtonKind::ManualPage, manualPageKeys[key].first);
    }
    ButtonsWorkingCopy copy(m_image);
    copy.RefreshLabels(m_image);
    for (std::size_t key = 0; key < manualPageKeys.size(); ++key) {
        const auto [value, kept] = manualPageKeys[key];
        EXPECT_EQ(copy.ShortLabel(key), kept ? "MPg" : "ND") << int(value);
        EXPECT_EQ(copy.Entry(key), kept ? Entry(ButtonKind::ManualPage, value) : ButtonEntry{})
            << int(value);
    }
}
