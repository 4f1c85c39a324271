// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "link/CLayer2.h"

// A Layer 2 pair without framing: what one end sends, the other receives, with
// its fragment type. The test decides the payload size, whether the link is
// up and whether the ends take fragments, so that the session can be tested
// on its own.
class CLoopLayer2 : public CLayer2 {
public:
    struct Shared {
        std::mutex mutex;
        bool linkUp = true;
        bool accepting = true;
        bool refuseWhileAccepting = false;  // CanSend says yes, Send says no
        std::deque<std::pair<std::vector<uint8_t>, int>> toSecond;
        std::deque<std::pair<std::vector<uint8_t>, int>> toFirst;
        std::vector<int> typesSentByFirst;
    };

    CLoopLayer2(CLayer1& layer1, std::shared_ptr<Shared> shared, bool first, int maxPayload);

    int IsLinkUp() override;
    void Process(int& rxPending, int& txPending) override;
    int GetReceived(const uint8_t*& data, int& length, int& fragmentType) override;
    int CanSend() override;
    int Send(const uint8_t* data, int length, int fragmentType) override;
    int MaxPayload() override { return m_maxPayload; }
    // Whatever is sent has arrived: there is nothing to acknowledge.
    int UnacknowledgedFrames() const override { return 0; }

private:
    std::deque<std::pair<std::vector<uint8_t>, int>>& Input();
    std::deque<std::pair<std::vector<uint8_t>, int>>& Output();

    std::shared_ptr<Shared> m_shared;
    bool m_first;
    int m_maxPayload;
    std::vector<uint8_t> m_delivered;
};
