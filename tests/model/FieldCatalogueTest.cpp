// SPDX-License-Identifier: GPL-3.0-or-later
// Setting fields by path, with the boundary cases taken from the catalogue
// itself: every field's last accepted and first refused values.

#include <gmock/gmock.h>

#include <map>
#include <span>

#include "model/ChannelRecord.h"
#include "model/ImageDefaults.h"
#include "model/deskset/ChannelFields.h"
#include "model/deskset/DesksetFields.h"
#include "model/editing/ChoiceList.h"
#include "model/fleet/DatabaseFields.h"
#include "model/fleet/FieldAssignments.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

ConfigImage NewImage() {
    ConfigImage image;
    SetImageDefaults(image);
    return image;
}

std::string Value(const ConfigImage& image, const std::string& path) {
    for (const DatabaseField& field : DatabaseFields(image)) {
        if (field.path == path) {
            return field.value;
        }
    }
    return "(no field)";
}

// A value the field accepts and shows as typed, and one it refuses.
struct Probe {
    std::string text;
    bool accepted;
};

// The boundaries of one field: a range's ends and one step past each, every
// entry of a list and one text past the last, a text's full width and one more.
std::vector<Probe> ProbesOf(const Field& field) {
    std::vector<Probe> probes;
    switch (field.kind) {
        case FieldKind::Flag:
            return {{"Yes", true}, {"No", true}, {"yes", false}, {"1", false}};
        case FieldKind::Text:
            return {{std::string(field.spec.width, 'A'), true},
                    {std::string(field.spec.width + 1, 'A'), false}};
        case FieldKind::List:
            for (const std::string& entry : field.list().Entries()) {
                probes.push_back({ClosedUp(entry), true});
            }
            probes.push_back({"Not An Entry", false});
            return probes;
        default:
            break;
    }
    if (field.entryOf) {
        for (long value = field.min; value <= field.max; value += field.step) {
            const bool listed = field.list().IndexOf(field.entryOf(value)) >= 0;
            probes.push_back({ShowStoredNumber(field, value), listed});
        }
    } else {
        probes.push_back({ShowStoredNumber(field, field.min), true});
        probes.push_back({ShowStoredNumber(field, field.max), true});
    }
    probes.push_back({ShowStoredNumber(field, field.min - field.step), false});
    probes.push_back({ShowStoredNumber(field, field.max + field.step), false});
    if (field.step > 1) {
        probes.push_back({ShowStoredNumber(field, field.min + 1), false});  // between two steps
    }
    return probes;
}

struct Table {
    std::string prefix;
    std::span<const Field> fields;
    // Assignments that make the record hold the table's layout, and that
    // let every value of the table pass the record's checks.
    std::vector<std::string> setup;
};

std::vector<Table> Tables() {
    return {
        {"deskset.", deskset_fields::kFields, {}},
        {"channels[3].", channel_fields::kFields, {}},
        {"channels[1].frequencies[3].", channel_fields::kFrequencyRow, {}},
        {"channels[2].dtmf.",
         channel_fields::dtmf::kFields,
         {"channels[2].signaling_option=DTMF Decode", "channels[2].dtmf.min_digits=1"}},
        {"channels[0].stat_alert.",
         channel_fields::stat_alert::kFields,
         {"channels[0].signaling_option=Stat Alert", "channels[0].deskset_id=1"}},
    };
}

std::vector<FieldAssignment> Assignments(const std::vector<std::string>& texts) {
    std::vector<FieldAssignment> assignments;
    for (const std::string& text : texts) {
        assignments.push_back(*ParseAssignment(text));
    }
    return assignments;
}

}  // namespace

TEST(FieldCatalogueTest, EveryFieldTakesItsLastValuesAndRefusesThoseBeyond) {
    int probed = 0;
    for (const Table& table : Tables()) {
        for (const Field& field : table.fields) {
            // A row's last field stands for the row.
            const std::string path =
                table.prefix + std::string(field.name) +
                (field.Count() > 1 && table.prefix.find("frequencies") == std::string::npos
                     ? "[" + std::to_string(field.Count() - 1) + "]"
                     : "");
            // The deskset type and the radio codes rebuild records: their own case is below.
            if (field.list == DesksetTypeList || field.list == KeyingList ||
                field.list == SignalingOptionList) {
                continue;
            }
            for (const Probe& probe : ProbesOf(field)) {
                std::vector<std::string> texts = table.setup;
                texts.push_back(path + "=" + probe.text);
                ConfigImage image = NewImage();
                const ConfigImage before = image;
                const auto refusals = AssignFields(image, Assignments(texts));
                SCOPED_TRACE(path + "=" + probe.text);
                ++probed;
                if (probe.accepted) {
                    EXPECT_THAT(refusals, IsEmpty());
                    EXPECT_EQ(Value(image, path), probe.text);
                } else {
                    ASSERT_EQ(refusals.size(), 1u);
                    EXPECT_TRUE(refusals.front().starts_with(path + ": ")) << refusals.front();
                    EXPECT_TRUE(image == before) << "a refusal changes nothing";
                }
            }
        }
    }
    EXPECT_GT(probed, 300);
}

TEST(FieldCatalogueTest, ListsAndRadioCodesTakeEachEntryAndRefuseOneMore) {
    const std::pair<std::string, Field> fields[] = {
        {"deskset.type", deskset_fields::kType},
        {"channels[1].keying", channel_fields::kKeying},
        {"channels[1].signaling_option", channel_fields::kSignalingOption},
    };
    for (const auto& [path, field] : fields) {
        for (const Probe& probe : ProbesOf(field)) {
            ConfigImage image = NewImage();
            // Options that send the deskset ID need one.
            const auto refusals = AssignFields(
                image, Assignments({"channels[1].deskset_id=12", path + "=" + probe.text}));
            SCOPED_TRACE(path + "=" + probe.text);
            EXPECT_EQ(refusals.empty(), probe.accepted);
            const std::string unchanged = Value(NewImage(), path);
            EXPECT_EQ(Value(image, path), probe.accepted ? probe.text : unchanged);
        }
    }
}

TEST(FieldCatalogueTest, UnknownPathsAreRefusedByName) {
    for (const std::string path :
         {"deskset.nothing", "deskset", "channels[4].keying", "channels[0]", "channels.keying",
          "channels[x].keying", "channels[0].frequencies[16].label", "deskset.relay_latching[4]",
          "deskset.relay_latching", "deskset.mute_timer_s[0]",
          "channels[0].frequencies[4].dc_current_ma", "channels[0].dtmf.min_digits",
          "channels[0].stat_alert.mode", "[0]", ""}) {
        ConfigImage image = NewImage();
        EXPECT_THAT(AssignFields(image, {{path, "1"}}), ElementsAre(path + ": no such field."));
    }
}

TEST(FieldCatalogueTest, AllOrNothingAndEveryRefusalNamed) {
    ConfigImage image = NewImage();
    const ConfigImage before = image;
    const auto refusals =
        AssignFields(image, Assignments({"deskset.mute_timer_s=12", "deskset.transmit_delay_ms=501",
                                         "channels[0].hlgt_level_db=-31"}));
    EXPECT_THAT(refusals, ElementsAre("deskset.transmit_delay_ms: Transmit delay must be between "
                                      "0 and 500 ms.",
                                      "channels[0].hlgt_level_db: HLGT level must be between 10 "
                                      "and -30 dB."));
    EXPECT_TRUE(image == before);
    EXPECT_THAT(AssignFields(image, {{"deskset.mute_timer_s", "61"}}),
                ElementsAre("deskset.mute_timer_s: Please enter a number between 0 and 60."));
}

TEST(FieldCatalogueTest, SignedAndFractionalValuesKeepTheirSignAndTenth) {
    ConfigImage image = NewImage();
    ASSERT_THAT(AssignFields(image, Assignments({"channels[0].rx_agc_level_dbm=-30",
                                                 "channels[0].frequencies[0].dc_current_ma=-0.5",
                                                 "channels[0].dc_monitor_current_ma=15.5",
                                                 "channels[0].guard_tone_hz=2325.0"})),
                IsEmpty());
    const ChannelRecord record(image, 0);
    EXPECT_EQ(record.S8(layout::channel::kRxAgcLevel), -30);
    EXPECT_EQ(record.DcCurrent(0), -1);
    EXPECT_EQ(record.S8(layout::channel::kDcMonitorCurrent), 31);
    EXPECT_EQ(record.U16(layout::channel::kGuardToneFrequency), 23250);
    for (const std::string text : {"-0.25", "1.5.0", "--1", "2325.5", "-2325.0", "x"}) {
        ConfigImage other = NewImage();
        EXPECT_EQ(
            AssignFields(other, Assignments({"channels[0].frequencies[0].dc_current_ma=" + text,
                                             "channels[0].guard_tone_hz=" + text}))
                .size(),
            2u)
            << text;
    }
}

TEST(FieldCatalogueTest, TheWholeRecordPassesItsEditorsChecks) {
    ConfigImage image = NewImage();
    // Stat alert sends the deskset ID: it cannot be empty, and holds hexadecimal digits only.
    EXPECT_THAT(AssignFields(image, {{"channels[1].signaling_option", "Stat Alert"}}),
                ElementsAre("channels[1]: Deskset ID field cannot be empty."));
    const auto lowerCase = AssignFields(
        image,
        Assignments({"channels[1].signaling_option=Stat Alert", "channels[1].deskset_id=1a"}));
    ASSERT_EQ(lowerCase.size(), 1u);
    EXPECT_TRUE(lowerCase.front().starts_with("channels[1]: The deskset ID holds a character"));
    // The maximum digits never below the minimum, whichever is set last.
    EXPECT_THAT(AssignFields(image, Assignments({"channels[2].signaling_option=DTMF Decode",
                                                 "channels[2].dtmf.min_digits=5",
                                                 "channels[2].dtmf.max_digits=4"})),
                ElementsAre("channels[2]: The minimum number of digits is above the maximum."));
    // Keying None shows the label of frequency 1 on the channel page: it cannot be empty.
    EXPECT_THAT(AssignFields(image, Assignments({"channels[0].keying=None",
                                                 "channels[0].frequencies[0].label="})),
                ElementsAre("channels[0]: Channel/Frequency field cannot be empty."));
}

TEST(FieldCatalogueTest, ANewSignalingOptionBringsItsDataDefaults) {
    ConfigImage image = NewImage();
    ASSERT_THAT(AssignFields(image, Assignments({"channels[0].signaling_option=DTMF Decode"})),
                IsEmpty());
    EXPECT_EQ(Value(image, "channels[0].dtmf.min_digits"), "3");
    EXPECT_EQ(Value(image, "channels[0].dtmf.max_digits"), "8");
    ASSERT_THAT(AssignFields(image, Assignments({"channels[0].signaling_option=Stat Alert",
                                                 "channels[0].deskset_id=ABC"})),
                IsEmpty());
    EXPECT_EQ(Value(image, "channels[0].stat_alert.leading_pretime_ms"), "200");
    EXPECT_EQ(Value(image, "channels[0].stat_alert.retry_constant"), "2");
    // The same layout keeps its data.
    ASSERT_THAT(AssignFields(image, Assignments({"channels[0].stat_alert.retry_constant=9",
                                                 "channels[0].signaling_option=Stat Alert"})),
                IsEmpty());
    EXPECT_EQ(Value(image, "channels[0].stat_alert.retry_constant"), "9");
}

TEST(FieldCatalogueTest, TheDesksetTypeChangesAsItsWindowChangesIt) {
    ConfigImage image = NewImage();
    ASSERT_THAT(AssignFields(image, Assignments({"deskset.type=Advanced Multi-Channel",
                                                 "channels[2].hangover_delay_ms=10"})),
                IsEmpty());
    EXPECT_EQ(Value(image, "channels[2].hangover_delay_ms"), "10");
    // Back to one channel: channels 2 to 4 return to their defaults.
    ASSERT_THAT(AssignFields(image, Assignments({"deskset.type=Advanced Single Channel"})),
                IsEmpty());
    EXPECT_EQ(Value(image, "deskset.type"), "Advanced Single Channel");
    EXPECT_EQ(Value(image, "channels[2].hangover_delay_ms"), "2000");
}

// The limits of the fields whose windows choose from a list or a radio
// group, written out here so that a changed table shows.
TEST(FieldCatalogueTest, ChosenValuesHaveTheLimitsOfTheirLists) {
    const std::vector<std::string> setup = {"channels[0].signaling_option=Stat Alert",
                                            "channels[0].deskset_id=1",
                                            "channels[1].signaling_option=DTMF Decode"};
    const struct {
        std::string path;
        std::string last;
        std::string beyond;
    } limits[] = {
        {"deskset.mute_timer_s", "60", "61"},
        {"channels[0].rx_agc_level_dbm", "11", "12"},
        {"channels[0].tx_level_dbm", "-30", "-31"},
        {"channels[0].dc_monitor_current_ma", "-15.5", "-16.0"},
        {"channels[0].monitor_tone_hz", "2050.0", "2150.0"},
        {"channels[0].talk_permit_beep_count", "5", "6"},
        {"channels[0].stat_alert.mode", "2", "3"},
        {"channels[0].stat_alert.pretime_kind", "1", "2"},
        {"channels[0].stat_alert.rac_mode", "2", "3"},
        {"channels[0].stat_alert.retry_constant", "17", "18"},
        {"channels[0].stat_alert.retry_constant", "2", "1"},
        {"channels[0].stat_alert.default_rac", "65535", "65536"},
        {"channels[1].dtmf.max_digits", "8", "9"},
        {"channels[1].dtmf.min_digits", "1", "0"},
    };
    for (const auto& limit : limits) {
        SCOPED_TRACE(limit.path);
        for (const auto& [value, accepted] : {std::pair{limit.last, true}, {limit.beyond, false}}) {
            ConfigImage image = NewImage();
            std::vector<std::string> texts = setup;
            texts.push_back(limit.path + "=" + value);
            EXPECT_EQ(AssignFields(image, Assignments(texts)).empty(), accepted) << value;
        }
    }
}

// A list table's record takes its fields through its dialog: the widths,
// ranges and characters of the dialog hold, and each refusal changes nothing.
TEST(FieldCatalogueTest, ListRecordsTakeTheirDialogsLimits) {
    ConfigImage start = NewImage();
    const DatabaseChanges records{
        {{ListTable::PagingFormats, {{{"label", "P"}, {"base_format", "DTMF Page Format"}}}},
         {ListTable::SpeedPages, {{{"label", "S"}, {"paging_format", "P"}, {"digits", "1"}}}},
         {ListTable::CustomTones, {{{"number", "5"}}}},
         {ListTable::Aliases, {{{"label", "A"}, {"ptt_id", "0A1D"}, {"protocol", "MDC1200"}}}}},
        {}};
    ASSERT_THAT(ApplyChanges(start, records), IsEmpty());
    const struct {
        std::string path;
        std::string last;
        std::string beyond;
    } limits[] = {
        {"paging_formats[0].label", "ABCDEFGH", "ABCDEFGHI"},
        {"paging_formats[0].tone_duration_ms", "60000", "60001"},
        {"speed_pages[0].label", "ABCDEFGH", "ABCDEFGHI"},
        {"speed_pages[0].digits", "1234567890123456", "12345678901234567"},
        {"ptt_id_aliases[0].label", "ABCDEFGHIJKL", "ABCDEFGHIJKLM"},
        {"ptt_id_aliases[0].ptt_id", "0A1D", "0A1"},
        {"ptt_id_aliases[0].protocol", "DTMF", "MDC"},
        {"custom_tones[0].first_tone_hz", "3400.0", "3400.1"},
        {"custom_tones[0].second_tone_hz", "200.0", "199.9"},
        {"custom_tones[0].inhibit_delay_ms", "60000", "60001"},
        {"custom_tones[0].number", "99", "100"},
    };
    for (const auto& limit : limits) {
        SCOPED_TRACE(limit.path);
        ConfigImage image = start;
        EXPECT_THAT(AssignFields(image, {{limit.path, limit.last}}), IsEmpty());
        EXPECT_EQ(Value(image, limit.path), limit.last);
        image = start;
        const auto refused = AssignFields(image, {{limit.path, limit.beyond}});
        ASSERT_EQ(refused.size(), 1u);
        EXPECT_TRUE(refused.front().starts_with(limit.path + ": ")) << refused.front();
        EXPECT_TRUE(image == start);
    }
    // A record that is not there, and a slot or base format once added.
    ConfigImage image = start;
    EXPECT_THAT(AssignFields(image, {{"speed_pages[1].label", "X"},
                                     {"paging_formats[0].base_format", "Voice Alert"}}),
                ElementsAre("speed_pages[1].label: no such field.",
                            "paging_formats[0].base_format: A paging format's slot and base "
                            "format are chosen when it is added."));
}
