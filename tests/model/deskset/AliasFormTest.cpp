// SPDX-License-Identifier: GPL-3.0-or-later
// The PTT ID alias rules: the checks on OK in their order, the sorted write,
// the compacting delete, and the protocol byte as it is read and written.

#include "model/deskset/AliasForm.h"

#include <gmock/gmock.h>

#include "model/PttIdAlias.h"
#include "model/editing/RecordTable.h"

namespace {

namespace al = layout::alias;
using ::testing::ElementsAre;
using enum AliasProtocol;

class AliasFormTest : public ::testing::Test {
protected:
    std::size_t Write(const std::string& label, const std::string& id,
                      AliasProtocol protocol = Mdc1200,
                      std::optional<std::size_t> record = std::nullopt) {
        return AliasRules::Write({label, id, protocol}, m_image, record);
    }
    // The labels of the first records, free ones as "".
    std::vector<std::string> Labels(std::size_t count) {
        std::vector<std::string> labels;
        for (std::size_t i = 0; i < count; ++i) {
            labels.push_back(Alias(i).Label());
        }
        return labels;
    }
    PttIdAlias Alias(std::size_t i) { return PttIdAlias(m_image, i); }

    ConfigImage m_image;
};

}  // namespace

TEST_F(AliasFormTest, ChecksRunInOrderWithTheirFields) {
    Write("Base", "1234");
    const auto check = [this](const AliasForm& form, std::string_view message,
                              AliasField field = AliasField::PttId,
                              std::optional<std::size_t> record = std::nullopt) {
        const Validation<AliasField> result = AliasRules::Validate(form, m_image, record);
        EXPECT_EQ(result.message, message) << form.label << " / " << form.pttId;
        EXPECT_TRUE(result.Ok() || result.field == field) << form.label << " / " << form.pttId;
    };
    check({"ThirteenChars", "", Mdc1200}, "Please enter no more than 12 characters.",
          AliasField::Label);
    check({"", "123456789", Mdc1200}, "Please enter no more than 8 characters.");
    check({"", "1", Mdc1200}, kFieldsEmptyMessage, AliasField::Label);
    check({"Base", "", Mdc1200}, kFieldsEmptyMessage);
    // MDC 1200: exactly four hexadecimal digits; DTMF: 0-9, A-D, * and #.
    for (const char* id : {"123", "12345", "12G4", "12a4"}) {
        check({"Base", id, Mdc1200}, kMdcPttIdMessage);
    }
    check({"Base", "12E", Dtmf}, kDtmfPttIdMessage);
    check({"New", "ABCF", Mdc1200}, "");
    check({"New", "12*#", Dtmf}, "");
    check({"TwelveChars!", "12345678", Dtmf}, "");  // both full width
    // A taken PTT ID, whatever its protocol, before a taken label; labels
    // compare exactly. The edited alias may keep its own.
    check({"Base", "1234", Dtmf}, kDuplicatePttIdMessage);
    check({"Base", "5678", Mdc1200}, kDuplicateLabelMessage, AliasField::Label);
    check({"base", "5678", Mdc1200}, "");
    check({"Base", "1234", Mdc1200}, "", AliasField::Label, 0);
    AliasRules::Delete(m_image, 0);
    check({"Other", "1234", Mdc1200}, "");

    // A new alias needs a free record; an edit does not.
    for (std::size_t i = 0; i < al::kCount; ++i) {
        Alias(i).SetLabel("A" + std::to_string(i));
        Alias(i).SetPttId(std::to_string(i));
    }
    check({"New", "ABCF", Mdc1200}, kAliasTableFullMessage, AliasField::Label);
    check({"New", "ABCF", Mdc1200}, "", AliasField::Label, 3);

    EXPECT_EQ(FilterPttId("12ab*#z\xe9"), "12AB*#Z\xe9");  // as typed into the edit
}

TEST_F(AliasFormTest, WritesSortAndDeletesCompact) {
    EXPECT_EQ(Write("zeta", "1001"), 0u);
    EXPECT_EQ(Write("Alpha", "1002"), 0u);
    EXPECT_EQ(Write("beta", "1003"), 1u);
    EXPECT_THAT(Labels(3), ElementsAre("Alpha", "beta", "zeta"));

    // A rename moves the alias down or up, its PTT ID and protocol with it.
    EXPECT_EQ(Write("zz", "7*", Dtmf, 0), 2u);
    EXPECT_THAT(Labels(3), ElementsAre("beta", "zeta", "zz"));
    EXPECT_EQ(Alias(2).Protocol(), al::kProtocolDtmf);
    EXPECT_EQ(Write("Aa", "7*", Dtmf, 2), 0u);
    EXPECT_THAT(Labels(3), ElementsAre("Aa", "beta", "zeta"));
    EXPECT_EQ(Alias(0).PttId(), "7*");

    AliasRules::Delete(m_image, 0);
    EXPECT_THAT(Labels(3), ElementsAre("beta", "zeta", ""));
    EXPECT_EQ(Alias(0).PttId(), "1003");
    // With a gap in the table only the run after the deleted alias moves.
    Alias(3).SetLabel("x");
    AliasRules::Delete(m_image, 0);
    EXPECT_THAT(Labels(4), ElementsAre("zeta", "", "", "x"));
}

TEST_F(AliasFormTest, AnyProtocolButZeroIsDtmfAndIsWrittenBackAsThree) {
    Write("a", "1234");
    EXPECT_EQ(Alias(0).Protocol(), al::kProtocolMdc1200);
    EXPECT_EQ(AliasRules::Load(m_image, 0).protocol, Mdc1200);
    for (const std::uint8_t code : {1, 2, 7, 255}) {
        Alias(0).SetProtocol(code);
        const AliasForm form = AliasRules::Load(m_image, 0);
        EXPECT_EQ(form.protocol, Dtmf) << int(code);
        AliasRules::Write(form, m_image, 0);
        EXPECT_EQ(Alias(0).Protocol(), al::kProtocolDtmf) << int(code);
    }
}

// A full table: a rename that sorts the first alias last moves it, with its
// PTT ID and protocol, to the last record, and back; one step onto the last
// and the first record; equal labels ignoring case pass nobody.
TEST_F(AliasFormTest, RenamesMoveAcrossAFullTable) {
    for (std::size_t i = 0; i < al::kCount; ++i) {
        Alias(i).SetLabel("Unit " + std::to_string(1000 + i));
        Alias(i).SetPttId(std::to_string(1000 + i));
        Alias(i).SetProtocol(al::kProtocolMdc1200);
    }
    const auto rename = [this](std::size_t from, const std::string& label, std::size_t to) {
        SCOPED_TRACE(label);
        const std::string id = Alias(from).PttId();
        const AliasForm form{label, id, Dtmf};
        ASSERT_TRUE(AliasRules::Validate(form, m_image, from).Ok());
        EXPECT_EQ(AliasRules::Write(form, m_image, from), to);
        EXPECT_EQ(Alias(to).Label(), label);
        EXPECT_EQ(Alias(to).PttId(), id);
        EXPECT_EQ(Alias(to).Protocol(), al::kProtocolDtmf);
        for (std::size_t i = 1; i < al::kCount; ++i) {
            ASSERT_LE(CompareLabels(Alias(i - 1).Label(), Alias(i).Label()), 0) << i;
        }
    };
    rename(0, "zz", 249);
    EXPECT_EQ(Alias(0).Label(), "Unit 1001");
    EXPECT_EQ(Alias(248).Label(), "Unit 1249");
    rename(249, "AA", 0);
    EXPECT_EQ(Alias(1).Label(), "Unit 1001");
    rename(248, "Unit 1249 b", 249);
    rename(1, "A", 0);
    EXPECT_EQ(Alias(1).Label(), "AA");
    rename(100, "unit 1099", 100);
    rename(100, "UNIT 1101", 100);
    rename(100, "Unit 1100", 100);  // back to its old label, in place
}
