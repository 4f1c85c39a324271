// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CModemLayer1.h"

#include <chrono>
#include <sstream>
#include <string>
#include <thread>

namespace {

constexpr size_t kWordPrefixLength = 5;  // "INIT:", "DIAL:", "MODE:"

std::string AfterPrefix(const std::string& word) {
    return word.size() > kWordPrefixLength ? word.substr(kWordPrefixLength) : std::string();
}

}  // namespace

ModemSettings CModemLayer1::ParseParameters(const char* parameters) {
    ModemSettings settings;
    if (parameters == nullptr) {
        return settings;
    }
    std::istringstream words(parameters);
    int serial[5] = {};
    std::string init;
    std::string dial;
    std::string mode;
    for (int& number : serial) {
        words >> number;
    }
    if (!(words >> init >> dial >> mode)) {
        return settings;
    }
    settings.initString = AfterPrefix(init);
    settings.number = AfterPrefix(dial);
    settings.answerMode = mode.size() > kWordPrefixLength && mode[kWordPrefixLength] == 'A';
    return settings;
}

void CModemLayer1::WaitOnClock(const MillisecondClock& clock, int milliseconds) {
    using RealClock = std::chrono::steady_clock;
    const uint32_t start = clock();
    const auto deadline = RealClock::now() + std::chrono::milliseconds(milliseconds);
    while (static_cast<int32_t>(clock() - start) < milliseconds && RealClock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

CModemLayer1::CModemLayer1(const char* parameters, PortResolver resolver, MillisecondClock clock,
                           WaitFunction wait)
    : m_port(parameters, std::move(resolver)),
      m_clock(std::move(clock)),
      m_wait(std::move(wait)),
      m_carrierProbe([this] { return m_port.CarrierDetect(); }),
      m_dialogue(ParseParameters(parameters), m_clock, *this) {}

CModemLayer1::~CModemLayer1() = default;

void CModemLayer1::SetQueues(CStatusQueue* statusQueue, CLinkEventQueue* linkEventQueue) {
    CLayer1::SetQueues(statusQueue, linkEventQueue);
    m_port.SetQueues(statusQueue, linkEventQueue);
}

int CModemLayer1::Open() {
    if (m_port.Open() != 0) {
        return -1;
    }
    // Whatever call the modem may still hold goes first.
    m_dialogue.HangUp();
    m_dialogue.Reset();
    return 0;
}

int CModemLayer1::Close() {
    if (m_port.IsOpen()) {
        m_dialogue.HangUp();
        Wait(kCloseDelayMs);
    }
    return m_port.Close();
}

int CModemLayer1::BytesWaiting() {
    return m_dialogue.IsConnected() ? m_port.BytesWaiting() : 0;
}

int CModemLayer1::Write(const uint8_t* bytes, int count) {
    return m_dialogue.IsConnected() ? m_port.Write(bytes, count) : count;
}

int CModemLayer1::Read(uint8_t* buffer, int maximum) {
    if (m_dialogue.IsConnected()) {
        m_dialogue.CheckCarrier(m_carrierProbe());
        return FromPort(m_port.Read(buffer, maximum));
    }
    // One character at a time, so that whatever follows CONNECT stays in the
    // port for the link.
    uint8_t character = 0;
    int result = 0;
    while (!m_dialogue.IsConnected() && (result = m_port.Read(&character, 1)) == 1) {
        m_dialogue.Receive(character);
    }
    if (result < 0) {
        return FromPort(result);
    }
    m_dialogue.Tick();
    return 0;
}

int CModemLayer1::FromPort(int result) {
    if (result < 0 && m_port.IsLineLost()) {
        SetLineLost();
    }
    return result;
}

void CModemLayer1::SendToModem(std::string_view text) {
    m_port.Write(reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
}

void CModemLayer1::Wait(int milliseconds) {
    if (m_wait) {
        m_wait(milliseconds);
    } else {
        WaitOnClock(m_clock, milliseconds);
    }
}
