// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/ChannelPageForm.h"

#include "model/deskset/ChannelCodes.h"
#include "model/deskset/ChannelFields.h"
#include "model/deskset/ChannelFilters.h"
#include "model/deskset/ChannelLists.h"
#include "model/editing/FormFields.h"

namespace {

namespace c = layout::channel;
namespace cc = channel_codes;

// In ChannelList order.
constexpr std::array<Field, kChannelListCount> kListFields{
    channel_fields::kSignalingRelay, channel_fields::kCrossMute,    channel_fields::kParallelStatus,
    channel_fields::kTermination,    channel_fields::kInterface,    channel_fields::kPttRelay,
    channel_fields::kPttSense,       channel_fields::kEncryptRelay, channel_fields::kEncryptSense,
    channel_fields::kMonitorRelay,   channel_fields::kELead,
};

}  // namespace

const ChoiceList& EntriesOf(ChannelList list) {
    return kListFields[static_cast<std::size_t>(list)].list();
}

ChannelPageForm LoadChannelPage(const ChannelRecord& record) {
    ChannelPageForm form;
    form.keying = cc::RadioIndex(record.U8(c::kKeying), cc::kKeyingCount);
    form.option = cc::RadioIndex(record.U8(c::kSignalingOption), cc::kOptionCount);
    form.txLevel = LevelIndex(record.S8(c::kTxLevel));
    form.rxAgcLevel = LevelIndex(record.S8(c::kRxAgcLevel));
    if (cc::UsesDesksetId(form.option)) {
        form.desksetId = FilterDesksetId(record.Text(c::kDesksetId), form.option);
    }
    for (std::size_t k = 0; k < kChannelListCount; ++k) {
        form.lists[k] = LoadIndex(record, kListFields[k]);
    }
    form.monitorLatching = LoadFlag(record, channel_fields::kMonitorLatching);
    form.hangoverDelay = ShowNumber(record, channel_fields::kHangoverDelay);
    form.label = record.Label(0);
    form.detection = record.DetectionFlag(0);
    return form;
}

Validation<ChannelPageField> ValidateChannelPage(const ChannelPageForm& form) {
    Validation<ChannelPageField> result;
    result.Check(!cc::UsesDesksetId(form.option) || !form.desksetId.empty(),
                 ChannelPageField::DesksetId, "Deskset ID field cannot be empty.");
    result.Check(!ShowsLabel(form) || !form.label.empty(), ChannelPageField::Label,
                 "Channel/Frequency field cannot be empty.");
    result.Check(AcceptsNumber(channel_fields::kHangoverDelay, form.hangoverDelay),
                 ChannelPageField::HangoverDelay, channel_fields::kHangoverDelay.message);
    return result;
}

void WriteChannelPage(const ChannelPageForm& form, ChannelRecord& record) {
    StoreIndex(record, c::kKeying, form.keying);
    StoreIndex(record, c::kSignalingOption, form.option);
    if (const auto tx = LevelOfEntry(form.txLevel)) {
        record.SetS8(c::kTxLevel, *tx);
    }
    if (const auto rx = LevelOfEntry(form.rxAgcLevel)) {
        record.SetS8(c::kRxAgcLevel, *rx);
    }
    record.SetText(c::kDesksetId, form.desksetId);
    for (std::size_t k = 0; k < kChannelListCount; ++k) {
        StoreIndex(record, kListFields[k], form.lists[k]);
    }
    StoreFlag(record, channel_fields::kMonitorLatching, form.monitorLatching);
    StoreNumber(record, channel_fields::kHangoverDelay, form.hangoverDelay);
    if (ShowsLabel(form)) {
        record.SetLabel(0, form.label);
        record.SetDetectionFlag(0, form.detection);
    }
}

void ApplyRadioChoice(ChannelPageForm& form) {
    form.desksetId =
        cc::UsesDesksetId(form.option) ? FilterDesksetId(form.desksetId, form.option) : "";
}

bool ShowsLabel(const ChannelPageForm& form) {
    return form.keying == cc::kKeyingNone;
}
