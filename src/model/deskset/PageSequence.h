// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which pages the channel wizard shows after the channel page, by channel
// keying and signaling option, and what each page is called.

#include <string_view>
#include <vector>

enum class PageCode {
    Channel = 0,  // the channel page, always first
    TonePlan1 = 1,
    TonePlan2 = 2,
    DcPlan = 3,
    StatAlert = 4,
    DtmfDecode = 5,
    DtmfSelectiveCall = 6,
    TalkPermitTone = 7,
    End = 8,
};

inline constexpr int kMaxPagesAfterChannelPage = 4;

// The pages after the channel page, in order, for keying and option radio
// indexes. A keying or option that no radio button stands for (an unknown
// stored code, index -1) adds no pages of its own, as keying None and option
// None do; the talk permit tone page is always there.
std::vector<PageCode> PagesAfterChannelPage(int keying, int option);

// "Tone Signaling Plan (part 1)" and the like; empty for the channel page.
std::string_view PageTitleSuffix(PageCode code);
int PageHelpTopic(PageCode code);
// Pages that check their fields when the user goes back as well.
bool PageValidatesOnBack(PageCode code);
