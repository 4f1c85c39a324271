// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <poll.h>
#include <unistd.h>

#include <fcntl.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "CDesksetSimulator.h"
#include "link/CLayerFactory.h"
#include "link/CLinkEventQueue.h"
#include "link/CModemDialogue.h"
#include "link/CModemLayer1.h"
#include "link/CStatusQueue.h"
#include "link/VcomCodes.h"
#include "link/VcomTrace.h"
#include "link/posix/CPseudoTerminal.h"
#include "support/CRecordingVcom.h"
#include "support/FastClock.h"

namespace {

using Bytes = std::vector<uint8_t>;
using State = CModemDialogue::State;

// A link clock that moves only when the test moves it.
struct ManualTime {
    uint32_t now = 1000;
    MillisecondClock Clock() {
        return [this] { return now; };
    }
};

// Collects the debug texts for as long as it lives.
class TraceRecorder {
public:
    TraceRecorder() {
        SetVcomTraceSink([this](std::string_view text) { texts.emplace_back(text); });
    }
    ~TraceRecorder() { SetVcomTraceSink({}); }
    std::vector<std::string> texts;
};

// Everything the dialogue does, in order: "ATE\r", "wait 200", "event 8",
// "status 12". A wait moves the clock on.
class RecordingOutput : public CModemDialogue::Output {
public:
    explicit RecordingOutput(ManualTime& time) : m_time(time) {}
    void SendToModem(std::string_view text) override { log.emplace_back(text); }
    void Wait(int milliseconds) override {
        log.push_back("wait " + std::to_string(milliseconds));
        m_time.now += milliseconds;
    }
    void LinkEvent(int code) override { log.push_back("event " + std::to_string(code)); }
    void Status(int code, int parameter) override {
        log.push_back("status " + std::to_string(code) +
                      (parameter != 0 ? "," + std::to_string(parameter) : ""));
    }
    // What was logged since the last call.
    std::vector<std::string> Take() { return std::exchange(log, {}); }
    std::vector<std::string> log;

private:
    ManualTime& m_time;
};

const std::vector<std::string> kHangUp = {"+", "wait 200", "+",         "wait 200",
                                          "+", "wait 200", "wait 1300", "ATH0\r"};

class ModemDialogueTest : public ::testing::Test {
protected:
    void Start(bool answerMode) {
        ModemSettings settings{"Q0V1", "5551234", answerMode};
        m_dialogue = std::make_unique<CModemDialogue>(settings, m_time.Clock(), m_output);
    }
    void Answer(const std::string& text) {
        for (char c : "\r\n" + text + "\r\n") {
            m_dialogue->Receive(static_cast<uint8_t>(c));
        }
    }
    void Advance(uint32_t milliseconds) {
        m_time.now += milliseconds;
        m_dialogue->Tick();
    }
    // From a fresh start up to the init string acknowledged.
    void Initialise(bool answerMode) {
        Start(answerMode);
        Advance(CModemDialogue::kHeartbeatMs);
        Answer("OK");
        Answer("OK");
    }
    std::vector<std::string> Log() { return m_output.Take(); }

    ManualTime m_time;
    RecordingOutput m_output{m_time};
    std::unique_ptr<CModemDialogue> m_dialogue;
};

TEST(ModemParametersTest, WordsAfterTheFiveSerialNumbers) {
    auto settings =
        CModemLayer1::ParseParameters("2 8 0 0 9600 INIT:Q0V1 DIAL:5551234 MODE:ANSWER");
    EXPECT_EQ(settings.initString, "Q0V1");
    EXPECT_EQ(settings.number, "5551234");
    EXPECT_TRUE(settings.answerMode);

    // The prefix letters are not checked; only the sixth letter of the mode counts.
    settings = CModemLayer1::ParseParameters("1 8 0 0 9600 abcdeX1 xxxxx0123 MODE:DIAL");
    EXPECT_EQ(settings.initString, "X1");
    EXPECT_EQ(settings.number, "0123");
    EXPECT_FALSE(settings.answerMode);
    EXPECT_FALSE(CModemLayer1::ParseParameters("1 8 0 0 9600 INIT: DIAL:1 MODE:a").answerMode);
    EXPECT_EQ(CModemLayer1::ParseParameters("1 8 0 0 9600 INIT DIAL:1 MODE:A").initString, "");

    // Short of eight words: nothing, and dial mode.
    const char* const shortTexts[] = {"1 8 0 0 9600 INIT:X DIAL:1", "8 0 0 INIT:X DIAL:1 MODE:A",
                                      "", nullptr};
    for (const char* text : shortTexts) {
        settings = CModemLayer1::ParseParameters(text);
        EXPECT_EQ(settings.initString, "") << (text ? text : "null");
        EXPECT_EQ(settings.number, "");
        EXPECT_FALSE(settings.answerMode);
    }
}

TEST_F(ModemDialogueTest, DialModeDialsOnceTheInitStringIsAcknowledged) {
    TraceRecorder traces;
    Start(false);
    Advance(CModemDialogue::kHeartbeatMs - 1);
    EXPECT_TRUE(Log().empty());
    Advance(1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"ATE\r"}));

    // A modem that echoes: the echoed command ends the first line of the pair.
    for (char c : std::string("ATE\r\r\nOK\r\n")) {
        m_dialogue->Receive(static_cast<uint8_t>(c));
    }
    EXPECT_EQ(Log(), (std::vector<std::string>{"ATQ0V1\r"}));
    EXPECT_EQ(m_dialogue->GetState(), State::InitSent);
    Answer("OK");
    EXPECT_EQ(Log(), (std::vector<std::string>{"event 0", "event 1", "ATD5551234\r"}));
    EXPECT_EQ(m_dialogue->GetState(), State::Dialling);

    // Dialling takes its time; a ring is only reported.
    Advance(CModemDialogue::kCallMs - 1);
    Answer("RING");
    EXPECT_EQ(Log(), (std::vector<std::string>{"event 10"}));
    Answer("CONNECT 9600");
    EXPECT_EQ(Log(), (std::vector<std::string>{"event 9"}));
    EXPECT_TRUE(m_dialogue->IsConnected());
    Advance(100000);
    EXPECT_TRUE(Log().empty()) << "no heartbeats on a call";

    EXPECT_EQ(traces.texts, (std::vector<std::string>{"(CModemLayer1) Sending HeartBeat\n",
                                                      "(CModemLayer1) Sending Init String\n",
                                                      "(CModemLayer1) Dialing\n"}));
}

TEST_F(ModemDialogueTest, AnswerModeWaitsForARingAndAnswers) {
    TraceRecorder traces;
    Initialise(true);
    EXPECT_EQ(Log(), (std::vector<std::string>{"ATE\r", "ATQ0V1\r", "event 0", "ATE\r"}));
    EXPECT_EQ(m_dialogue->GetState(), State::WaitingForCalls);

    // The answering modem is checked every 5000 ms.
    Answer("OK");
    Advance(CModemDialogue::kAnsweringCheckMs - 1);
    EXPECT_TRUE(Log().empty());
    Advance(1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"ATE\r"}));
    Answer("OK");

    Answer("RING");
    EXPECT_EQ(Log(), (std::vector<std::string>{"event 10", "event 11", "ATA\r"}));
    Advance(CModemDialogue::kCallMs - 1);
    Answer("CONNECT");
    EXPECT_EQ(Log(), (std::vector<std::string>{"event 9"}));
    EXPECT_TRUE(m_dialogue->IsConnected());
    EXPECT_EQ(traces.texts.back(), "(CModemLayer1) Answering\n");

    // An answering modem that stops answering: time-out, and the dialogue starts again.
    Initialise(true);
    Log();
    Advance(CModemDialogue::kHeartbeatMs);
    EXPECT_EQ(Log(), (std::vector<std::string>{"event 8"}));
    EXPECT_EQ(m_dialogue->GetState(), State::Idle);
}

TEST_F(ModemDialogueTest, FailureAnswersStartTheDialogueAgain) {
    const std::pair<std::string, int> answers[] = {
        {"BUSY", kModemEventBusy},
        {"NO CARRIER", kModemEventNoCarrier},
        {"NO DIALTONE", kModemEventNoDialtone},
        {"NO ANSWER", kModemEventNoAnswer},
        {"ERROR", kModemEventError},
        {"NO", kModemEventUnrecognised},
        {"HELLO", kModemEventUnrecognised},
        {"", kModemEventUnrecognised},
    };
    for (const auto& [text, event] : answers) {
        SCOPED_TRACE(text);
        Initialise(false);
        Log();
        Answer(text);
        EXPECT_EQ(Log(), (std::vector<std::string>{"event " + std::to_string(event)}));
        EXPECT_EQ(m_dialogue->GetState(), State::Idle);
        // From heartbeats again, with the lines paired afresh.
        Advance(CModemDialogue::kHeartbeatMs);
        EXPECT_EQ(Log(), (std::vector<std::string>{"ATE\r"}));
        Answer("OK");
        EXPECT_EQ(m_dialogue->GetState(), State::InitSent);
    }
}

TEST_F(ModemDialogueTest, FiveSilentHeartbeatsHangUpAndTryAgain) {
    TraceRecorder traces;
    Start(false);
    for (int i = 0; i < CModemDialogue::kMaxUnansweredHeartbeats; ++i) {
        Advance(CModemDialogue::kHeartbeatMs);
        EXPECT_EQ(Log(), (std::vector<std::string>{"ATE\r"})) << i;
    }
    Advance(CModemDialogue::kHeartbeatMs);
    std::vector<std::string> expected{"status 12"};
    expected.insert(expected.end(), kHangUp.begin(), kHangUp.end());
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(traces.texts.back(), "(CModemLayer1) HangUp\n");

    // The count starts again after the hang-up, and the timer runs from its end.
    for (int i = 0; i < CModemDialogue::kMaxUnansweredHeartbeats; ++i) {
        Advance(CModemDialogue::kHeartbeatMs - 1);
        EXPECT_TRUE(Log().empty());
        Advance(1);
        EXPECT_EQ(Log(), (std::vector<std::string>{"ATE\r"})) << i;
    }
}

TEST_F(ModemDialogueTest, TimeOutsWaitingForOk) {
    TraceRecorder traces;
    Start(false);
    Advance(CModemDialogue::kHeartbeatMs);
    Answer("OK");
    Log();
    Advance(CModemDialogue::kHeartbeatMs - 1);
    EXPECT_TRUE(Log().empty());
    Advance(1);
    EXPECT_EQ(Log(), (std::vector<std::string>{"event 8"}));
    EXPECT_EQ(traces.texts.back(), "(CModemLayer1) Timeout waiting for OK\n");
    EXPECT_EQ(m_dialogue->GetState(), State::Idle);

    Initialise(false);
    Log();
    Advance(CModemDialogue::kCallMs);
    EXPECT_EQ(Log(), (std::vector<std::string>{"event 8"})) << "no answer to the dial";

    // A ring answered before the modem was set up times out without the event.
    Start(true);
    Answer("RING");
    EXPECT_EQ(Log(), (std::vector<std::string>{"event 10", "event 11", "ATA\r"}));
    Advance(CModemDialogue::kCallMs);
    EXPECT_TRUE(Log().empty());
    Advance(CModemDialogue::kHeartbeatMs);
    EXPECT_EQ(Log(), (std::vector<std::string>{"ATE\r"})) << "started again";
}

TEST_F(ModemDialogueTest, OverlongLinesAreDiscardedInPlace) {
    Start(false);
    Answer("OK" + std::string(98, 'x'));  // 100 characters
    EXPECT_TRUE(Log().empty());
    EXPECT_EQ(m_dialogue->GetState(), State::Idle);
    Answer("OK" + std::string(97, 'x'));  // 99 characters still count
    EXPECT_EQ(Log(), (std::vector<std::string>{"ATQ0V1\r"}));
    Answer(std::string(300, 'O'));
    Answer("OK");
    EXPECT_EQ(Log(), (std::vector<std::string>{"event 0", "event 1", "ATD5551234\r"}));
}

TEST_F(ModemDialogueTest, ADroppedCarrierIsReportedOncePerConnection) {
    Initialise(false);
    Answer("CONNECT");
    Log();
    m_dialogue->CheckCarrier(true);
    EXPECT_TRUE(Log().empty());
    m_dialogue->CheckCarrier(false);
    m_dialogue->CheckCarrier(false);
    m_dialogue->CheckCarrier(true);
    m_dialogue->CheckCarrier(false);
    EXPECT_EQ(Log(), (std::vector<std::string>{"status 9"}));
    m_dialogue->Reset();
    m_dialogue->CheckCarrier(false);
    EXPECT_EQ(Log(), (std::vector<std::string>{"status 9"})) << "re-armed";
}

// The transport itself, on a pty standing in for the modem's port.
class ModemLayerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_pty.Open()); }

    std::unique_ptr<CModemLayer1> MakeModem(const char* parameters) {
        auto modem = std::make_unique<CModemLayer1>(
            parameters, [this](int) { return m_pty.SlavePath(); }, m_time.Clock(),
            [this](int milliseconds) {
                m_waits.push_back(milliseconds);
                m_time.now += milliseconds;
            });
        modem->SetQueues(&m_statuses, &m_events);
        return modem;
    }
    // The modem sends; returns once all of it has reached the port.
    void FromModem(CModemLayer1& modem, const std::string& text) {
        const int expected = modem.Port().BytesWaiting() + static_cast<int>(text.size());
        ASSERT_EQ(::write(m_pty.MasterDescriptor(), text.data(), text.size()),
                  static_cast<ssize_t>(text.size()));
        for (int i = 0; i < 500 && modem.Port().BytesWaiting() < expected; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }
    // What the layer wrote to the modem, waiting a little for it to arrive.
    std::string ToModem(size_t expected) {
        std::string text;
        for (int i = 0; i < 500 && text.size() < expected; ++i) {
            char buffer[256];
            const ssize_t count = ::read(m_pty.MasterDescriptor(), buffer, sizeof(buffer));
            if (count > 0) {
                text.append(buffer, count);
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        }
        return text;
    }
    std::vector<int> Statuses() {
        std::vector<int> codes;
        int code = 0;
        int parameter = 0;
        while (m_statuses.Pop(code, parameter)) {
            codes.push_back(code);
        }
        return codes;
    }

    CPseudoTerminal m_pty;
    ManualTime m_time;
    std::vector<int> m_waits;
    CStatusQueue m_statuses;
    CLinkEventQueue m_events;
};

TEST_F(ModemLayerTest, IsKindFourAndPassesItsQueuesToThePort) {
    CLayerFactory factory;
    factory.SetPortResolver([](int) { return std::string("/nonexistent/ttyX"); });
    auto layer = factory.CreateLayer1(4, "1 8 0 0 19200 INIT:Q0 DIAL:123 MODE:DIAL", nullptr);
    auto* modem = dynamic_cast<CModemLayer1*>(layer.get());
    ASSERT_NE(modem, nullptr);
    EXPECT_EQ(modem->BaudRate(), 9600);
    EXPECT_EQ(modem->IsReady(), 1);
    EXPECT_EQ(modem->Port().GetSettings().baudRate, 19200);
    EXPECT_EQ(modem->Dialogue().Settings().number, "123");

    modem->SetQueues(&m_statuses, &m_events);
    EXPECT_EQ(modem->Open(), -1);
    EXPECT_EQ(Statuses(), (std::vector<int>{kStatusSerialOpenFailed}));
    EXPECT_EQ(modem->Close(), 0);
}

TEST_F(ModemLayerTest, HangsUpWithGuardTimesAndPassesDataOnceConnected) {
    auto modem = MakeModem("1 8 0 0 19200 INIT:Q0 DIAL:123 MODE:DIAL");
    ASSERT_EQ(modem->Open(), 0);
    EXPECT_EQ(ToModem(8), "+++ATH0\r");
    EXPECT_EQ(m_waits, (std::vector<int>{200, 200, 200, 1300}));
    EXPECT_EQ(modem->FreeTransmitSpace(), CSerialLayer1::kDriverBufferSize);

    // Before the call: writes go nowhere, reads run the dialogue.
    const Bytes frame{0x10, 0x20, 0x30};
    EXPECT_EQ(modem->Write(frame.data(), 3), 3);
    uint8_t buffer[255];
    FromModem(*modem, "\r\nOK\r\n");
    EXPECT_EQ(modem->BytesWaiting(), 0) << "the modem's answer is not the link's";
    EXPECT_EQ(modem->Read(buffer, 255), 0);
    EXPECT_EQ(ToModem(5), "ATQ0\r") << "the frame was dropped";

    // Bytes right behind CONNECT belong to the link.
    FromModem(*modem, "\r\nOK\r\n\r\nCONNECT\r\nabc");
    EXPECT_EQ(modem->Read(buffer, 255), 0);
    ASSERT_TRUE(modem->Dialogue().IsConnected());
    EXPECT_EQ(ToModem(7), "ATD123\r");
    EXPECT_EQ(modem->BytesWaiting(), 3);
    ASSERT_EQ(modem->Read(buffer, 255), 3);
    EXPECT_EQ(std::string(buffer, buffer + 3), "abc");
    EXPECT_EQ(modem->Write(frame.data(), 3), 3);
    EXPECT_EQ(ToModem(3), std::string(frame.begin(), frame.end()));

    // A pty has no carrier line: the carrier counts as present.
    EXPECT_TRUE(Statuses().empty());
    bool carrier = false;
    modem->SetCarrierProbe([&carrier] { return carrier; });
    modem->Read(buffer, 255);
    modem->Read(buffer, 255);
    EXPECT_EQ(Statuses(), (std::vector<int>{kStatusModemCarrierLost}));

    int event = -1;
    std::vector<int> events;
    while (m_events.Pop(event)) {
        events.push_back(event);
    }
    EXPECT_EQ(events, (std::vector<int>{kModemEventInitAcknowledged, kModemEventDialling,
                                        kModemEventConnect}));

    // Closing hangs up and lets the modem settle before letting go of the port.
    m_waits.clear();
    modem->Close();
    EXPECT_EQ(ToModem(8), "+++ATH0\r");
    EXPECT_EQ(m_waits, (std::vector<int>{200, 200, 200, 1300, 200}));
    EXPECT_FALSE(modem->Port().IsOpen());
}

// A Hayes modem at the far end of the computer's pty: it answers every AT
// command with OK and a dial with CONNECT, then carries the bytes both ways
// between the computer and the line it called.
class ScriptedModem {
public:
    ScriptedModem(int computerSide, const std::string& linePath)
        : m_computer(computerSide),
          m_line(::open(linePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC)),
          m_thread([this] { Run(); }) {}
    ~ScriptedModem() {
        m_stop.store(true);
        m_thread.join();
        if (m_line >= 0) {
            ::close(m_line);
        }
    }
    bool HasLine() const { return m_line >= 0; }
    std::vector<std::string> Commands() {
        std::lock_guard lock(m_mutex);
        return m_commands;
    }

private:
    void Run() {
        while (!m_stop.load()) {
            pollfd entries[2] = {{m_computer, POLLIN, 0}, {m_line, POLLIN, 0}};
            if (::poll(entries, m_connected ? 2 : 1, 10) <= 0) {
                continue;
            }
            char buffer[512];
            ssize_t count = ::read(m_computer, buffer, sizeof(buffer));
            for (ssize_t i = 0; i < count; ++i) {
                if (m_connected) {
                    Send(m_line, buffer + i, count - i);
                    break;
                }
                Command(buffer[i]);
            }
            if (m_connected && (count = ::read(m_line, buffer, sizeof(buffer))) > 0) {
                Send(m_computer, buffer, count);
            }
        }
    }
    void Command(char c) {
        if (c == '+') {
            return;  // the escape: a modem on no call is in command mode already
        }
        if (c != '\r') {
            m_command.push_back(c);
            return;
        }
        const bool dial = m_command.rfind("ATD", 0) == 0;
        {
            std::lock_guard lock(m_mutex);
            m_commands.push_back(std::exchange(m_command, {}));
        }
        const std::string answer = dial ? "\r\nCONNECT 9600\r\n" : "\r\nOK\r\n";
        Send(m_computer, answer.data(), answer.size());
        m_connected = dial;
    }
    void Send(int descriptor, const char* bytes, size_t count) {
        while (count > 0 && !m_stop.load()) {
            const ssize_t written = ::write(descriptor, bytes, count);
            if (written > 0) {
                bytes += written;
                count -= written;
            } else {
                pollfd entry{descriptor, POLLOUT, 0};
                ::poll(&entry, 1, 10);
            }
        }
    }

    int m_computer;
    int m_line;
    bool m_connected = false;  // modem thread only
    std::string m_command;
    std::mutex m_mutex;
    std::vector<std::string> m_commands;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

TEST(ModemEndToEndTest, DialsThroughAScriptedModemAndDownloadsTheDatabase) {
    constexpr int kClockFactor = 20;
    Bytes image(16384);
    for (size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<uint8_t>(i * 29 + (i >> 9));
    }
    DesksetSimOptions options;
    options.image = image;
    options.clock = FastClock(kClockFactor);
    CDesksetSimulator deskset(options);
    ASSERT_TRUE(deskset.StartOnNewPty()) << deskset.LastError();

    CPseudoTerminal port;
    ASSERT_TRUE(port.Open());
    ScriptedModem modem(port.MasterDescriptor(), deskset.DevicePath());
    ASSERT_TRUE(modem.HasLine());

    CRecordingVcom computer;
    computer.LayerFactory().SetPortResolver([&port](int) { return port.SlavePath(); });
    computer.LayerFactory().SetClock(FastClock(kClockFactor));
    ASSERT_EQ(computer.Connect(0, nullptr, CLayerFactory::kModemLayer1,
                               "1 8 0 0 19200 INIT:Q0V1 DIAL:5551234 MODE:DIAL"),
              kVcomOk);
    ASSERT_TRUE(computer.WaitUntil([&] { return computer.connects == 1; }));
    EXPECT_EQ(modem.Commands(), (std::vector<std::string>{"ATH0", "ATQ0V1", "ATD5551234"}));

    // The download request, then 164 blocks and "download completed".
    const auto started = std::chrono::steady_clock::now();
    const Bytes request{2, 3, 0};
    ASSERT_EQ(computer.Send(request.data(), 3), kVcomOk);
    ASSERT_TRUE(computer.WaitUntil([&] { return computer.received.size() >= 165; }));
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - started);
    std::printf("download through the scripted modem: %lld ms\n",
                static_cast<long long>(elapsed.count()));

    Bytes downloaded;
    {
        auto lock = computer.Lock();
        EXPECT_EQ(computer.received[164], (Bytes{1, 7}));
        for (size_t i = 0; i < 164; ++i) {  // in order, 100 bytes each behind the offset
            downloaded.insert(downloaded.end(), computer.received[i].begin() + 4,
                              computer.received[i].end());
        }
        std::vector<int> modemEvents;
        std::copy_if(computer.linkEvents.begin(), computer.linkEvents.end(),
                     std::back_inserter(modemEvents), [](int code) { return code < 0x1000; });
        EXPECT_EQ(modemEvents, (std::vector<int>{kModemEventInitAcknowledged, kModemEventDialling,
                                                 kModemEventConnect}));
    }
    EXPECT_EQ(downloaded, image);
    EXPECT_EQ(computer.Disconnect(), kVcomOk);
}

}  // namespace
