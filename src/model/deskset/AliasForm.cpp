// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/AliasForm.h"

#include "model/PttIdAlias.h"
#include "model/editing/CharFilter.h"
#include "model/editing/RecordTableEdit.h"

namespace {

namespace al = layout::alias;

constexpr std::size_t kMdcIdLength = 4;

RecordTable Aliases(const ConfigImage& image) {
    return RecordTable(image, list_tables::kAliases);
}

// True when an alias in use other than own has exactly this PTT ID.
bool PttIdTaken(const ConfigImage& image, std::string_view id, std::optional<std::size_t> own) {
    const RecordTable table = Aliases(image);
    for (const std::size_t i : table.UsedRecords()) {
        if (i != own &&
            image.Text(table.RecordStart(i) + al::kPttId.offset, al::kPttIdWidth) == id) {
            return true;
        }
    }
    return false;
}

using Refusal = std::optional<std::string>;

const FormRow<AliasForm> kRows[] = {
    TextRow<AliasForm, &AliasForm::label>("label", "&Label", static_cast<int>(AliasField::Label),
                                          al::kLabelWidth),
    {.name = "ptt_id",
     .label = "&PTT ID",
     .show = [](const AliasForm& f, const ConfigImage&) { return f.pttId; },
     .fill = [](AliasForm& f, const ConfigImage&, std::string_view v) -> Refusal {
         f.pttId = FilterPttId(v);
         return std::nullopt;
     },
     .field = static_cast<int>(AliasField::PttId),
     .width = al::kPttIdWidth,
     .filter = FilterPttId},
    {.name = "protocol",
     .label = "Protocol",
     .show =
         [](const AliasForm& f, const ConfigImage&) {
             return std::string(f.protocol == AliasProtocol::Dtmf ? "DTMF" : "MDC1200");
         },
     .fill = [](AliasForm& f, const ConfigImage&, std::string_view v) -> Refusal {
         if (v != "MDC1200" && v != "DTMF") {
             return "The protocol must be MDC1200 or DTMF.";
         }
         f.protocol = v == "DTMF" ? AliasProtocol::Dtmf : AliasProtocol::Mdc1200;
         return std::nullopt;
     },
     .control = RowControl::Radios,
     // By AliasProtocol.
     .choices =
         [](const AliasForm&, const ConfigImage&) {
             return std::vector<RowChoice>{{"&MDC1200 unit", "MDC1200"}, {"&DTMF unit", "DTMF"}};
         }},
};

}  // namespace

std::span<const FormRow<AliasForm>> AliasRules::Rows() {
    return kRows;
}

const std::vector<RowGroup>& AliasRules::Layout() {
    static const std::vector<RowGroup> layout = {{"", {"label"}},
                                                 {"Entry Config", {"protocol", "ptt_id"}}};
    return layout;
}

std::string FilterPttId(std::string_view text) {
    return ToUpperAscii(text);
}

bool ValidPttId(std::string_view id, AliasProtocol protocol) {
    if (protocol == AliasProtocol::Dtmf) {
        return AllWithin(id, charsets::kDtmf);
    }
    return id.size() == kMdcIdLength && AllWithin(id, charsets::kHex);
}

AliasForm AliasRules::Load(ConfigImage& image, std::optional<std::size_t> record) {
    if (!record) {
        return {};
    }
    const PttIdAlias alias(image, *record);
    return {alias.Label(), alias.PttId(),
            alias.IsDtmf() ? AliasProtocol::Dtmf : AliasProtocol::Mdc1200};
}

Validation<AliasField> AliasRules::Validate(const AliasForm& form, const ConfigImage& image,
                                            std::optional<std::size_t> record) {
    const bool dtmf = form.protocol == AliasProtocol::Dtmf;
    Validation<AliasField> result;
    result
        .Check(form.label.size() <= al::kLabelWidth, AliasField::Label,
               TooManyCharactersMessage(al::kLabelWidth))
        .Check(form.pttId.size() <= al::kPttIdWidth, AliasField::PttId,
               TooManyCharactersMessage(al::kPttIdWidth))
        .Check(!form.label.empty() && !form.pttId.empty(),
               form.label.empty() ? AliasField::Label : AliasField::PttId, kFieldsEmptyMessage)
        .Check(ValidPttId(form.pttId, form.protocol), AliasField::PttId,
               dtmf ? kDtmfPttIdMessage : kMdcPttIdMessage)
        .Check(!PttIdTaken(image, form.pttId, record), AliasField::PttId, kDuplicatePttIdMessage)
        .Check(!Aliases(image).LabelTaken(form.label, record), AliasField::Label,
               kDuplicateLabelMessage)
        .Check(record || !Aliases(image).IsFull(), AliasField::Label, kAliasTableFullMessage);
    return result;
}

std::size_t AliasRules::Write(const AliasForm& form, ConfigImage& image,
                              std::optional<std::size_t> record) {
    RecordTableEdit table(image, list_tables::kAliases);
    const std::optional<std::size_t> target = record ? record : table.LowestFree();
    if (!target) {
        return table.Count();
    }
    PttIdAlias alias(image, *target);
    alias.SetPttId(form.pttId);
    alias.SetLabel(form.label);
    alias.SetProtocol(form.protocol == AliasProtocol::Dtmf ? al::kProtocolDtmf
                                                           : al::kProtocolMdc1200);
    return table.IndexAfterMove(*target);
}

void AliasRules::Delete(ConfigImage& image, std::size_t record) {
    RecordTableEdit(image, list_tables::kAliases).RemoveAndCompact(record);
}
