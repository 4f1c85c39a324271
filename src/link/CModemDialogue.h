// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "link/VcomClock.h"

// Status events of the modem transport.
inline constexpr int kStatusModemCarrierLost = 9;    // once per connection
inline constexpr int kStatusModemNotAnswering = 12;  // five heartbeats unanswered: hung up

// Link events of the modem transport.
inline constexpr int kModemEventInitAcknowledged = 0;
inline constexpr int kModemEventDialling = 1;
inline constexpr int kModemEventBusy = 2;
inline constexpr int kModemEventNoCarrier = 3;
inline constexpr int kModemEventNoDialtone = 4;
inline constexpr int kModemEventNoAnswer = 5;
inline constexpr int kModemEventError = 6;
inline constexpr int kModemEventUnrecognised = 7;
inline constexpr int kModemEventOkTimeout = 8;
inline constexpr int kModemEventConnect = 9;
inline constexpr int kModemEventRing = 10;
inline constexpr int kModemEventAnswering = 11;

struct ModemSettings {
    std::string initString;   // sent as "AT" + init string
    std::string number;       // dialled as "ATD" + number
    bool answerMode = false;  // wait for RING instead of dialling
};

// The Hayes dialogue that brings a modem from idle to connected: heartbeats
// until the modem answers, the init string, then dialling or waiting for a
// ring. It knows nothing of ports or threads: it is fed the modem's characters
// and clock ticks, and acts through its Output.
class CModemDialogue {
public:
    enum class State { Idle = 0, InitSent = 1, WaitingForCalls = 2, Dialling = 3, Connected = 5 };

    static constexpr int kHeartbeatMs = 3000;
    static constexpr int kAnsweringCheckMs = 5000;
    static constexpr int kCallMs = 50000;
    static constexpr int kMaxUnansweredHeartbeats = 5;
    static constexpr int kMaxLineLength = 99;
    static constexpr int kEscapeGuardMs = 200;
    static constexpr int kEscapePauseMs = 1300;

    class Output {
    public:
        virtual ~Output() = default;
        virtual void SendToModem(std::string_view text) = 0;
        // Blocks for the given time; only the hang-up's guard times use it.
        virtual void Wait(int milliseconds) = 0;
        virtual void LinkEvent(int code) = 0;
        virtual void Status(int code, int parameter) = 0;
    };

    CModemDialogue(ModemSettings settings, MillisecondClock clock, Output& output);

    // Back to idle: the dialogue starts again from heartbeats.
    void Reset();
    // Escapes to command mode and hangs up.
    void HangUp();
    void Receive(uint8_t character);
    // Runs the timer; called on every read while not connected.
    void Tick();
    // Called on every read while connected; a dropped carrier is reported once.
    void CheckCarrier(bool present);

    State GetState() const { return m_state; }
    bool IsConnected() const { return m_state == State::Connected; }
    const ModemSettings& Settings() const { return m_settings; }

private:
    enum class Answer { Ok, Ring, Connect, Busy, Error, NoAnswer, NoCarrier, NoDialtone, Other };

    static Answer Classify(std::string_view line);
    void LineEnded();
    void Handle(Answer answer);
    void OkReceived();
    void RingReceived();
    void TimerExpired();
    void SendHeartbeat();
    void Send(std::string_view trace, std::string_view command);
    void StartTimer(int milliseconds);
    void AwaitOk(int milliseconds);

    ModemSettings m_settings;
    MillisecondClock m_clock;
    Output& m_output;

    State m_state = State::Idle;
    uint32_t m_timerStart = 0;
    int m_timerLength = 0;
    bool m_awaitingOk = false;
    int m_heartbeats = 0;
    bool m_carrierReported = false;

    // Line collection: the modem answers with an empty line, then the text.
    std::string m_line;
    bool m_discardingLine = false;
    int m_lineCount = 0;
};
