// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The channel page's working values and its rules: loading from a channel
// record, the checks on Next and writing on Finish.

#include <array>
#include <string>

#include "model/ChannelRecord.h"
#include "model/editing/Validation.h"

class ChoiceList;

// The lists of the channel page whose index is the stored code.
enum class ChannelList {
    SignalingRelay,
    CrossMute,
    ParallelStatus,
    Termination,
    Interface,
    PttRelay,
    PttSense,
    EncryptRelay,
    EncryptSense,
    MonitorRelay,
    ELead,
};
inline constexpr std::size_t kChannelListCount = 11;

const ChoiceList& EntriesOf(ChannelList list);

enum class ChannelPageField { DesksetId, Label, HangoverDelay };

struct ChannelPageForm {
    int keying = -1;  // radio indexes; -1 when the stored code has no radio button
    int option = -1;
    std::string desksetId;
    int txLevel = -1;  // LevelList indexes; -1 no selection
    int rxAgcLevel = -1;
    std::array<int, kChannelListCount> lists{};  // by ChannelList; -1 no selection
    bool monitorLatching = false;
    std::string label;  // frequency 1, edited here when the keying is None
    bool detection = false;
    std::string hangoverDelay;

    int& List(ChannelList list) { return lists[static_cast<std::size_t>(list)]; }
    int List(ChannelList list) const { return lists[static_cast<std::size_t>(list)]; }
};

ChannelPageForm LoadChannelPage(const ChannelRecord& record);
Validation<ChannelPageField> ValidateChannelPage(const ChannelPageForm& form);
void WriteChannelPage(const ChannelPageForm& form, ChannelRecord& record);

// What a keying or option radio click changes on the page: the deskset ID is
// kept only for the options that use it; the label shows for keying None only.
void ApplyRadioChoice(ChannelPageForm& form);
bool ShowsLabel(const ChannelPageForm& form);
