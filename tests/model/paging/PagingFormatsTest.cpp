// SPDX-License-Identifier: GPL-3.0-or-later
// The base formats, the chooser and the editor table the paging dialogs are built from.

#include <gmock/gmock.h>

#include <algorithm>
#include <set>

#include "model/paging/PagingFormats.h"

using ::testing::ElementsAre;

TEST(PagingFormats, NamesByCodeAndUnknownCodesByNumber) {
    EXPECT_EQ(BaseFormatName(0), "Voice Alert");
    EXPECT_EQ(BaseFormatName(7), "Status Request");
    EXPECT_EQ(BaseFormatName(10), "Motorola 1+1");
    EXPECT_EQ(BaseFormatName(18), "DTMF Page Format");
    EXPECT_EQ(BaseFormatName(20), "Custom Page Tone");
    EXPECT_EQ(BaseFormatName(21), "Plectron Two Tone");
    EXPECT_EQ(BaseFormatName(22), "22");
    EXPECT_EQ(BaseFormatName(255), "255");
}

TEST(PagingFormats, ChooserOffersEveryEditableFormatOnceInAlphabeticalOrder) {
    const auto entries = ChooserEntries();
    ASSERT_EQ(entries.size(), 21u);
    EXPECT_EQ(entries.front().text, "Call Alert");
    EXPECT_EQ(entries.back().text, "Voice Alert");
    EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(),
                               [](const auto& a, const auto& b) { return a.text < b.text; }));
    std::set<BaseFormat> codes;
    for (const ChooserEntry& entry : entries) {
        codes.insert(entry.code);
        EXPECT_NE(EditorOf(static_cast<std::uint8_t>(entry.code)), nullptr) << entry.text;
    }
    EXPECT_EQ(codes.size(), 21u);
    EXPECT_FALSE(codes.contains(BaseFormat::PlectronTwoTone));
    const auto stat = std::find_if(entries.begin(), entries.end(), [](const auto& e) {
        return e.code == BaseFormat::StatusRequest;
    });
    EXPECT_EQ(stat->text, "Stat Request");
}

TEST(PagingFormats, EveryEditableCodeHasOneEditorAndTheOthersNone) {
    std::vector<int> generic;
    for (int code = 0; code < 256; ++code) {
        const FormatEditor* editor = EditorOf(static_cast<std::uint8_t>(code));
        if (code <= 20) {
            ASSERT_NE(editor, nullptr) << code;
            EXPECT_EQ(static_cast<int>(editor->code), code);
            if (editor->editor == "ManGenericNoCfgFV") {
                generic.push_back(code);
                EXPECT_TRUE(editor->parameters.empty());
                EXPECT_EQ(editor->title, editor->baseFormatText);
            }
        } else {
            EXPECT_EQ(editor, nullptr) << code;
        }
    }
    EXPECT_THAT(generic, ElementsAre(0, 2, 4, 5, 6, 7, 8, 9, 20));
    EXPECT_EQ(FormatEditors().size(), 21u);
}

TEST(PagingFormats, TitlesTextsAndHelpTopicsThatDiffer) {
    const FormatEditor& custom = *EditorOf(20);
    EXPECT_EQ(custom.title, "Custom Paging Tones");
    EXPECT_EQ(custom.baseFormatText, "Custom Paging Tones");
    EXPECT_EQ(custom.helpTopic, 76);
    EXPECT_EQ(EditorOf(13)->title, "Motorola 5 Tone");
    EXPECT_EQ(EditorOf(14)->title, "Motorola 6 Tone Paging Format");
    EXPECT_EQ(EditorOf(10)->title, "Motorola 1 + 1 Paging Format");
    EXPECT_EQ(EditorOf(10)->baseFormatText, "Motorola 1+1");
    EXPECT_EQ(EditorOf(18)->baseFormatText, "DTMF Page Format");
    const std::vector<std::pair<int, int>> topics = {
        {0, 169},  {1, 136},  {2, 159},  {3, 165},  {4, 161},  {5, 160},  {6, 132},
        {7, 168},  {8, 167},  {9, 166},  {10, 131}, {11, 141}, {12, 133}, {13, 142},
        {14, 143}, {15, 156}, {16, 157}, {17, 162}, {18, 134}, {19, 158}, {20, 76}};
    for (const auto& [code, topic] : topics) {
        EXPECT_EQ(EditorOf(static_cast<std::uint8_t>(code))->helpTopic, topic) << code;
    }
}

TEST(PagingFormats, ParametersStayInsideTheirBytesAndNeverOverlap) {
    for (const FormatEditor& editor : FormatEditors()) {
        std::set<std::size_t> bytes;
        for (const FormatParameter& parameter : editor.parameters) {
            EXPECT_GE(parameter.field.offset, 9u) << editor.editor;
            EXPECT_LE(parameter.field.End(), 21u) << editor.editor << " " << parameter.label;
            for (std::size_t b = parameter.field.offset; b < parameter.field.End(); ++b) {
                EXPECT_TRUE(bytes.insert(b).second) << editor.editor << " " << parameter.label;
            }
            const bool listed = parameter.kind == ParameterKind::List ||
                                parameter.kind == ParameterKind::PulseStandardTone;
            EXPECT_EQ(listed, !parameter.entries.empty()) << parameter.label;
            if (listed) {
                EXPECT_LT(parameter.newDefault, static_cast<int>(parameter.entries.size()));
            }
        }
    }
}

TEST(PagingFormats, ListsAndTheDialogOrderOfMotorola1Plus1) {
    const FormatEditor& mot1 = *EditorOf(10);
    std::vector<std::string_view> labels;
    for (const FormatParameter& p : mot1.parameters) {
        labels.push_back(p.label);
    }
    EXPECT_THAT(labels, ElementsAre("&Code plan", "&Group call delay (ms)", "&Inhibit delay (ms)",
                                    "Tone &1 duration (ms)", "Intertone &delay (ms)",
                                    "Tone &2 duration (ms)"));
    const auto plans = mot1.parameters[0].entries;
    ASSERT_EQ(plans.size(), 20u);
    EXPECT_EQ(plans[7], "J");
    EXPECT_EQ(plans[19], "W");
    EXPECT_THAT(EditorOf(11)->parameters[0].entries, ElementsAre("A", "B", "Z"));
    EXPECT_THAT(EditorOf(12)->parameters[0].entries, ElementsAre("X", "Y", "Z100", "Z400"));
    EXPECT_EQ(EditorOf(3)->parameters[1].entries[6], " 6");
    EXPECT_THAT(PulseStandardToneEntries(), ElementsAre("1500", "2805"));
    EXPECT_EQ(PulseStandardToneIndex(15000), 0);
    EXPECT_EQ(PulseStandardToneIndex(28050), 1);
    EXPECT_EQ(PulseStandardToneIndex(1500), -1);
}
