// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/DesksetSettingsForm.h"

#include <gtest/gtest.h>

#include "model/ButtonTable.h"
#include "model/ChannelRecord.h"
#include "model/ImageDefaults.h"

namespace {

ConfigImage NewDatabase() {
    ConfigImage image;
    SetImageDefaults(image);
    return image;
}

}  // namespace

TEST(DesksetSettingsForm, NewDatabaseLoadsItsDefaults) {
    ConfigImage image = NewDatabase();
    const DesksetSettingsForm form = LoadDesksetSettings(image);
    EXPECT_EQ(DesksetTypeList().At(form.desksetType), "Advanced Single Channel");
    EXPECT_FALSE(MultiChannelControlsEnabled(form));
    EXPECT_EQ(form.muteTimer, "30");
    EXPECT_EQ(MuteLevelList().At(form.muteLevel), "Full Mute");
    EXPECT_EQ(PrinterBaudRateList().At(form.printerBaudRate), "9600   bps");
    EXPECT_EQ(HourModeList().At(form.hourMode), "24 Hour");
    EXPECT_EQ(PagingFeedbackList().At(form.pagingFeedback), "Loud");
    EXPECT_EQ(form.numbers, (std::array<std::string, 3>{"2", "0", "0"}));
    EXPECT_TRUE(form.handsetPresent);
    EXPECT_TRUE(form.micAgc);
    EXPECT_FALSE(form.externalMic);
    EXPECT_FALSE(form.useUnselectSpeaker);
}

TEST(DesksetSettingsForm, OddStoredValuesLoadTheDocumentedWay) {
    ConfigImage image = NewDatabase();
    image.SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType), 7);
    image.SetU8(layout::deskset::Absolute(layout::deskset::kMuteTimer), 61);
    image.SetU8(layout::deskset::Absolute(layout::deskset::kPagingFeedback), 3);
    DesksetSettingsForm form = LoadDesksetSettings(image);
    EXPECT_EQ(DesksetTypeList().At(form.desksetType), "Advanced Multi-Channel");
    EXPECT_EQ(form.muteTimer, "");
    EXPECT_EQ(form.pagingFeedback, -1);

    WriteDesksetSettings(form, image);
    EXPECT_EQ(image.U8(layout::deskset::Absolute(layout::deskset::kDesksetType)), 4);
    EXPECT_EQ(image.U8(layout::deskset::Absolute(layout::deskset::kMuteTimer)), 0)
        << "an empty mute timer is written as 0";
    EXPECT_EQ(image.U8(layout::deskset::Absolute(layout::deskset::kPagingFeedback)), 3)
        << "no selection keeps the byte";
}

TEST(DesksetSettingsForm, NumbersAreCheckedInOrderAtAndBeyondTheirLimits) {
    ConfigImage image = NewDatabase();
    DesksetSettingsForm form = LoadDesksetSettings(image);
    form.Number(DesksetField::PagingVoiceAnnotation) = "60";
    form.Number(DesksetField::TransmitDelay) = "500";
    form.Number(DesksetField::PageKeyUpDelay) = "60";
    EXPECT_TRUE(ValidateDesksetSettings(form).Ok());
    WriteDesksetSettings(form, image);
    EXPECT_EQ(image.U8(0x018), 0xF4);
    EXPECT_EQ(image.U8(0x019), 0x01);
    EXPECT_EQ(image.U8(layout::deskset::Absolute(layout::deskset::kPagingVoiceAnnotation)), 60);
    EXPECT_EQ(image.U8(layout::deskset::Absolute(layout::deskset::kPageKeyUpDelay)), 60);

    form.Number(DesksetField::TransmitDelay) = "501";
    form.Number(DesksetField::PageKeyUpDelay) = "61";
    auto result = ValidateDesksetSettings(form);
    EXPECT_EQ(result.message, "Transmit delay must be between 0 and 500 ms.");
    EXPECT_EQ(result.field, DesksetField::TransmitDelay);

    form.Number(DesksetField::PagingVoiceAnnotation) = "61";
    EXPECT_EQ(ValidateDesksetSettings(form).message,
              "Paging voice annotation must be between 0 and 60 sec.");
    form.Number(DesksetField::PagingVoiceAnnotation) = "2";
    form.Number(DesksetField::TransmitDelay) = "0";
    EXPECT_EQ(ValidateDesksetSettings(form).message,
              "Page key up delay must be between 0 and 60 sec.");

    // A non-number anywhere is refused before any range.
    form.Number(DesksetField::PageKeyUpDelay) = "x";
    form.Number(DesksetField::PagingVoiceAnnotation) = "99";
    result = ValidateDesksetSettings(form);
    EXPECT_EQ(result.message, "Please enter a positive integer.");
    EXPECT_EQ(result.field, DesksetField::PageKeyUpDelay);
    form.Number(DesksetField::PageKeyUpDelay) = "";
    EXPECT_EQ(ValidateDesksetSettings(form).message, "Please enter a positive integer.");
    form.Number(DesksetField::PageKeyUpDelay) = "99999999999999999999";
    EXPECT_EQ(ValidateDesksetSettings(form).message,
              "Paging voice annotation must be between 0 and 60 sec.");
}

TEST(DesksetSettingsForm, TypeChangeIsFoundFromTheImage) {
    ConfigImage image = NewDatabase();
    DesksetSettingsForm form = LoadDesksetSettings(image);
    EXPECT_EQ(TypeChangeOf(image, form), DesksetTypeChange::None);
    form.desksetType = 1;
    EXPECT_EQ(TypeChangeOf(image, form), DesksetTypeChange::SingleToFour);
    image.SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType), 4);
    EXPECT_EQ(TypeChangeOf(image, form), DesksetTypeChange::None);
    form.desksetType = 0;
    EXPECT_EQ(TypeChangeOf(image, form), DesksetTypeChange::FourToSingle);
    image.SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType),
                9);  // neither: no conversion either way
    EXPECT_EQ(TypeChangeOf(image, form), DesksetTypeChange::None);
}

TEST(DesksetSettingsForm, SingleChannelResetsChannels2To4AndTheirKeys) {
    ConfigImage image = NewDatabase();
    image.SetU8(layout::deskset::Absolute(layout::deskset::kDesksetType), 4);
    for (std::size_t channel = 0; channel < 4; ++channel) {
        ChannelRecord record(image, channel);
        record.SetLabel(0, "Edited");
        record.SetU8(layout::channel::kSignalingRelay, 3);
    }
    ButtonTable buttons(image);
    const std::pair<ButtonKind, std::uint8_t> keys[] = {
        {ButtonKind::AllMute, 255},      {ButtonKind::Mute, 1},
        {ButtonKind::Mute, 2},           {ButtonKind::Mute, 4},
        {ButtonKind::Patch, 255},        {ButtonKind::MultiSelect, 255},
        {ButtonKind::VolumeAdjust, 255}, {ButtonKind::ManualPage, 3},
        {ButtonKind::Frequency, 2},
    };
    for (std::size_t k = 0; k < std::size(keys); ++k) {
        buttons.Set(k, keys[k].first, keys[k].second);
    }

    MakeSingleChannel(image);
    EXPECT_EQ(image.U8(layout::deskset::Absolute(layout::deskset::kDesksetType)), 1);
    EXPECT_EQ(ChannelRecord(image, 0).Label(0), "Edited");
    ConfigImage fresh = NewDatabase();
    for (std::size_t channel = 1; channel < 4; ++channel) {
        ChannelRecord record(image, channel);
        const ChannelRecord defaults(fresh, channel);
        for (std::size_t field = 0; field < layout::channel::kSize; ++field) {
            // The signaling relay is no default: it keeps its value.
            const std::uint8_t want =
                field == layout::channel::kSignalingRelay.offset ? 3 : defaults.U8(field);
            ASSERT_EQ(record.U8(field), want) << channel << " " << field;
        }
    }
    const std::uint8_t expected[][2] = {{0, 255}, {9, 1},   {0, 255}, {0, 255}, {0, 255},
                                        {0, 255}, {0, 255}, {4, 3},   {7, 2}};
    for (std::size_t k = 0; k < std::size(expected); ++k) {
        EXPECT_EQ(buttons.KindCode(k), expected[k][0]) << k;
        EXPECT_EQ(buttons.Value(k), expected[k][1]) << k;
    }
}
