// SPDX-License-Identifier: GPL-3.0-or-later
// torvo-cli's dump, diff, export and import on database files.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "TorvoCli.h"
#include "model/ButtonTable.h"
#include "model/ChannelRecord.h"
#include "model/DatabaseFile.h"
#include "model/ImageDefaults.h"
#include "model/PttIdAlias.h"
#include "model/SpeedPage.h"
#include "model/deskset/AliasForm.h"
#include "model/fleet/CsvText.h"
#include "model/paging/CustomToneForm.h"
#include "model/paging/ManualPageForm.h"
#include "model/paging/SpeedPageForm.h"
#include "support/ScratchDir.h"

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using namespace std::string_literals;

namespace {

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class DatabaseCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ConfigImage image;
        SetImageDefaults(image);
        AddFormat(image, BaseFormat::Motorola1Plus1, "MOTO");
        AddFormat(image, BaseFormat::Dtmf, "PHONE");
        AddSpeedPage(image, "FIRE", 0, "123");
        AddSpeedPage(image, "ENG, 2", 1, "*55#");  // a comma: quoted in CSV
        AddSpeedPage(image, "\"CHIEF\"", 0, "456");
        // Key 7 sends FIRE (record index + 1).
        ButtonTable(image).Set(6, ButtonKind::SpeedPage, 3);
        ASSERT_EQ(SpeedPage(image, 2).Label(), "FIRE");
        AliasRules::Write({"UNIT 12", "0A1F", AliasProtocol::Mdc1200}, image, std::nullopt);
        AliasRules::Write({"BASE", "12*#", AliasProtocol::Dtmf}, image, std::nullopt);
        AddTone(image, "7", "1234.5");
        AddTone(image, "2", "800.0");
        m_image = image;
        ASSERT_TRUE(WriteDatabaseFile(m_db, image).Ok());
    }

    static void AddFormat(ConfigImage& image, BaseFormat code, const std::string& label) {
        ManualPageForm form = NewManualPage(*EditorOf(static_cast<std::uint8_t>(code)));
        form.label = label;
        ASSERT_TRUE(WriteManualPage(form, image));
    }
    static void AddSpeedPage(ConfigImage& image, const std::string& label, int format,
                             const std::string& digits) {
        SpeedPageForm form = SpeedPageRules::Load(image, std::nullopt);
        form.label = label;
        form.format = format;
        form.digits = digits;
        ASSERT_TRUE(SpeedPageRules::Validate(form, image, std::nullopt).Ok());
        SpeedPageRules::Write(form, image, std::nullopt);
    }
    static void AddTone(ConfigImage& image, const std::string& number, const std::string& first) {
        CustomToneForm form = LoadCustomTone(image, std::nullopt);
        form[CustomToneField::Number] = number;
        form[CustomToneField::FirstTone] = first;
        ASSERT_TRUE(ValidateCustomTone(form, image, std::nullopt).Ok());
        WriteCustomTone(form, image, std::nullopt);
    }

    int Run(std::vector<std::string> args) {
        m_out.str({});
        m_err.str({});
        return TorvoCli(m_out, m_err).Run(args);
    }
    std::string WriteCsv(const std::string& text) {
        const std::string path = m_scratch.Path("table.csv");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
        return path;
    }
    // Imports text and expects a refusal that leaves the database as it was.
    std::string Refused(const std::string& table, const std::string& text) {
        const std::string before = Contents(m_db);
        EXPECT_EQ(Run({"import", table, m_db, WriteCsv(text)}), 1) << text;
        EXPECT_EQ(Contents(m_db), before);
        return m_err.str();
    }

    ScratchDir m_scratch;
    std::string m_db = m_scratch.Path("site.ddb");
    ConfigImage m_image;
    std::ostringstream m_out;
    std::ostringstream m_err;
};

}  // namespace

TEST_F(DatabaseCommandsTest, ExportThenImportGivesTheSameBytes) {
    const std::string original = Contents(m_db);
    for (const char* table : {"paging-formats", "speed-pages", "aliases", "custom-tones"}) {
        ASSERT_EQ(Run({"export", table, m_db}), 0) << table;
        const std::string csv = m_out.str();
        ASSERT_EQ(Run({"import", table, m_db, WriteCsv(csv)}), 0) << table << m_err.str();
        EXPECT_EQ(Contents(m_db), original) << table;
    }
    ASSERT_EQ(Run({"export", "speed-pages", m_db}), 0);
    EXPECT_EQ(m_out.str(),
              "label,paging_format,digits\r\n\"\"\"CHIEF\"\"\",MOTO,456\r\n"
              "\"ENG, 2\",PHONE,*55#\r\nFIRE,MOTO,123\r\n");
    ASSERT_EQ(Run({"export", "custom-tones", m_db}), 0);
    EXPECT_THAT(m_out.str(), HasSubstr("\r\n7,1234.5,1000,0,200.0,3000,3000\r\n"));
}

TEST_F(DatabaseCommandsTest, PagingFormatsImportWithTheirParametersAndTheSpeedPagesFollow) {
    ASSERT_EQ(Run({"export", "paging-formats", m_db}), 0);
    const std::string header = m_out.str().substr(0, m_out.str().find("\r\n"));
    EXPECT_TRUE(header.starts_with("slot,label,base_format,use_short_call_alert,")) << header;
    const std::size_t columns = std::count(header.begin(), header.end(), ',') + 1;
    const auto row = [columns](const std::string& start) {
        return start + std::string(columns - 1 - std::count(start.begin(), start.end(), ','), ',') +
               "\n";
    };
    // PHONE moves to slot 5 with a tone duration of its own; its speed page follows it.
    ASSERT_EQ(Run({"import", "paging-formats", m_db,
                   WriteCsv(header + "\n" + row("1,MOTO,Motorola 1+1") +
                            row("5,PHONE,DTMF Page Format"))}),
              0)
        << m_err.str();
    ASSERT_EQ(Run({"get", m_db, "paging_formats[1].slot", "speed_pages[1].paging_format"}), 0);
    EXPECT_EQ(m_out.str(), "5\nPHONE\n");
    // A paging format a speed page is sent with cannot go.
    const std::string before = Contents(m_db);
    EXPECT_EQ(Run({"import", "paging-formats", m_db,
                   WriteCsv(header + "\n" + row(",PHONE,DTMF Page Format"))}),
              1);
    EXPECT_THAT(m_err.str(), HasSubstr("Speed page \"FIRE\" is sent with paging format \"MOTO\", "
                                       "which is not in the list.\n"));
    EXPECT_EQ(Contents(m_db), before);
}

TEST_F(DatabaseCommandsTest, ImportSortsTheRowsAndTheKeysFollowTheirSpeedPages) {
    ASSERT_EQ(Run({"import", "speed-pages", m_db,
                   WriteCsv("label,paging_format,digits\nZULU,MOTO,999\nFIRE,MOTO,321\n"
                            "ALPHA,PHONE,1\n")}),
              0)
        << m_err.str();
    ConfigImage image;
    ASSERT_TRUE(ReadDatabaseFile(m_db, image).Ok());
    EXPECT_EQ(SpeedPage(image, 0).Label(), "ALPHA");
    EXPECT_EQ(SpeedPage(image, 1).Label(), "FIRE");
    EXPECT_EQ(SpeedPage(image, 1).Digits(), "321");
    EXPECT_EQ(SpeedPage(image, 2).Label(), "ZULU");
    EXPECT_TRUE(SpeedPage(image, 3).IsFree());
    EXPECT_EQ(ButtonTable(image).Value(6), 2);  // still FIRE

    // Aliases given in lower case are upper-cased as the edit does while typing.
    ASSERT_EQ(Run({"import", "aliases", m_db, WriteCsv("label,ptt_id,protocol\nB,0a1f,MDC1200\n")}),
              0);
    ASSERT_TRUE(ReadDatabaseFile(m_db, image).Ok());
    EXPECT_EQ(PttIdAlias(image, 0).PttId(), "0A1F");
    EXPECT_TRUE(PttIdAlias(image, 1).IsFree());
}

TEST_F(DatabaseCommandsTest, EveryRefusedRowIsReportedAndTheFileLeftAsItWas) {
    EXPECT_EQ(Refused("speed-pages",
                      "label,paging_format,digits\r\n"
                      "FIRE,MOTO,123\r\n"
                      "BAD,MOTO,12\r\n"
                      "NOFMT,NONE,123\r\n"
                      "FIRE,MOTO,555\r\n"
                      ",MOTO,1\r\n"),
              "line 3: The Motorola 1+1 format digit sequence requires 3 numerical characters.\n"
              "line 4: Please choose the paging format to send this speed page with.\n"
              "line 5: This label already exists.\n"
              "line 6: All the fields must be filled out before you can continue.\n");
    // Key 7 sends FIRE, which the new list no longer has.
    EXPECT_EQ(Refused("speed-pages", "label,paging_format,digits\nOTHER,MOTO,123\n"),
              "Key 7 sends speed page \"FIRE\", which is not in the list.\n");

    EXPECT_EQ(Refused("aliases",
                      "label,ptt_id,protocol\nA,123,MDC1200\nB,1,FM\n"
                      "C,12,DTMF\nD,12,DTMF\nTHIRTEEN_CHAR,1,DTMF\n"),
              std::string("line 2: ") + std::string(kMdcPttIdMessage) +
                  "\nline 3: The protocol must be MDC1200 or DTMF.\n"
                  "line 5: This PTT ID already exists.\n"
                  "line 6: Please enter no more than 12 characters.\n");

    const std::string tones =
        "number,first_tone_hz,first_tone_ms,intertone_delay_ms,second_tone_hz,"
        "second_tone_ms,inhibit_delay_ms\n";
    EXPECT_EQ(Refused("custom-tones", tones + "1,100.0,1000,0,800,1000,0\n"
                                              "2,800,1000,0,800,1000,0\n"
                                              "2,900,1000,0,800,1000,0\n"
                                              "3,900,70000,0,800,1000,0\n"),
              std::string("line 2: ") + std::string(kToneRangeMessage) +
                  "\nline 4: " + std::string(kToneNumberTakenMessage) +
                  "\nline 5: " + std::string(kDurationRangeMessage) + "\n");

    // The shape of the text itself.
    EXPECT_THAT(Refused("aliases", "label,ptt_id\nA,1\n"), HasSubstr("line 1: the first row"));
    EXPECT_EQ(Refused("aliases", "label,ptt_id,protocol\nA,1\n\nB,\"2\n"),
              "line 4: a quoted field is not closed\n");
    EXPECT_EQ(Refused("aliases", "label,ptt_id,protocol\nA,1\nB,2,DTMF,x\n"),
              "line 2: 3 fields expected, 2 found.\nline 3: 3 fields expected, 4 found.\n");
    EXPECT_EQ(Refused("aliases", "label,ptt_id,protocol\n\xE2\x82\xAC,1,DTMF\n"),
              "line 2: a character has no single-byte form.\n");
}

TEST_F(DatabaseCommandsTest, AFullTableImportsAndOneRowMoreIsRefusedWithItsLine) {
    struct Table {
        const char* name;
        std::string header;
        std::function<std::string(std::size_t)> row;  // Key 7 keeps its FIRE
        std::size_t capacity;
        std::string_view fullMessage;
    };
    const Table tables[] = {
        {"speed-pages", "label,paging_format,digits\n",
         [](std::size_t k) { return (k == 0 ? "FIRE" : "P" + std::to_string(k)) + ",MOTO,123\n"; },
         layout::speed_page::kCount, kTableFullMessage},
        {"aliases", "label,ptt_id,protocol\n",
         [](std::size_t k) {
             return "A" + std::to_string(k) + "," + std::to_string(k) + ",DTMF\n";
         },
         layout::alias::kCount, kAliasTableFullMessage},
    };
    for (const Table& table : tables) {
        std::string csv = table.header;
        for (std::size_t k = 0; k < table.capacity; ++k) {
            csv += table.row(k);
        }
        ASSERT_EQ(Run({"import", table.name, m_db, WriteCsv(csv)}), 0) << table.name << m_err.str();
        ASSERT_EQ(Run({"export", table.name, m_db}), 0);
        const std::string exported = m_out.str();
        EXPECT_EQ(std::count(exported.begin(), exported.end(), '\n'), table.capacity + 1);

        // The header is line 1, so the first row too many is on line capacity + 2.
        EXPECT_EQ(Refused(table.name, csv + table.row(table.capacity)),
                  "line " + std::to_string(table.capacity + 2) + ": " +
                      std::string(table.fullMessage) + "\n")
            << table.name;
    }
}

TEST_F(DatabaseCommandsTest, CellsThatCannotBeReadAsTheyStandAreRefusedWithTheirLine) {
    const std::string header = "label,ptt_id,protocol\n";
    const std::pair<std::string, std::string> refused[] = {
        {"A,1,DTMF\nB\0C,2,DTMF\n"s, "line 3: a field holds a NUL character.\n"},
        {"\0,1,DTMF\n"s, "line 2: a field holds a NUL character.\n"},
        {"A,1,DTMF\n\"B\nC\0\",2,DTMF\n"s, "line 4: a field holds a NUL character.\n"},
        {"A\"B,1,DTMF\n",
         "line 2: a quote inside a field that is not quoted (quote the field and double the "
         "quote).\n"},
        {"A,1,DTMF\n\"B\"C,2,DTMF\n", "line 3: text follows the closing quote of a field.\n"},
        {",1,DTMF\n", "line 2: " + std::string(kFieldsEmptyMessage) + "\n"},
        {"A,,DTMF\n", "line 2: " + std::string(kFieldsEmptyMessage) + "\n"},
        {"A,1,\n", "line 2: The protocol must be MDC1200 or DTMF.\n"},
    };
    for (const auto& [rows, message] : refused) {
        EXPECT_EQ(Refused("aliases", header + rows), message);
    }

    // Quoted fields may hold quotes, commas and line breaks, and be empty where a cell may.
    ASSERT_EQ(Run({"import", "aliases", m_db,
                   WriteCsv(header + "\"B\"\"Q\",\"2\",DTMF\r\n\"C,\nD\",3,\"DTMF\"\n")}),
              0)
        << m_err.str();
    ConfigImage image;
    ASSERT_TRUE(ReadDatabaseFile(m_db, image).Ok());
    EXPECT_EQ(PttIdAlias(image, 0).Label(), "B\"Q");
    EXPECT_EQ(PttIdAlias(image, 1).Label(), "C,\nD");
    EXPECT_TRUE(PttIdAlias(image, 2).IsFree());
}

TEST_F(DatabaseCommandsTest, EveryWriteRefusesAReadOnlyDatabaseAsTheDesktopSaveDoes) {
    const std::string csv = WriteCsv("label,ptt_id,protocol\nA,1,DTMF\n");
    const std::string json = m_scratch.Path("empty.json");
    std::ofstream(json) << "{}";
    const std::string before = Contents(m_db);
    std::filesystem::permissions(m_db, std::filesystem::perms::owner_read);
    const std::vector<std::string> writes[] = {
        {"new", "--force", m_db},
        {"import", "aliases", m_db, csv},
        {"set", m_db, "deskset.mute_timer_s=5"},
        {"apply", m_db, json},
        {"download", "--port", m_scratch.Path("no-such-tty"), "--out", m_db},
    };
    for (const auto& command : writes) {
        EXPECT_EQ(Run(command), 1) << command.front();
        EXPECT_EQ(m_err.str(), "Access to " + m_db + " was denied.\n") << command.front();
        EXPECT_EQ(Contents(m_db), before) << command.front();
    }
}

TEST_F(DatabaseCommandsTest, GetPrintsValuesAndGroupsAndSetWritesOnlyWhatPassed) {
    EXPECT_EQ(Run({"get", m_db, "speed_pages[1].label", "deskset.mute_timer_s"}), 0);
    EXPECT_EQ(m_out.str(), "ENG, 2\n30\n");
    EXPECT_EQ(Run({"get", m_db, "channels[0].frequencies[1]", "nothing"}), 1);
    EXPECT_EQ(m_out.str(),
              "channels[0].frequencies[1].label = Freq 2\n"
              "channels[0].frequencies[1].function_tone_hz = 1850.0\n"
              "channels[0].frequencies[1].dc_current_ma = 12.5\n"
              "channels[0].frequencies[1].detection = No\n");
    EXPECT_EQ(m_err.str(), "nothing: no such field in " + m_db + ".\n");

    const std::string before = Contents(m_db);
    EXPECT_EQ(Run({"set", m_db, "deskset.mute_timer_s=5", "channels[0].tx_level_dbm=12"}), 1);
    EXPECT_EQ(m_err.str(), "channels[0].tx_level_dbm: Please enter a number between -30 and 11.\n");
    EXPECT_EQ(Contents(m_db), before);
    EXPECT_EQ(Run({"set", m_db, "channels[0].frequencies[0].label=Caf\u00e9"}), 0);
    EXPECT_EQ(Run({"get", m_db, "channels[0].frequencies[0].label"}), 0);
    EXPECT_EQ(m_out.str(), "Caf\u00e9\n");
    EXPECT_EQ(Run({"set", m_db, "channels[0].frequencies[0].label=\u20ac"}), 1);
    EXPECT_EQ(m_err.str(),
              "channels[0].frequencies[0].label: a character has no single-byte form.\n");
    EXPECT_EQ(Run({"set", m_db, "deskset.mute_timer_s"}), 2);
}

TEST_F(DatabaseCommandsTest, ADumpAppliedToANewDatabaseGivesTheSameFields) {
    ASSERT_EQ(Run({"set", m_db, "deskset.type=Advanced Multi-Channel",
                   "channels[2].signaling_option=Stat Alert", "channels[2].deskset_id=7A",
                   "channels[2].stat_alert.retry_constant=9", "buttons[0].function=Clear",
                   "channels[1].frequencies[3].dc_current_ma=-15.5",
                   "channels[3].signaling_option=DTMF Decode", "channels[3].dtmf.max_digits=6"}),
              0)
        << m_err.str();
    ASSERT_EQ(Run({"dump", "--json", m_db}), 0);
    const std::string json = WriteCsv(m_out.str());
    const std::string copy = m_scratch.Path("copy.ddb");
    ASSERT_EQ(Run({"new", copy}), 0);
    ASSERT_EQ(Run({"apply", copy, json}), 0) << m_err.str();
    EXPECT_EQ(Run({"diff", m_db, copy}), 0) << m_out.str();

    // A partial document changes what it names, a table given replaces the table.
    const std::string before = Contents(copy);
    ASSERT_EQ(Run({"apply", copy, WriteCsv(R"({"deskset": {"mute_timer_s": 12},
                               "channels": [{"hangover_delay_ms": 100}],
                               "ptt_id_aliases": [{"label": "NEW", "ptt_id": "1234",
                                                   "protocol": "DTMF"}]})")}),
              0)
        << m_err.str();
    EXPECT_EQ(Run({"diff", m_db, copy}), 1);
    EXPECT_EQ(m_out.str(),
              "Deskset settings: mute_timer_s: 30 -> 12\n"
              "Channel 1: hangover_delay_ms: 2000 -> 100\n"
              "PTT ID alias \"BASE\": removed: ptt_id 12*#, protocol DTMF\n"
              "PTT ID alias \"UNIT 12\": removed: ptt_id 0A1F, protocol MDC1200\n"
              "PTT ID alias \"NEW\": added: ptt_id 1234, protocol DTMF\n");
    EXPECT_NE(Contents(copy), before);
}

TEST_F(DatabaseCommandsTest, ApplyRefusesWhatIsNoFieldsAndChangesNothing) {
    const std::string before = Contents(m_db);
    const std::pair<std::string, std::string> refused[] = {
        {R"({"deskset": {"colour": "red"}})", "deskset.colour: no such field.\n"},
        {R"({"deskset": {"mic_agc": true}})",
         "deskset.mic_agc: a field's value is a string or a number.\n"},
        {R"({"deskset": {"mic_agc": null}})", ": line 1: null is no value here.\n"},
        {"{\"deskset\": {\n\"mic_agc\": \"Yes\",}}", ": line 2: a member's name expected.\n"},
        {R"({"channels": [{"frequencies": [{"label": "\u20ac"}]}]})",
         "channels[0].frequencies[0].label: a character has no single-byte form.\n"},
        {R"({"speed_pages": [7]})", "speed_pages[0]: a record is an object of fields.\n"},
        {R"({"deskset": {"mic_agc": "Yes", "mic_agc": "No"}})",
         ": line 1: the member \"mic_agc\" comes twice.\n"},
        {R"({"deskset": {"mute_timer_s": 012}})", ": line 1: a value expected.\n"},
        {R"({"speed_pages": [{"label": "X", "colour": "red"}]})",
         "speed_pages[0]: colour: no such field.\n"},
        {R"([1])", "The document must be a JSON object, as dump --json writes it.\n"},
        {R"({"deskset": {"mute_timer_s": 61}, "a": {"b": 1}})",
         "a.b: no such field.\ndeskset.mute_timer_s: Please enter a number between 0 and 60.\n"},
    };
    for (const auto& [json, message] : refused) {
        EXPECT_EQ(Run({"apply", m_db, WriteCsv(json)}), 1) << json;
        EXPECT_THAT(m_err.str(), HasSubstr(message)) << json;
        EXPECT_EQ(Contents(m_db), before) << json;
    }
}

TEST_F(DatabaseCommandsTest, DiffListsTheDifferingFieldsAndExitsLikeDiff) {
    const std::string copy = m_scratch.Path("copy.ddb");
    ASSERT_TRUE(WriteDatabaseFile(copy, m_image).Ok());
    EXPECT_EQ(Run({"diff", m_db, copy}), 0);
    EXPECT_EQ(m_out.str(), "");

    ConfigImage changed = m_image;
    ChannelRecord(changed, 2).SetLabel(0, "ENGINE");
    AliasRules::Write({"ZED", "99", AliasProtocol::Dtmf}, changed, std::nullopt);
    ASSERT_TRUE(WriteDatabaseFile(copy, changed).Ok());
    // An alias sorted in among the others is one record added, not every later one changed.
    EXPECT_EQ(Run({"diff", m_db, copy}), 1);
    EXPECT_EQ(m_out.str(),
              "Channel 3: frequencies[0].label: Freq 1 -> ENGINE\n"
              "PTT ID alias \"ZED\": added: ptt_id 99, protocol DTMF\n");
    // Speed pages match by label, custom tones by number, whatever their place.
    ASSERT_EQ(Run({"set", copy, "speed_pages[0].label=AAA", "speed_pages[2].digits=999",
                   "custom_tones[0].number=3", "buttons[6].function=Speed Page: ENG, 2"}),
              0)
        << m_err.str();
    EXPECT_EQ(Run({"diff", m_db, copy}), 1);
    EXPECT_THAT(m_out.str(), HasSubstr("Key 7: function: Speed Page: FIRE -> Speed Page: ENG, 2\n"
                                       "Speed page \"\"CHIEF\"\": removed: paging_format MOTO, "
                                       "digits 456\n"
                                       "Speed page \"FIRE\": digits: 123 -> 999\n"
                                       "Speed page \"AAA\": added: paging_format MOTO, digits 456\n"
                                       "Custom tone 2: removed: "));
    EXPECT_THAT(m_out.str(), HasSubstr("Custom tone 3: added: first_tone_hz 800.0, "));

    // Bytes that no field covers: the reserved areas, a channel record's last
    // byte, a paging format's bytes after its parameters.
    ConfigImage unnamed = m_image;
    const std::size_t bytes[] = {layout::kReservedAfterButtons, layout::kReservedAtEnd,
                                 layout::kImageSize - 1,
                                 layout::channel::kStart + 2 * layout::channel::kSize - 1,
                                 layout::manual_page::kStart + layout::manual_page::kReservedStart};
    for (const std::size_t at : bytes) {
        unnamed.SetU8(at, unnamed.U8(at) ^ 0x5A);
    }
    ASSERT_TRUE(WriteDatabaseFile(copy, unnamed).Ok());
    EXPECT_EQ(Run({"diff", m_db, copy}), 1);
    EXPECT_EQ(m_out.str(), "bytes outside the named fields that differ: 5\n");
    // A named field's byte is a field difference, not counted among them.
    ChannelRecord(unnamed, 0).SetDetectionFlag(15, true);
    ASSERT_TRUE(WriteDatabaseFile(copy, unnamed).Ok());
    EXPECT_EQ(Run({"diff", m_db, copy}), 1);
    EXPECT_EQ(m_out.str(),
              "Channel 1: frequencies[15].detection: No -> Yes\n"
              "bytes outside the named fields that differ: 5\n");

    EXPECT_EQ(Run({"diff", m_db, m_scratch.Path("none.ddb")}), 2);
    EXPECT_THAT(m_err.str(), HasSubstr("was not found."));
}

TEST_F(DatabaseCommandsTest, DumpNamesEveryFieldInTextAndJson) {
    ASSERT_EQ(Run({"dump", m_db}), 0);
    const std::string text = m_out.str();
    EXPECT_THAT(text, HasSubstr("\nspeed_pages[2].label = FIRE\n"));
    EXPECT_THAT(text, HasSubstr("\npaging_formats[0].base_format = Motorola 1+1\n"));
    EXPECT_THAT(text, HasSubstr("\nbuttons[6].function = Speed Page: FIRE\n"));
    EXPECT_THAT(text, HasSubstr("\ncustom_tones[1].first_tone_hz = 1234.5\n"));

    ASSERT_EQ(Run({"dump", "--json", m_db}), 0);
    QJsonParseError error;
    const QJsonObject root =
        QJsonDocument::fromJson(QByteArray::fromStdString(m_out.str()), &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError);
    EXPECT_THAT(root.keys(), ElementsAre("buttons", "channels", "custom_tones", "deskset",
                                         "paging_formats", "ptt_id_aliases", "speed_pages"));
    EXPECT_EQ(root["channels"].toArray().size(), 4);
    EXPECT_EQ(root["buttons"].toArray().size(), 18);
    const QJsonObject moto = root["paging_formats"][0].toObject();
    EXPECT_EQ(moto["slot"].toInt(), 1);
    EXPECT_EQ(moto["base_format"].toString(), "Motorola 1+1");
    EXPECT_EQ(moto["code_plan"].toString(), "B");
    EXPECT_EQ(moto["tone_1_duration_ms"].toInt(), 1000);
    const QJsonObject eng = root["speed_pages"][1].toObject();
    EXPECT_EQ(eng["label"].toString(), "ENG, 2");
    EXPECT_EQ(eng["paging_format"].toString(), "PHONE");
    EXPECT_EQ(root["ptt_id_aliases"][0]["protocol"].toString(), "DTMF");
    EXPECT_EQ(root["custom_tones"][1]["first_tone_hz"].toDouble(), 1234.5);
    EXPECT_EQ(root["custom_tones"][1]["number"].toInt(), 7);
}

TEST_F(DatabaseCommandsTest, DumpShowsSignedBytesWithTheirSign) {
    namespace c = layout::channel;
    struct Signed {
        layout::FieldSpec field;
        std::int8_t stored;
        std::string path;
        std::string shown;
    };
    const Signed rows[] = {
        {c::kRxAgcLevel, -1, "rx_agc_level_dbm", "-1"},
        {c::kTxLevel, -128, "tx_level_dbm", "-128"},
        {c::kHlgtLevel, 127, "hlgt_level_db", "127"},
        {c::kDcMonitorCurrent, -1, "dc_monitor_current_ma", "-0.5"},
        {c::kDcCurrents.At(0), -3, "frequencies[0].dc_current_ma", "-1.5"},
        {c::kDcCurrents.At(1), -128, "frequencies[1].dc_current_ma", "-64.0"},
        {c::kDcCurrents.At(2), 0, "frequencies[2].dc_current_ma", "0.0"},
    };
    ConfigImage image = m_image;
    for (const Signed& row : rows) {
        ChannelRecord(image, 1).SetU8(row.field, static_cast<std::uint8_t>(row.stored));
    }
    ASSERT_TRUE(WriteDatabaseFile(m_db, image).Ok());

    ASSERT_EQ(Run({"dump", m_db}), 0);
    const std::string text = m_out.str();
    ASSERT_EQ(Run({"dump", "--json", m_db}), 0);
    const QJsonObject channel =
        QJsonDocument::fromJson(QByteArray::fromStdString(m_out.str()))["channels"][1].toObject();
    for (const Signed& row : rows) {
        EXPECT_THAT(text, HasSubstr("\nchannels[1]." + row.path + " = " + row.shown + "\n"));
        const std::size_t dot = row.path.find('.');
        const QJsonValue value = dot == std::string::npos
                                     ? channel[QString::fromStdString(row.path)]
                                     : channel["frequencies"][std::stoi(row.path.substr(12))]
                                              [QString::fromStdString(row.path.substr(dot + 1))];
        EXPECT_EQ(value.toDouble(), std::stod(row.shown)) << row.path;
    }
}

TEST(CsvTextTest, QuotedFieldsKeepCommasQuotesAndLineBreaks) {
    const std::vector<std::string> fields = {"plain", "a,b", "say \"hi\"", "two\nlines", ""};
    const std::string record = CsvRecord(fields);
    EXPECT_EQ(record, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\",\r\n");
    const CsvDocument document = ReadCsv(record + "\nnext,row");
    ASSERT_TRUE(document.error.empty());
    ASSERT_EQ(document.rows.size(), 2u);
    EXPECT_EQ(document.rows[0].fields, fields);
    EXPECT_EQ(document.rows[1].line, 4u);  // after the quoted line break and a blank line
    EXPECT_THAT(document.rows[1].fields, ElementsAre("next", "row"));
}
