// The PTT ID alias rules: the checks on OK in their order, the write that
// keeps the table sorted, the delete that keeps it compact, and the protocol
// byte as it is read and written.

#include "config/deskset/AliasForm.h"

#include <gmock/gmock.h>

#include "app/PttIdAlias.h"

namespace {

namespace al = layout::alias;

class AliasFormTest : public ::testing::Test {
protected:
    // Writes an alias the way the editor does, new or over record.
    std::size_t Write(const std::string& label, const std::string& id,
                      AliasProtocol protocol = AliasProtocol::Mdc1200,
                      std::optional<std::size_t> record = std::nullopt) {
        return AliasRules::Write({label, id, protocol}, m_image, record);
    }
    Validation<AliasField> Validate(const AliasForm& form,
                                    std::optional<std::size_t> record = std::nullopt) {
        return AliasRules::Validate(form, m_image, record);
    }
    std::vector<std::string> Labels() {
        std::vector<std::string> labels;
        for (std::size_t i = 0; i < al::kCount; ++i) {
            labels.push_back(PttIdAlias(m_image, i).Label());
        }
        while (!labels.empty() && labels.back().empty()) {
            labels.pop_back();
        }
        return labels;
    }
    PttIdAlias Alias(std::size_t i) { return PttIdAlias(m_image, i); }

    ConfigImage m_image;
};

using ::testing::ElementsAre;

}  // namespace

TEST_F(AliasFormTest, ChecksRunInOrderWithTheirFields) {
    Write("Base", "1234");
    const auto refused = [this](const AliasForm& form, std::string_view message, AliasField field) {
        const Validation<AliasField> result = Validate(form);
        EXPECT_EQ(result.message, message) << form.label << " / " << form.pttId;
        EXPECT_EQ(result.field, field) << form.label << " / " << form.pttId;
    };
    using enum AliasProtocol;
    refused({"ThirteenChars", "", Mdc1200}, kAliasLabelLengthMessage, AliasField::Label);
    refused({"", "123456789", Mdc1200}, kAliasPttIdLengthMessage, AliasField::PttId);
    refused({"", "", Mdc1200}, kAliasEmptyFieldMessage, AliasField::Label);
    refused({"", "1", Mdc1200}, kAliasEmptyFieldMessage, AliasField::Label);
    refused({"Base", "", Mdc1200}, kAliasEmptyFieldMessage, AliasField::PttId);

    // MDC 1200: exactly four hexadecimal digits; DTMF: 0-9, A-D, * and #.
    for (const char* id : {"123", "12345", "12G4", "12a4", "12*4"}) {
        refused({"Base", id, Mdc1200}, kMdcPttIdMessage, AliasField::PttId);
    }
    for (const char* id : {"12E", "1 2", "12a", "F"}) {
        refused({"Base", id, Dtmf}, kDtmfPttIdMessage, AliasField::PttId);
    }
    EXPECT_TRUE(Validate({"New", "ABCF", Mdc1200}).Ok());
    EXPECT_TRUE(Validate({"New", "12*#", Dtmf}).Ok());
    EXPECT_TRUE(Validate({"New", "0123ABCD", Dtmf}).Ok());

    // A taken PTT ID (whatever the protocol) is refused before a taken label;
    // labels compare exactly, case and all.
    refused({"Base", "1234", Dtmf}, kDuplicatePttIdMessage, AliasField::PttId);
    refused({"Base", "5678", Mdc1200}, kDuplicateAliasLabelMessage, AliasField::Label);
    EXPECT_TRUE(Validate({"base", "5678", Mdc1200}).Ok());

    // The edited alias may keep its own label and PTT ID.
    EXPECT_TRUE(Validate({"Base", "1234", Mdc1200}, 0).Ok());

    // Once the alias is gone, its PTT ID and label are free again.
    AliasRules::Delete(m_image, 0);
    EXPECT_TRUE(Validate({"Base", "1234", Mdc1200}).Ok());
}

TEST_F(AliasFormTest, WritesKeepTheTableSortedByLabel) {
    EXPECT_EQ(Write("zeta", "1001"), 0u);
    EXPECT_EQ(Write("Alpha", "1002"), 0u);
    EXPECT_EQ(Write("beta", "1003"), 1u);
    EXPECT_THAT(Labels(), ElementsAre("Alpha", "beta", "zeta"));
    EXPECT_EQ(Alias(2).PttId(), "1001");

    // A rename moves the alias down or up, its PTT ID and protocol with it.
    EXPECT_EQ(Write("zz", "7*", AliasProtocol::Dtmf, 0), 2u);
    EXPECT_THAT(Labels(), ElementsAre("beta", "zeta", "zz"));
    EXPECT_EQ(Alias(2).PttId(), "7*");
    EXPECT_EQ(Alias(2).Protocol(), al::kProtocolDtmf);
    EXPECT_EQ(Write("Aa", "7*", AliasProtocol::Dtmf, 2), 0u);
    EXPECT_THAT(Labels(), ElementsAre("Aa", "beta", "zeta"));
    EXPECT_EQ(Alias(1).PttId(), "1003");

    // Keeping the label keeps the place.
    EXPECT_EQ(Write("beta", "4321", AliasProtocol::Mdc1200, 1), 1u);
}

TEST_F(AliasFormTest, WriteFillsTheFieldsOverOldBytes) {
    PttIdAlias old = Alias(0);
    old.SetLabel("OLDOLDOLDOLD");
    old.SetPttId("ABCDEFGH");
    old.SetProtocol(9);
    AliasRules::Delete(m_image, 0);
    ASSERT_TRUE(old.IsFree());

    // A twelve-character label fills its field; the short PTT ID is NUL-padded.
    EXPECT_EQ(Write("TWELVE_CHARS", "12", AliasProtocol::Dtmf), 0u);
    EXPECT_EQ(Alias(0).Label(), "TWELVE_CHARS");
    for (std::size_t k = 2; k < al::kPttIdWidth; ++k) {
        EXPECT_EQ(Alias(0).U8(al::kPttId.offset + k), 0) << k;
    }
    EXPECT_EQ(Alias(0).Protocol(), al::kProtocolDtmf);
}

TEST_F(AliasFormTest, AnyProtocolButZeroIsDtmfAndIsWrittenBackAsThree) {
    Write("a", "1234");
    EXPECT_EQ(AliasRules::Load(m_image, 0).protocol, AliasProtocol::Mdc1200);
    EXPECT_EQ(Alias(0).Protocol(), al::kProtocolMdc1200);
    for (const std::uint8_t code : {1, 2, 3, 7, 255}) {
        Alias(0).SetProtocol(code);
        const AliasForm form = AliasRules::Load(m_image, 0);
        EXPECT_EQ(form.protocol, AliasProtocol::Dtmf) << int(code);
        AliasRules::Write(form, m_image, 0);
        EXPECT_EQ(Alias(0).Protocol(), al::kProtocolDtmf) << int(code);
    }
    const AliasForm fresh = AliasRules::Load(m_image, std::nullopt);
    EXPECT_EQ(fresh.protocol, AliasProtocol::Mdc1200);
    EXPECT_TRUE(fresh.label.empty() && fresh.pttId.empty());
}

TEST_F(AliasFormTest, DeleteClosesTheGap) {
    Write("a", "1111");
    Write("b", "2222", AliasProtocol::Dtmf);
    Write("c", "3333");
    AliasRules::Delete(m_image, 0);
    EXPECT_THAT(Labels(), ElementsAre("b", "c"));
    EXPECT_EQ(Alias(0).PttId(), "2222");
    EXPECT_EQ(Alias(0).Protocol(), al::kProtocolDtmf);
    EXPECT_EQ(Alias(1).PttId(), "3333");
    EXPECT_TRUE(Alias(2).IsFree());

    // A table from elsewhere with a gap: only the run after the deleted alias moves.
    Alias(3).SetLabel("x");
    AliasRules::Delete(m_image, 0);
    EXPECT_THAT(Labels(), ElementsAre("c", "", "", "x"));
    AliasRules::Delete(m_image, 3);
    EXPECT_THAT(Labels(), ElementsAre("c"));
}

TEST(AliasPttIdTest, TypedLettersBecomeUpperCase) {
    EXPECT_EQ(FilterPttId("12ab*#cdz"), "12AB*#CDZ");
    EXPECT_EQ(FilterPttId("\xe9"), "\xe9");  // only a to z change
}
