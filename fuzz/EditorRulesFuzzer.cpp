// SPDX-License-Identifier: GPL-3.0-or-later
// Every editor's model rules (load, check, write) on any image: the deskset
// settings, the channel wizard's pages, the paging formats, the speed pages,
// the custom paging tones and the buttons. The input patches a starting image
// and chooses what the user changes where an editor offers choices.
//
// Invariants, for each OK: no exception escapes; a refused OK writes nothing;
// an accepted one writes only the fields its editor declares; what was written
// passes the checks again; and a second OK with no change is a fixed point.

#include <algorithm>
#include <cstring>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "FuzzSupport.h"
#include "model/ButtonTable.h"
#include "model/ChannelRecord.h"
#include "model/ConfigImage.h"
#include "model/CustomPagingTone.h"
#include "model/ImageDefaults.h"
#include "model/ManualPage.h"
#include "model/PttIdAlias.h"
#include "model/SpeedPage.h"
#include "model/deskset/AliasForm.h"
#include "model/deskset/ButtonsForm.h"
#include "model/deskset/ChannelPageForm.h"
#include "model/deskset/DcPlanForm.h"
#include "model/deskset/DesksetSettingsForm.h"
#include "model/deskset/DtmfForm.h"
#include "model/deskset/PageSequence.h"
#include "model/deskset/StatAlertForm.h"
#include "model/deskset/TalkPermitToneForm.h"
#include "model/deskset/TonePlanForms.h"
#include "model/editing/ListTables.h"
#include "model/paging/CustomToneForm.h"
#include "model/paging/ManualPageForm.h"
#include "model/paging/PagingFormats.h"
#include "model/paging/SpeedPageForm.h"

namespace {

namespace c = layout::channel;

using ByteRange = std::pair<std::size_t, std::size_t>;  // first, end
using Declared = std::vector<ByteRange>;

void AddFields(Declared& ranges, std::size_t start, std::span<const layout::FieldSpec> fields) {
    for (const layout::FieldSpec& field : fields) {
        ranges.emplace_back(start + field.offset, start + field.End());
    }
}

void AddTable(Declared& ranges, const TableLayout& table) {
    ranges.emplace_back(table.start, table.start + table.recordSize * table.count);
}

void AddButtons(Declared& ranges) {
    ranges.emplace_back(
        layout::buttons::kStart,
        layout::buttons::kStart + ButtonTable::kCount * layout::buttons::kEntrySize);
}

std::size_t ChannelStart(std::size_t channel) {
    return c::kStart + c::kSize * channel;
}

void AddChannel(Declared& ranges, std::size_t channel) {
    AddFields(ranges, ChannelStart(channel), c::kFields);
    AddFields(ranges, ChannelStart(channel), c::dtmf::kFields);
    AddFields(ranges, ChannelStart(channel), c::stat_alert::kFields);
}

bool IsDeclared(const Declared& ranges, std::size_t offset) {
    for (const auto& [first, end] : ranges) {
        if (offset >= first && offset < end) {
            return true;
        }
    }
    return false;
}

// Compared a block at a time: the instrumented byte loop would cost the most here.
std::vector<std::size_t> ChangedBytes(const ConfigImage& before, const ConfigImage& after) {
    constexpr std::size_t kBlock = 64;
    std::vector<std::size_t> changed;
    const std::uint8_t* was = before.Bytes().data();
    const std::uint8_t* now = after.Bytes().data();
    for (std::size_t block = 0; block < ConfigImage::kSize; block += kBlock) {
        if (std::memcmp(was + block, now + block, kBlock) != 0) {
            for (std::size_t i = block; i < block + kBlock; ++i) {
                if (was[i] != now[i]) {
                    changed.push_back(i);
                }
            }
        }
    }
    return changed;
}

// One editor's OK with the form as loaded (plus the changes the input chose
// for the first OK); false when its checks refused it.
struct EditorOk {
    std::string name;
    Declared declared;
    std::function<bool(ConfigImage&, bool first)> ok;
};

void CheckOk(const EditorOk& editor, ConfigImage& image) {
    const std::string& name = editor.name;
    try {
        const ConfigImage before = image;
        if (!editor.ok(image, true)) {
            FUZZ_CHECK(image == before, name + ": a refused OK writes nothing");
            return;
        }
        for (const std::size_t i : ChangedBytes(before, image)) {
            FUZZ_CHECK(
                IsDeclared(editor.declared, i),
                name + ": OK writes only the declared fields (byte " + std::to_string(i) + ")");
        }
        const ConfigImage written = image;
        FUZZ_CHECK(editor.ok(image, false), name + ": what was written passes the checks again");
        FUZZ_CHECK(image == written, name + ": a second OK with no change writes nothing new");
    } catch (const std::exception& error) {
        FUZZ_CHECK(false, name + ": no exception escapes the rules (" + error.what() + ")");
    }
}

// What the input chose for the editors that offer choices.
struct Choices {
    std::optional<int> desksetType;  // the deskset type list index the user picks
    std::vector<std::uint8_t> buttonActions;
    std::vector<std::uint16_t> records;  // the records opened in each list, by position
};

// The records a list's editor opens: those the input picked, or else the first
// one in use. Every record of a full table would make a run too slow to fuzz.
template <class View>
std::vector<std::size_t> OpenedRecords(ConfigImage& image, std::size_t count,
                                       const std::vector<std::uint16_t>& picks) {
    std::vector<std::size_t> opened;
    for (const std::uint16_t pick : picks) {
        if (!View(image, pick % count).IsFree()) {
            opened.push_back(pick % count);
        }
    }
    for (std::size_t record = 0; picks.empty() && record < count; ++record) {
        if (!View(image, record).IsFree()) {
            return {record};
        }
    }
    return opened;
}

EditorOk DesksetSettingsOk(const Choices& choices) {
    Declared declared;
    AddFields(declared, layout::deskset::kStart, layout::deskset::kFields);
    if (choices.desksetType) {
        // The type change resets channels 2 to 4 and the keys a single channel lacks.
        for (std::size_t channel = 1; channel < c::kCount; ++channel) {
            AddChannel(declared, channel);
        }
        AddButtons(declared);
    }
    return {"deskset settings", declared, [choices](ConfigImage& image, bool first) {
                DesksetSettingsForm form = LoadDesksetSettings(image);
                if (first && choices.desksetType) {
                    form.desksetType = *choices.desksetType;
                }
                if (!ValidateDesksetSettings(form).Ok()) {
                    return false;
                }
                const DesksetTypeChange change = TypeChangeOf(image, form);
                FUZZ_CHECK(first || change == DesksetTypeChange::None,
                           "deskset settings: an unchanged form changes no deskset type");
                if (change == DesksetTypeChange::FourToSingle) {
                    MakeSingleChannel(image);
                } else if (change == DesksetTypeChange::SingleToFour) {
                    MakeFourChannel(image);
                }
                WriteDesksetSettings(form, image);
                return true;
            }};
}

// The channel wizard: every page loads from the record as it was, the pages
// check in order, and Finish writes them last page first.
struct ChannelPages {
    ChannelPageForm channel;
    DtmfForm dtmf;
    StatAlertForm statAlert;
    TonePlan1Form tonePlan1;
    TonePlan2Form tonePlan2;
    DcPlanForm dcPlan;
    TalkPermitToneForm talkPermit;
    std::vector<PageCode> after;

    explicit ChannelPages(const ChannelRecord& record)
        : channel(LoadChannelPage(record)),
          dtmf(LoadDtmf(record)),
          statAlert(LoadStatAlert(record)),
          tonePlan1(LoadTonePlan1(record)),
          tonePlan2(LoadTonePlan2(record)),
          dcPlan(LoadDcPlan(record)),
          talkPermit(LoadTalkPermitTone(record)),
          after(PagesAfterChannelPage(channel.keying, channel.option)) {}

    bool Validate() const {
        if (!ValidateChannelPage(channel).Ok()) {
            return false;
        }
        for (const PageCode page : after) {
            if (!ValidatePage(page)) {
                return false;
            }
        }
        return true;
    }

    void Write(ChannelRecord& record) const {
        for (auto page = after.rbegin(); page != after.rend(); ++page) {
            WritePage(*page, record);
        }
        WriteChannelPage(channel, record);
    }

private:
    bool ValidatePage(PageCode page) const {
        switch (page) {
            case PageCode::TonePlan1:
                return ValidateTonePlan1(tonePlan1).Ok();
            case PageCode::StatAlert:
                return ValidateStatAlert(statAlert).Ok();
            case PageCode::DtmfDecode:
            case PageCode::DtmfSelectiveCall:
                return ValidateDtmf(dtmf).Ok();
            case PageCode::TalkPermitTone:
                return ValidateTalkPermitTone(talkPermit).Ok();
            default:
                return true;  // the other pages have nothing to check
        }
    }

    void WritePage(PageCode page, ChannelRecord& record) const {
        switch (page) {
            case PageCode::TonePlan1:
                return WriteTonePlan1(tonePlan1, record);
            case PageCode::TonePlan2:
                return WriteTonePlan2(tonePlan2, record);
            case PageCode::DcPlan:
                return WriteDcPlan(dcPlan, record);
            case PageCode::StatAlert:
                return WriteStatAlert(statAlert, record);
            case PageCode::DtmfDecode:
            case PageCode::DtmfSelectiveCall:
                return WriteDtmf(dtmf, record);
            case PageCode::TalkPermitTone:
                return WriteTalkPermitTone(talkPermit, record);
            default:
                return;
        }
    }
};

EditorOk ChannelOk(std::size_t channel) {
    Declared declared;
    AddChannel(declared, channel);
    return {"channel " + std::to_string(channel + 1), declared,
            [channel](ConfigImage& image, bool) {
                ChannelRecord record(image, channel);
                const ChannelPages pages(record);
                if (!pages.Validate()) {
                    return false;
                }
                pages.Write(record);
                return true;
            }};
}

// A paging format record in its editor, as the record dialogs' rules take it.
struct ManualPageRules {
    using Form = ManualPageForm;
    static Form Load(ConfigImage& image, std::optional<std::size_t> record) {
        return LoadManualPage(*EditorOf(ManualPage(image, *record).BaseFormat()), image, *record);
    }
    static Validation<PagingField> Validate(const Form& form, const ConfigImage& image,
                                            std::optional<std::size_t>) {
        return ValidateManualPage(form, image);
    }
    static std::size_t Write(const Form& form, ConfigImage& image,
                             std::optional<std::size_t> record) {
        const std::optional<std::size_t> written = WriteManualPage(form, image);
        FUZZ_CHECK(written == record, "paging format: an edited record stays where it is");
        return *written;
    }
};

// A list's record dialog on an existing record; a record that moves (the
// sorted speed pages, a renumbered tone) is opened again where it went.
template <class Rules>
EditorOk RecordOk(std::string name, Declared declared, std::size_t record) {
    auto at = std::make_shared<std::size_t>(record);
    return {std::move(name), std::move(declared), [at](ConfigImage& image, bool) {
                const auto form = Rules::Load(image, *at);
                if (!Rules::Validate(form, image, *at).Ok()) {
                    return false;
                }
                *at = Rules::Write(form, image, *at);
                return true;
            }};
}

void ApplyButtonActions(const ConfigImage& image, ButtonsWorkingCopy& keys,
                        const std::vector<std::uint8_t>& actions) {
    fuzz::InputReader in(actions.data(), actions.size());
    while (!in.AtEnd()) {
        const int action = in.Below(8);
        if (action == 0) {
            keys.ClearAll();
            continue;
        }
        if (action == 1) {
            keys.Undo();
            continue;
        }
        const std::size_t key = static_cast<std::size_t>(in.Below(ButtonTable::kCount));
        const ButtonChoices choices(image, keys.Entries(), key);
        const std::vector<KindChoice> kinds = choices.Kinds();
        if (kinds.empty()) {
            continue;
        }
        const std::uint8_t kind = kinds[in.Below(static_cast<int>(kinds.size()))].kind;
        const ValueList values = choices.Values(kind);
        std::optional<std::uint8_t> value;
        if (values.shown && !values.values.empty()) {
            value = values.values[in.Below(static_cast<int>(values.values.size()))].value;
        }
        if (const std::optional<ButtonEntry> entry = choices.Chosen(kind, value)) {
            keys.Change(key, *entry);
        }
    }
}

EditorOk ButtonsOk(const Choices& choices) {
    Declared declared;
    AddButtons(declared);
    return {"buttons", declared, [choices](ConfigImage& image, bool first) {
                ButtonsWorkingCopy keys(image);
                keys.RefreshLabels(image);
                if (first) {
                    ApplyButtonActions(image, keys, choices.buttonActions);
                }
                keys.WriteTo(image);
                return true;
            }};
}

void RunRecordEditors(ConfigImage& image, const Choices& choices) {
    for (const std::size_t record :
         OpenedRecords<ManualPage>(image, layout::manual_page::kCount, choices.records)) {
        const ManualPage page(image, record);
        if (EditorOf(page.BaseFormat()) != nullptr) {
            const Declared declared{{page.Start(), page.Start() + layout::manual_page::kSize}};
            CheckOk(RecordOk<ManualPageRules>("paging format " + std::to_string(record), declared,
                                              record),
                    image);
        }
    }
    for (const std::size_t record :
         OpenedRecords<SpeedPage>(image, layout::speed_page::kCount, choices.records)) {
        Declared declared;
        AddTable(declared, list_tables::kSpeedPages);
        AddButtons(declared);  // the keys follow the speed pages they send
        CheckOk(RecordOk<SpeedPageRules>("speed page " + std::to_string(record), declared, record),
                image);
    }
    for (const std::size_t record :
         OpenedRecords<CustomPagingTone>(image, layout::custom_tone::kCount, choices.records)) {
        Declared declared;
        AddTable(declared, list_tables::kCustomTones);
        CheckOk(
            RecordOk<CustomToneRules>("custom tone " + std::to_string(record), declared, record),
            image);
    }
    for (const std::size_t record :
         OpenedRecords<PttIdAlias>(image, layout::alias::kCount, choices.records)) {
        Declared declared;
        AddTable(declared, list_tables::kAliases);
        CheckOk(RecordOk<AliasRules>("alias " + std::to_string(record), declared, record), image);
    }
}

// The starting image, the patches on it and the user's choices.
Choices ReadImageAndChoices(fuzz::InputReader& in, ConfigImage& image) {
    const int base = in.Below(4);  // 1: all zero
    if (base == 2) {
        std::fill(image.Bytes().begin(), image.Bytes().end(), 0xFF);
    } else if (base != 1) {
        SetImageDefaults(image);
    }
    Choices choices;
    while (!in.AtEnd()) {
        switch (in.Below(5)) {
            case 0: {
                const std::size_t offset = in.U16() % ConfigImage::kSize;
                const std::vector<std::uint8_t> bytes = in.Bytes(in.Below(64));
                for (std::size_t i = 0; i < bytes.size(); ++i) {
                    image.SetU8((offset + i) % ConfigImage::kSize, bytes[i]);
                }
                break;
            }
            case 1:
                image.SetU8(in.U16() % ConfigImage::kSize, in.Byte());
                break;
            case 2:
                choices.desksetType = in.Below(3) - 1;
                break;
            case 3:
                choices.records.push_back(in.U16());
                break;
            default:
                choices.buttonActions.push_back(in.Byte());
                break;
        }
    }
    return choices;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    ConfigImage image;
    const Choices choices = ReadImageAndChoices(in, image);

    CheckOk(DesksetSettingsOk(choices), image);
    for (std::size_t channel = 0; channel < c::kCount; ++channel) {
        CheckOk(ChannelOk(channel), image);
    }
    RunRecordEditors(image, choices);
    CheckOk(ButtonsOk(choices), image);
    return 0;
}
