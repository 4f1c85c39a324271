// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/ChannelLists.h"

#include <string>

#include "model/deskset/ChannelConversions.h"

const ChoiceList& LevelList() {
    static const ChoiceList list = [] {
        std::vector<std::string> entries;
        for (int dbm = kLowestLevel; dbm <= kHighestLevel; ++dbm) {
            entries.push_back(LevelText(dbm));
        }
        return ChoiceList(std::move(entries));
    }();
    return list;
}

const ChoiceList& DcCurrentList() {
    static const ChoiceList list = [] {
        std::vector<std::string> entries;
        for (int half = -31; half <= 31; ++half) {
            entries.push_back(DcCurrentText(static_cast<std::int8_t>(half)));
        }
        return ChoiceList(std::move(entries));
    }();
    return list;
}

const ChoiceList& ToneList() {
    static const ChoiceList list = [] {
        std::vector<std::string> entries{std::string(kNoTone)};
        for (int hertz = 550; hertz <= 2050; hertz += 100) {
            entries.push_back(std::to_string(hertz));
        }
        return ChoiceList(std::move(entries));
    }();
    return list;
}

const ChoiceList& GuardToneList() {
    static const ChoiceList list({"2100", "2175", "2300", "2325"});
    return list;
}

const ChoiceList& KeyingList() {
    static const ChoiceList list({"Tone", "DC", "None"});
    return list;
}

const ChoiceList& SignalingOptionList() {
    static const ChoiceList list({"None", "Stat Alert", "DTMF Decode", "DTMF Selective Call"});
    return list;
}

const ChoiceList& InterfaceList() {
    static const ChoiceList list({"2 Wires", "4 Wires", "4 Wires (duplex)", "4 Wires Full Duplex"});
    return list;
}

const ChoiceList& TerminationList() {
    static const ChoiceList list({"600", "10 000"});
    return list;
}

const ChoiceList& ParallelStatusList() {
    static const ChoiceList list({"Parallel Off", "Parallel Lobl", "Parallel Status"});
    return list;
}

const ChoiceList& CrossMuteList() {
    static const ChoiceList list({"RCU Off", "RCU On", "RCU Cross Mute"});
    return list;
}

const ChoiceList& AssignmentList() {
    static const ChoiceList list({"None", "1", "2", "3", "4"});
    return list;
}

const ChoiceList& DigitCountList() {
    static const ChoiceList list = ChoiceList::Numbers(1, 8);
    return list;
}

const ChoiceList& RetryConstantList() {
    static const ChoiceList list = ChoiceList::Numbers(2, 17);
    return list;
}

int LevelIndex(std::int8_t dbm) {
    return LevelList().IndexOf(LevelText(dbm));
}

std::optional<std::int8_t> LevelOfEntry(int index) {
    const std::optional<int> level = LevelFromText(LevelList().At(index));
    if (!level) {
        return std::nullopt;
    }
    return static_cast<std::int8_t>(*level);
}

int DcCurrentIndex(std::int8_t halfMilliamperes) {
    return DcCurrentList().IndexOf(DcCurrentText(halfMilliamperes));
}

std::int8_t DcCurrentOfEntry(int index) {
    return DcCurrentFromText(DcCurrentList().At(index));
}

int ToneIndex(std::uint16_t tenthsOfHz) {
    return ToneList().IndexOf(ToneText(tenthsOfHz));
}

int GuardToneIndex(std::uint16_t tenthsOfHz) {
    return GuardToneList().IndexOf(GuardToneText(tenthsOfHz));
}

std::uint16_t ToneOfEntry(const ChoiceList& list, int index) {
    return ToneFromText(list.At(index));
}
