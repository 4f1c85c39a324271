#include "model/fleet/DatabaseFields.h"

#include <algorithm>
#include <array>
#include <map>

#include "model/ButtonTable.h"
#include "model/ChannelRecord.h"
#include "model/CustomPagingTone.h"
#include "model/DesksetSettings.h"
#include "model/ManualPage.h"
#include "model/PttIdAlias.h"
#include "model/SpeedPage.h"
#include "model/deskset/ButtonsForm.h"
#include "model/deskset/ChannelCodes.h"
#include "model/deskset/ChannelLists.h"
#include "model/deskset/ChannelPageForm.h"
#include "model/deskset/DesksetSettingsForm.h"
#include "model/editing/ChoiceList.h"
#include "model/editing/ListTables.h"
#include "model/editing/RecordTable.h"
#include "model/paging/CustomToneForm.h"
#include "model/paging/ManualPageForm.h"

namespace {

namespace d = layout::deskset;
namespace c = layout::channel;

std::string Indexed(std::string_view name, std::size_t index) {
    return std::string(name) + "[" + std::to_string(index) + "]";
}

// The stored value of a numeric field as shown: tenths of a hertz as "1500.0".
std::string Shown(const RecordView& record, const layout::FieldSpec& field) {
    long value = 0;
    switch (field.storage) {
        case layout::Storage::S8:
            value = record.S8(field);
            break;
        case layout::Storage::U16:
            value = record.U16(field);
            break;
        default:
            value = record.U8(field);
            break;
    }
    return field.scale == 10 ? ShowToneTenths(value) : std::to_string(value / field.scale);
}

// A list entry's text with runs of spaces closed up ("1200   bps" reads "1200 bps");
// a code outside the list shows its number.
std::string ListText(const ChoiceList& list, int code) {
    const std::string_view entry = list.At(list.IndexOfCode(code));
    if (entry.empty()) {
        return std::to_string(code);
    }
    std::string text;
    for (const char ch : entry) {
        if (ch != ' ' || (!text.empty() && text.back() != ' ')) {
            text += ch;
        }
    }
    return text;
}

std::string YesNo(bool on) {
    return on ? "Yes" : "No";
}

// A field name from a dialog label: "Tone &1 duration (ms)" is "tone_1_duration_ms".
std::string FieldName(std::string_view label) {
    std::string name;
    for (const char ch : label) {
        if (ch == '&') {
            continue;
        }
        const bool word =
            (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
        if (word) {
            name += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
        } else if (!name.empty() && name.back() != '_') {
            name += '_';
        }
    }
    while (!name.empty() && name.back() == '_') {
        name.pop_back();
    }
    return name;
}

class Catalogue {
public:
    explicit Catalogue(ConfigImage& image) : m_image(image) {}

    std::vector<DatabaseField> Build() {
        Deskset();
        for (std::size_t k = 0; k < c::kCount; ++k) {
            Channel(k);
        }
        Buttons();
        PagingFormats();
        SpeedPages();
        CustomTones();
        Aliases();
        return std::move(m_fields);
    }

private:
    void Text(const std::string& path, std::string value) {
        m_fields.push_back({path, std::move(value), false});
    }
    void Number(const std::string& path, std::string value) {
        m_fields.push_back({path, std::move(value), true});
    }
    void Number(const std::string& path, const RecordView& record, const layout::FieldSpec& field) {
        Number(path, Shown(record, field));
    }

    void Deskset() {
        const DesksetSettings s(m_image);
        const std::string p = "deskset.";
        const std::uint8_t type = s.DesksetType();
        Text(p + "type", type == d::kTypeSingleChannel ? std::string(DesksetTypeList().At(0))
                         : type == d::kTypeFourChannel ? std::string(DesksetTypeList().At(1))
                                                       : std::to_string(type));
        Text(p + "hour_mode", ListText(HourModeList(), s.U8(d::kHourMode)));
        Text(p + "display_time", YesNo(s.U8(d::kDisplayTime) != 0));
        Text(p + "printer_baud_rate", ListText(PrinterBaudRateList(), s.U8(d::kPrinterBaudRate)));
        Text(p + "use_unselect_speaker", YesNo(s.U8(d::kUseUnselectSpeaker) != 0));
        Text(p + "mute_level", ListText(MuteLevelList(), s.U8(d::kMuteLevel)));
        Number(p + "mute_timer_s", s, d::kMuteTimer);
        Number(p + "page_key_up_delay_s", s, d::kPageKeyUpDelay);
        Number(p + "paging_voice_annotation_s", s, d::kPagingVoiceAnnotation);
        Number(p + "transmit_delay_ms", s, d::kTransmitDelay);
        for (std::size_t r = 0; r < d::kRelayCount; ++r) {
            Text(p + Indexed("relay_latching", r), YesNo(s.U8(d::kRelayLatching.At(r)) != 0));
        }
        Text(p + "handset_present", YesNo(s.U8(d::kHandsetPresent) != 0));
        Text(p + "external_mic_present", YesNo(s.U8(d::kExternalMicPresent) != 0));
        Text(p + "mic_agc", YesNo(s.U8(d::kMicAgc) != 0));
        Text(p + "paging_feedback", ListText(PagingFeedbackList(), s.U8(d::kPagingFeedback)));
    }

    void Channel(std::size_t index) {
        static const ChoiceList keyings({"Tone", "DC", "None"});
        static const ChoiceList options(
            {"None", "Stat Alert", "DTMF Decode", "DTMF Selective Call"});
        const ChannelRecord r(m_image, index);
        const std::string p = Indexed("channels", index) + ".";
        Text(p + "keying", ListText(keyings, r.U8(c::kKeying)));
        Text(p + "signaling_option", ListText(options, r.U8(c::kSignalingOption)));
        Text(p + "deskset_id", r.Text(c::kDesksetId));
        Text(p + "interface", ListText(EntriesOf(ChannelList::Interface), r.U8(c::kInterface)));
        Text(p + "termination",
             ListText(EntriesOf(ChannelList::Termination), r.U8(c::kTermination)));
        Number(p + "rx_agc_level_dbm", r, c::kRxAgcLevel);
        Number(p + "tx_level_dbm", r, c::kTxLevel);
        Number(p + "hangover_delay_ms", r, c::kHangoverDelay);
        Text(p + "parallel_status",
             ListText(EntriesOf(ChannelList::ParallelStatus), r.U8(c::kParallelStatus)));
        Text(p + "cross_mute", ListText(EntriesOf(ChannelList::CrossMute), r.U8(c::kCrossMute)));
        const std::pair<const char*, layout::FieldSpec> assignments[] = {
            {"ptt_relay", c::kPttRelay},
            {"monitor_relay", c::kMonitorRelay},
            {"encrypt_relay", c::kEncryptRelay},
            {"e_lead", c::kELead},
            {"ptt_sense", c::kPttSense},
            {"encrypt_sense", c::kEncryptSense},
            {"signaling_relay", c::kSignalingRelay},
        };
        for (const auto& [name, field] : assignments) {
            Text(p + name, ListText(AssignmentList(), r.U8(field)));
        }
        Text(p + "monitor_latching", YesNo(r.U8(c::kMonitorLatching) != 0));
        const std::pair<const char*, layout::FieldSpec> numbers[] = {
            {"guard_tone_hz", c::kGuardToneFrequency},
            {"hlgt_duration_ms", c::kHlgtDuration},
            {"hlgt_level_db", c::kHlgtLevel},
            {"llgt_level_db", c::kLlgtLevel},
            {"function_tone_duration_ms", c::kFunctionToneDuration},
            {"function_tone_level_db", c::kFunctionToneLevel},
            {"monitor_tone_hz", c::kMonitorTone},
            {"repeater_enable_tone_hz", c::kRepeaterEnableTone},
            {"repeater_disable_tone_hz", c::kRepeaterDisableTone},
            {"encryption_coded_tone_hz", c::kEncryptionCodedTone},
            {"encryption_clear_tone_hz", c::kEncryptionClearTone},
            {"wildcard_1_on_tone_hz", c::kWildcard1OnTone},
            {"wildcard_1_off_tone_hz", c::kWildcard1OffTone},
            {"wildcard_2_on_tone_hz", c::kWildcard2OnTone},
            {"wildcard_2_off_tone_hz", c::kWildcard2OffTone},
            {"talk_permit_time_out_ms", c::kTalkPermitTimeOut},
            {"talk_permit_frequency_hz", c::kTalkPermitFrequency},
            {"talk_permit_beep_duration_ms", c::kTalkPermitBeepDuration},
            {"talk_permit_pause_duration_ms", c::kTalkPermitPauseDuration},
            {"talk_permit_beep_count", c::kTalkPermitBeepCount},
            {"talk_permit_post_time_ms", c::kTalkPermitPostTime},
        };
        for (const auto& [name, field] : numbers) {
            Number(p + name, r, field);
        }
        Number(p + "dc_monitor_current_ma", HalfMilliamperes(r.S8(c::kDcMonitorCurrent)));
        for (std::size_t f = 0; f < c::kFrequencyCount; ++f) {
            const std::string q = p + Indexed("frequencies", f) + ".";
            Text(q + "label", r.Label(f));
            Number(q + "function_tone_hz", ShowToneTenths(r.FunctionTone(f)));
            if (f < c::kDcFrequencyCount) {
                Number(q + "dc_current_ma", HalfMilliamperes(r.DcCurrent(f)));
            }
            Text(q + "detection", YesNo(r.DetectionFlag(f)));
        }
        SignalingData(r, p);
    }

    // The option data in the layout the stored option chooses.
    void SignalingData(const ChannelRecord& r, const std::string& p) {
        namespace dt = c::dtmf;
        namespace sa = c::stat_alert;
        switch (channel_codes::LayoutOfOption(r.U8(c::kSignalingOption))) {
            case channel_codes::OptionLayout::Dtmf:
                Number(p + "dtmf.min_digits", r, dt::kMinDigits);
                Number(p + "dtmf.max_digits", r, dt::kMaxDigits);
                Number(p + "dtmf.digit_duration_ms", r, dt::kDigitDuration);
                Number(p + "dtmf.interdigit_timing_ms", r, dt::kInterdigitTiming);
                break;
            case channel_codes::OptionLayout::StatAlert: {
                const std::pair<const char*, layout::FieldSpec> fields[] = {
                    {"mode", sa::kMode},
                    {"leading_pretime_ms", sa::kLeadingPretime},
                    {"trailing_pretime_ms", sa::kTrailingPretime},
                    {"pretime_kind", sa::kPretimeKind},
                    {"rac_mode", sa::kRacMode},
                    {"default_rac", sa::kDefaultRac},
                    {"rac_pretime_ms", sa::kRacPretime},
                    {"retry_constant", sa::kRetryConstant},
                    {"limited_patience_s", sa::kLimitedPatience},
                    {"busy_timer", sa::kBusyTimer},
                    {"dos_coast_ms", sa::kDosCoast},
                    {"emergency_acknowledge", sa::kEmergencyAcknowledge},
                };
                for (const auto& [name, field] : fields) {
                    Number(p + "stat_alert." + name, r, field);
                }
                break;
            }
            case channel_codes::OptionLayout::None:
                break;
        }
    }

    static std::string HalfMilliamperes(int half) {
        const int whole = (half < 0 ? -half : half) / 2;
        return std::string(half < 0 ? "-" : "") + std::to_string(whole) +
               ((half % 2) != 0 ? ".5" : ".0");
    }

    void Buttons() {
        const ButtonTable table(m_image);
        for (std::size_t k = 0; k < ButtonTable::kCount; ++k) {
            const ButtonEntry entry{table.KindCode(k), table.Value(k)};
            const std::string p = Indexed("buttons", k) + ".";
            const auto kind = KindName(entry.kind);
            Text(p + "kind", kind ? std::string(*kind) : std::to_string(entry.kind));
            Text(p + "function", KeyFunction(m_image, entry));
        }
    }

    void PagingFormats() {
        std::size_t position = 0;
        for (std::size_t record : RecordTable(m_image, list_tables::kManualPages).UsedRecords()) {
            const ManualPage page(m_image, record);
            const std::string p = Indexed("paging_formats", position++) + ".";
            Number(p + "slot", std::to_string(record + 1));
            Text(p + "label", page.Label());
            Text(p + "base_format", BaseFormatName(page.BaseFormat()));
            const FormatEditor* editor = EditorOf(page.BaseFormat());
            if (!editor) {
                continue;
            }
            const ManualPageForm form = LoadManualPage(*editor, m_image, record);
            for (std::size_t k = 0; k < editor->parameters.size(); ++k) {
                Parameter(p + FieldName(editor->parameters[k].label), editor->parameters[k],
                          form.values[k]);
            }
        }
    }

    void Parameter(const std::string& path, const FormatParameter& parameter,
                   const ParameterValue& value) {
        switch (parameter.kind) {
            case ParameterKind::Duration:
                Number(path, value.text);
                break;
            case ParameterKind::CheckBox:
                Text(path, YesNo(value.index == 1));
                break;
            case ParameterKind::List:
            case ParameterKind::PulseStandardTone: {
                const bool listed =
                    value.index >= 0 && value.index < static_cast<int>(parameter.entries.size());
                std::string text = listed ? std::string(parameter.entries[value.index]) : "";
                Text(path, text.substr(std::min(text.find_first_not_of(' '), text.size())));
                break;
            }
        }
    }

    void SpeedPages() {
        std::size_t position = 0;
        for (std::size_t record : RecordTable(m_image, list_tables::kSpeedPages).UsedRecords()) {
            const SpeedPage page(m_image, record);
            const std::string p = Indexed("speed_pages", position++) + ".";
            Text(p + "label", page.Label());
            const std::uint8_t format = page.PagingFormat();
            const bool known =
                format < layout::manual_page::kCount && !ManualPage(m_image, format).IsFree();
            Text(p + "paging_format", known ? ManualPage(m_image, format).Label() : "");
            Text(p + "digits", page.Digits());
        }
    }

    void CustomTones() {
        std::size_t position = 0;
        for (std::size_t record : RecordTable(m_image, list_tables::kCustomTones).UsedRecords()) {
            const CustomPagingTone tone(m_image, record);
            const std::string p = Indexed("custom_tones", position++) + ".";
            Number(p + "number", std::to_string(record));
            Number(p + "first_tone_hz", ShowToneTenths(tone.FirstTone()));
            Number(p + "first_tone_ms", std::to_string(tone.FirstToneDuration()));
            Number(p + "intertone_delay_ms", std::to_string(tone.IntertoneDelay()));
            Number(p + "second_tone_hz", ShowToneTenths(tone.SecondTone()));
            Number(p + "second_tone_ms", std::to_string(tone.SecondToneDuration()));
            Number(p + "inhibit_delay_ms", std::to_string(tone.InhibitDelay()));
        }
    }

    void Aliases() {
        std::size_t position = 0;
        for (std::size_t record : RecordTable(m_image, list_tables::kAliases).UsedRecords()) {
            const PttIdAlias alias(m_image, record);
            const std::string p = Indexed("ptt_id_aliases", position++) + ".";
            Text(p + "label", alias.Label());
            Text(p + "ptt_id", alias.PttId());
            Text(p + "protocol", alias.IsDtmf() ? "DTMF" : "MDC1200");
        }
    }

    ConfigImage& m_image;
    std::vector<DatabaseField> m_fields;
};

// Which bytes of the image some field of the layout covers.
std::array<bool, layout::kImageSize> NamedBytes() {
    std::array<bool, layout::kImageSize> named{};
    const auto mark = [&named](std::size_t start, std::size_t size) {
        std::fill_n(named.begin() + static_cast<std::ptrdiff_t>(start), size, true);
    };
    mark(layout::kHeader, layout::kHeaderLength);
    for (const layout::FieldSpec& field : d::kFields) {
        mark(d::Absolute(field), field.Size());
    }
    mark(layout::buttons::kStart, layout::buttons::kCount * layout::buttons::kEntrySize);
    for (std::size_t k = 0; k < c::kCount; ++k) {
        const std::size_t record = c::kStart + k * c::kSize;
        for (const layout::FieldSpec& field : c::kFields) {
            mark(record + field.offset, field.Size());
        }
        mark(record + c::kSignalingData, c::kSignalingDataSize);
    }
    // The list tables' records are fields from end to end, but for the manual
    // pages' last bytes.
    const std::pair<const TableLayout*, std::size_t> tables[] = {
        {&list_tables::kManualPages, layout::manual_page::kReservedStart},
        {&list_tables::kCustomTones, layout::custom_tone::kSize},
        {&list_tables::kSpeedPages, layout::speed_page::kSize},
        {&list_tables::kAliases, layout::alias::kSize},
    };
    for (const auto& [table, used] : tables) {
        for (std::size_t k = 0; k < table->count; ++k) {
            mark(table->start + k * table->recordSize, used);
        }
    }
    return named;
}

}  // namespace

std::vector<DatabaseField> DatabaseFields(const ConfigImage& image) {
    // The editors' loads take a writable image; they only read it.
    ConfigImage copy = image;
    return Catalogue(copy).Build();
}

std::vector<FieldDifference> CompareDatabases(const ConfigImage& ours, const ConfigImage& theirs) {
    const std::vector<DatabaseField> ourFields = DatabaseFields(ours);
    std::map<std::string, std::string> theirValues;
    std::vector<std::string> theirOrder;
    for (DatabaseField& field : DatabaseFields(theirs)) {
        theirOrder.push_back(field.path);
        theirValues.emplace(field.path, std::move(field.value));
    }
    std::vector<FieldDifference> differences;
    for (const DatabaseField& field : ourFields) {
        const auto it = theirValues.find(field.path);
        const std::string theirs = it == theirValues.end() ? kNoField : it->second;
        if (theirs != field.value) {
            differences.push_back({field.path, field.value, theirs});
        }
        if (it != theirValues.end()) {
            theirValues.erase(it);
        }
    }
    // What only the other database holds (more records in a list table), in its order.
    for (const std::string& path : theirOrder) {
        if (const auto it = theirValues.find(path); it != theirValues.end()) {
            differences.push_back({path, kNoField, it->second});
        }
    }
    return differences;
}

std::size_t CountUnnamedByteDifferences(const ConfigImage& ours, const ConfigImage& theirs) {
    static const std::array<bool, layout::kImageSize> named = NamedBytes();
    std::size_t count = 0;
    for (std::size_t i = 0; i < layout::kImageSize; ++i) {
        count += !named[i] && ours.U8(i) != theirs.U8(i) ? 1 : 0;
    }
    return count;
}
