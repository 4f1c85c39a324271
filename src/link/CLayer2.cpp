// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CLayer2.h"

#include "link/CLinkEventQueue.h"
#include "link/CStatisticsCounters.h"
#include "link/CStatusQueue.h"

CLayer2::~CLayer2() = default;

void CLayer2::SetQueues(CStatusQueue* statusQueue, CLinkEventQueue* linkEventQueue) {
    m_statusQueue = statusQueue;
    m_linkEventQueue = linkEventQueue;
}

void CLayer2::PostStatus(int code, int parameter) {
    if (m_statusQueue != nullptr) {
        m_statusQueue->Push(code, parameter);
    }
}

void CLayer2::PostLinkEvent(int code) {
    if (m_linkEventQueue != nullptr) {
        m_linkEventQueue->Push(code);
    }
}

void CLayer2::SetStatistic(int index, int32_t value) {
    if (m_statistics != nullptr) {
        m_statistics->Set(index, value);
    }
}

void CLayer2::AddStatistic(int index) {
    if (m_statistics != nullptr) {
        m_statistics->Add(index);
    }
}
