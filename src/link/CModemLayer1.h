// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "link/CModemDialogue.h"
#include "link/CSerialLayer1.h"
#include "link/VcomClock.h"

// Layer 1 kind 4: a Hayes modem on a serial port. Until the modem reports
// CONNECT, reads run the dialogue and return nothing, and writes are dropped
// (the packet layer's polls have nobody to go to yet); from then on reads,
// writes and the bytes waiting are the serial port's own.
//
// Parameter text: the serial port's five numbers, then "INIT:" init string,
// "DIAL:" number and "MODE:" mode, read as "%d %d %d %d %d %s %s %s". The first
// five letters of each word are skipped unchecked; a mode whose sixth letter is
// A answers calls, anything else dials. Short of eight words: no init string,
// no number, dial mode.
//
// The carrier detect line is read on every read while connected and its loss
// reported once. A pseudo-terminal has no modem lines: there the carrier
// counts as present.
class CModemLayer1 : public CLayer1, private CModemDialogue::Output {
public:
    // What the packet layer is told, whatever the port runs at.
    static constexpr int kReportedBaudRate = 9600;
    // Closing waits this long after hanging up before it lets go of the port.
    static constexpr int kCloseDelayMs = 200;

    using WaitFunction = std::function<void(int milliseconds)>;
    using CarrierProbe = std::function<bool()>;

    static ModemSettings ParseParameters(const char* parameters);
    // Waits until the clock has moved on by the given time, and never longer
    // than that in real time: a fast test clock shortens the wait, a clock
    // that stands still does not stop it.
    static void WaitOnClock(const MillisecondClock& clock, int milliseconds);

    // An empty wait waits on the clock.
    CModemLayer1(const char* parameters, PortResolver resolver,
                 MillisecondClock clock = SteadyMillisecondClock(), WaitFunction wait = {});
    ~CModemLayer1() override;

    int BaudRate() override { return kReportedBaudRate; }
    int FreeTransmitSpace() override { return m_port.FreeTransmitSpace(); }
    int BytesWaiting() override;
    int Open() override;
    int Close() override;
    int Write(const uint8_t* bytes, int count) override;
    int Read(uint8_t* buffer, int maximum) override;
    void WaitReadable(int milliseconds) override { m_port.WaitReadable(milliseconds); }
    void SetQueues(CStatusQueue* statusQueue, CLinkEventQueue* linkEventQueue) override;

    // Replaces the carrier detect line (the default reads the port's).
    void SetCarrierProbe(CarrierProbe probe) { m_carrierProbe = std::move(probe); }
    CSerialLayer1& Port() { return m_port; }
    const CModemDialogue& Dialogue() const { return m_dialogue; }

private:
    void SendToModem(std::string_view text) override;
    void Wait(int milliseconds) override;
    void LinkEvent(int code) override { PostLinkEvent(code); }
    void Status(int code, int parameter) override { PostStatus(code, parameter); }
    int FromPort(int result);

    CSerialLayer1 m_port;
    MillisecondClock m_clock;
    WaitFunction m_wait;
    CarrierProbe m_carrierProbe;
    CModemDialogue m_dialogue;
};
