// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CLayer1.h"

#include <chrono>
#include <thread>

#include "link/CLinkEventQueue.h"
#include "link/CStatusQueue.h"

CLayer1::~CLayer1() = default;

void CLayer1::WaitReadable(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void CLayer1::SetQueues(CStatusQueue* statusQueue, CLinkEventQueue* linkEventQueue) {
    m_statusQueue = statusQueue;
    m_linkEventQueue = linkEventQueue;
}

void CLayer1::PostStatus(int code, int parameter) {
    if (m_statusQueue != nullptr) {
        m_statusQueue->Push(code, parameter);
    }
}

void CLayer1::PostLinkEvent(int code) {
    if (m_linkEventQueue != nullptr) {
        m_linkEventQueue->Push(code);
    }
}
