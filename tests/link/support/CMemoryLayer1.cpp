// SPDX-License-Identifier: GPL-3.0-or-later
#include "CMemoryLayer1.h"

#include <algorithm>
#include <chrono>
#include <utility>

std::pair<std::unique_ptr<CMemoryLayer1>, std::unique_ptr<CMemoryLayer1>> CMemoryLayer1::MakePair(
    int baudRate) {
    auto first = std::make_shared<Inbox>();
    auto second = std::make_shared<Inbox>();
    return {std::unique_ptr<CMemoryLayer1>(new CMemoryLayer1(baudRate, first, second)),
            std::unique_ptr<CMemoryLayer1>(new CMemoryLayer1(baudRate, second, first))};
}

CMemoryLayer1::CMemoryLayer1(int baudRate, std::shared_ptr<Inbox> input,
                             std::shared_ptr<Inbox> output)
    : m_baudRate(baudRate), m_input(std::move(input)), m_output(std::move(output)) {}

int CMemoryLayer1::BytesWaiting() {
    std::lock_guard lock(m_input->mutex);
    return static_cast<int>(m_input->bytes.size());
}

int CMemoryLayer1::Write(const uint8_t* bytes, int count) {
    std::vector<uint8_t> data(bytes, bytes + count);
    {
        std::lock_guard lock(m_tapMutex);
        m_written.insert(m_written.end(), data.begin(), data.end());
        if (m_filter) {
            m_filter(data);
        }
    }
    {
        std::lock_guard lock(m_output->mutex);
        m_output->bytes.insert(m_output->bytes.end(), data.begin(), data.end());
    }
    m_output->condition.notify_all();
    return count;
}

int CMemoryLayer1::Read(uint8_t* buffer, int maximum) {
    std::lock_guard lock(m_input->mutex);
    const int count = std::min(maximum, static_cast<int>(m_input->bytes.size()));
    std::copy_n(m_input->bytes.begin(), count, buffer);
    m_input->bytes.erase(m_input->bytes.begin(), m_input->bytes.begin() + count);
    return count;
}

void CMemoryLayer1::WaitReadable(int milliseconds) {
    std::unique_lock lock(m_input->mutex);
    m_input->condition.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                [&] { return !m_input->bytes.empty(); });
}

void CMemoryLayer1::Inject(const std::vector<uint8_t>& bytes) {
    {
        std::lock_guard lock(m_input->mutex);
        m_input->bytes.insert(m_input->bytes.end(), bytes.begin(), bytes.end());
    }
    m_input->condition.notify_all();
}

void CMemoryLayer1::SetWriteFilter(WriteFilter filter) {
    std::lock_guard lock(m_tapMutex);
    m_filter = std::move(filter);
}

std::vector<uint8_t> CMemoryLayer1::TakeWritten() {
    std::lock_guard lock(m_tapMutex);
    return std::exchange(m_written, {});
}
