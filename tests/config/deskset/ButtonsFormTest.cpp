// The buttons editor's rules: what a key's dialog offers, what OK gives the
// key, and the working copy with its one step of undo.

#include "config/deskset/ButtonsForm.h"

#include <gmock/gmock.h>

#include "app/ImageDefaults.h"
#include "app/ManualPage.h"
#include "app/SpeedPage.h"

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
