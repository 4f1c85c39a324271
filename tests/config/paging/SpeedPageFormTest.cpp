// The speed page rules: the sorted, compact table with its keys following
// their records, the digit sequence of each base format and the checks on OK.

#include "config/paging/SpeedPageForm.h"

#include <gmock/gmock.h>

#include "app/ButtonTable.h"
#include "app/ImageDefaults.h"
#include "app/ManualPage.h"
#include "app/SpeedPage.h"
#include "config/paging/PagingFormats.h"

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
