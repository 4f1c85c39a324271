// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/deskset/PageSequence.h"

#include <array>

#include "model/deskset/ChannelCodes.h"

namespace {

using enum PageCode;
using Row = std::array<PageCode, kMaxPagesAfterChannelPage>;
namespace cc = channel_codes;

// Rows by keying (Tone, DC, None), columns by signaling option
// (None, Stat Alert, DTMF decode, DTMF selective call).
constexpr std::array<std::array<Row, cc::kOptionCount>, cc::kKeyingCount> kSequences{{
    {{
        {TonePlan1, TonePlan2, TalkPermitTone, End},
        {TonePlan1, TonePlan2, TalkPermitTone, StatAlert},
        {TonePlan1, TonePlan2, TalkPermitTone, DtmfDecode},
        {TonePlan1, TonePlan2, TalkPermitTone, DtmfSelectiveCall},
    }},
    {{
        {DcPlan, TalkPermitTone, End, End},
        {DcPlan, TalkPermitTone, StatAlert, End},
        {DcPlan, TalkPermitTone, DtmfDecode, End},
        {DcPlan, TalkPermitTone, DtmfSelectiveCall, End},
    }},
    {{
        {TalkPermitTone, End, End, End},
        {TalkPermitTone, StatAlert, End, End},
        {TalkPermitTone, DtmfDecode, End, End},
        {TalkPermitTone, DtmfSelectiveCall, End, End},
    }},
}};

struct PageInfo {
    std::string_view titleSuffix;
    int helpTopic;
    bool validatesOnBack;
};

constexpr std::array<PageInfo, 8> kPages{{
    {"", 126, false},
    {"Tone Signaling Plan (part 1)", 75, true},
    {"Tone Signaling Plan (part 2)", 114, false},
    {"DC Signaling Plan", 129, false},
    {"Stat Alert Setup", 187, true},
    {"DTMF Decode Setup", 188, true},
    {"DTMF Selective Call Setup", 186, true},
    {"Talk Permit Tone Setup", 102, true},
}};

const PageInfo& Info(PageCode code) {
    const auto index = static_cast<std::size_t>(code);
    return kPages.at(index < kPages.size() ? index : 0);
}

}  // namespace

std::vector<PageCode> PagesAfterChannelPage(int keying, int option) {
    const int row = keying >= 0 && keying < cc::kKeyingCount ? keying : cc::kKeyingNone;
    const int column = option >= 0 && option < cc::kOptionCount ? option : cc::kOptionNone;
    std::vector<PageCode> pages;
    for (const PageCode code : kSequences[row][column]) {
        if (code == End) {
            break;
        }
        pages.push_back(code);
    }
    return pages;
}

std::string_view PageTitleSuffix(PageCode code) {
    return Info(code).titleSuffix;
}

int PageHelpTopic(PageCode code) {
    return Info(code).helpTopic;
}

bool PageValidatesOnBack(PageCode code) {
    return Info(code).validatesOnBack;
}
