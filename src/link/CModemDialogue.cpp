// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/CModemDialogue.h"

#include <string>

#include "link/VcomTrace.h"

CModemDialogue::CModemDialogue(ModemSettings settings, MillisecondClock clock, Output& output)
    : m_settings(std::move(settings)), m_clock(std::move(clock)), m_output(output) {
    Reset();
}

void CModemDialogue::Reset() {
    StartTimer(kHeartbeatMs);
    m_state = State::Idle;
    m_line.clear();
    m_discardingLine = false;
    m_lineCount = 0;
    m_awaitingOk = false;
    m_heartbeats = 0;
    m_carrierReported = false;
}

void CModemDialogue::HangUp() {
    VcomTrace("(CModemLayer1) HangUp\n");
    // The escape needs silence around it, or the modem takes "+" for data.
    for (int i = 0; i < 3; ++i) {
        m_output.SendToModem("+");
        m_output.Wait(kEscapeGuardMs);
    }
    m_output.Wait(kEscapePauseMs);
    m_output.SendToModem("ATH0\r");
}

void CModemDialogue::Receive(uint8_t character) {
    if (character == '\n') {
        LineEnded();
        return;
    }
    // Carriage returns end the modem's own lines and its echo of ours; they
    // are not part of a line's text.
    if (character == '\r' || m_discardingLine) {
        return;
    }
    if (m_line.size() >= kMaxLineLength) {
        m_line.clear();
        m_discardingLine = true;
        return;
    }
    m_line.push_back(static_cast<char>(character));
}

void CModemDialogue::LineEnded() {
    const bool discarded = m_discardingLine;
    const std::string line = std::move(m_line);
    m_line.clear();
    m_discardingLine = false;
    // Only every second line is an answer; an overlong one still takes its
    // place, so the pairing stays in step.
    if (++m_lineCount % 2 != 0 || discarded) {
        return;
    }
    Handle(Classify(line));
}

CModemDialogue::Answer CModemDialogue::Classify(std::string_view line) {
    const std::string_view head = line.substr(0, 2);
    if (head == "OK") {
        return Answer::Ok;
    }
    if (head == "RI") {
        return Answer::Ring;
    }
    if (head == "CO") {
        return Answer::Connect;
    }
    if (head == "BU") {
        return Answer::Busy;
    }
    if (head == "ER") {
        return Answer::Error;
    }
    if (head == "NO" && line.size() >= 4) {
        switch (line[3]) {
            case 'A':
                return Answer::NoAnswer;
            case 'C':
                return Answer::NoCarrier;
            case 'D':
                return Answer::NoDialtone;
            default:
                break;
        }
    }
    return Answer::Other;
}

void CModemDialogue::Handle(Answer answer) {
    int failure = kModemEventUnrecognised;
    switch (answer) {
        case Answer::Ok:
            OkReceived();
            return;
        case Answer::Ring:
            RingReceived();
            return;
        case Answer::Connect:
            m_output.LinkEvent(kModemEventConnect);
            m_awaitingOk = false;
            m_state = State::Connected;
            return;
        case Answer::Busy:
            failure = kModemEventBusy;
            break;
        case Answer::Error:
            failure = kModemEventError;
            break;
        case Answer::NoAnswer:
            failure = kModemEventNoAnswer;
            break;
        case Answer::NoCarrier:
            failure = kModemEventNoCarrier;
            break;
        case Answer::NoDialtone:
            failure = kModemEventNoDialtone;
            break;
        case Answer::Other:
            break;
    }
    m_output.LinkEvent(failure);
    Reset();
}

void CModemDialogue::OkReceived() {
    switch (m_state) {
        case State::Idle:
            m_state = State::InitSent;
            Send("(CModemLayer1) Sending Init String\n", "AT" + m_settings.initString + "\r");
            AwaitOk(kHeartbeatMs);
            break;
        case State::InitSent:
            m_output.LinkEvent(kModemEventInitAcknowledged);
            if (m_settings.answerMode) {
                m_state = State::WaitingForCalls;
                SendHeartbeat();
            } else {
                m_state = State::Dialling;
                m_output.LinkEvent(kModemEventDialling);
                Send("(CModemLayer1) Dialing\n", "ATD" + m_settings.number + "\r");
                AwaitOk(kCallMs);
            }
            break;
        case State::WaitingForCalls:
            // The answering modem is alive; look at it again a little later.
            m_awaitingOk = false;
            StartTimer(kAnsweringCheckMs);
            break;
        case State::Dialling:
        case State::Connected:
            break;
    }
}

void CModemDialogue::RingReceived() {
    m_output.LinkEvent(kModemEventRing);
    if (m_settings.answerMode) {
        m_output.LinkEvent(kModemEventAnswering);
        Send("(CModemLayer1) Answering\n", "ATA\r");
        AwaitOk(kCallMs);
    }
}

void CModemDialogue::Tick() {
    if (IsConnected()) {
        return;
    }
    if (static_cast<int32_t>(m_clock() - m_timerStart) >= m_timerLength) {
        TimerExpired();
    }
}

void CModemDialogue::TimerExpired() {
    if (m_awaitingOk) {
        VcomTrace("(CModemLayer1) Timeout waiting for OK\n");
        if (m_state != State::Idle) {
            m_output.LinkEvent(kModemEventOkTimeout);
        }
        Reset();
        return;
    }
    switch (m_state) {
        case State::Idle:
            if (m_heartbeats >= kMaxUnansweredHeartbeats) {
                m_output.Status(kStatusModemNotAnswering, 0);
                HangUp();
                Reset();
            } else {
                ++m_heartbeats;
                SendHeartbeat();
            }
            break;
        case State::WaitingForCalls:
            SendHeartbeat();
            break;
        default:
            StartTimer(kHeartbeatMs);
            break;
    }
}

void CModemDialogue::SendHeartbeat() {
    Send("(CModemLayer1) Sending HeartBeat\n", "ATE\r");
    // An idle modem's heartbeats are counted instead; an answering modem must
    // answer each one, or the dialogue starts again.
    if (m_state == State::WaitingForCalls) {
        AwaitOk(kHeartbeatMs);
    } else {
        StartTimer(kHeartbeatMs);
    }
}

void CModemDialogue::CheckCarrier(bool present) {
    if (!present && !m_carrierReported) {
        m_carrierReported = true;
        m_output.Status(kStatusModemCarrierLost, 0);
    }
}

void CModemDialogue::Send(std::string_view trace, std::string_view command) {
    VcomTrace(trace);
    m_output.SendToModem(command);
}

void CModemDialogue::StartTimer(int milliseconds) {
    m_timerStart = m_clock();
    m_timerLength = milliseconds;
}

void CModemDialogue::AwaitOk(int milliseconds) {
    m_awaitingOk = true;
    StartTimer(milliseconds);
}
