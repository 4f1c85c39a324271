// SPDX-License-Identifier: GPL-3.0-or-later
// The packet layer on an in-memory line, with a clock the input drives, under
// the session's reassembly. The input injects raw bytes and well-formed frames,
// lets time pass, sends payloads, and breaks the line.
//
// Invariants: every frame written has its length and a good check sequence;
// nothing is delivered that did not arrive as a frame with a good check
// sequence; nothing received while the link is down is delivered (what came
// before a reset still is); the session never
// holds a message over its maximum.

#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "link/CCrc16.h"
#include "link/CCrc8.h"
#include "link/CLayer1.h"
#include "link/CPacketLayer2.h"
#include "link/CSession.h"
#include "link/CStatusQueue.h"
#include "link/Vcom.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::size_t CheckSize(bool crc8) {
    return crc8 ? 1 : 2;
}

// The check bytes of a frame's header and payload, as they follow it on the line.
Bytes CheckBytes(const std::uint8_t* frame, int covered, bool crc8) {
    if (crc8) {
        return {CCrc8::Compute(frame, covered)};
    }
    const std::uint16_t crc = CCrc16::Compute(frame, covered);
    return {static_cast<std::uint8_t>(crc >> 8), static_cast<std::uint8_t>(crc & 0xFF)};
}

// A line whose far end is the input. Every write must be one whole, good frame.
class FuzzLine : public CLayer1 {
public:
    FuzzLine(int baudRate, bool crc8) : m_baudRate(baudRate), m_crc8(crc8) {}

    int BaudRate() override { return m_baudRate; }
    int FreeTransmitSpace() override { return 1024; }
    int BytesWaiting() override { return static_cast<int>(m_input.size()); }
    int Open() override { return 0; }
    int Close() override { return 0; }
    void WaitReadable(int) override {}

    int Write(const std::uint8_t* bytes, int count) override {
        const std::size_t size = static_cast<std::size_t>(count);
        FUZZ_CHECK(size >= kFrameHeaderSize + CheckSize(m_crc8), "a frame written is whole");
        const int covered = kFrameHeaderSize + bytes[kFrameLengthOffset];
        FUZZ_CHECK(size == covered + CheckSize(m_crc8), "a frame written has its stated length");
        FUZZ_CHECK(
            std::equal(bytes + covered, bytes + size, CheckBytes(bytes, covered, m_crc8).begin()),
            "a frame written has a good check sequence");
        return count;
    }

    int Read(std::uint8_t* buffer, int maximum) override {
        if (m_failing) {
            return -1;
        }
        const int count = std::min(maximum, static_cast<int>(m_input.size()));
        std::copy_n(m_input.begin(), count, buffer);
        m_input.erase(m_input.begin(), m_input.begin() + count);
        return count;
    }

    void Inject(const Bytes& bytes) {
        m_input.insert(m_input.end(), bytes.begin(), bytes.end());
        m_everInjected.insert(m_everInjected.end(), bytes.begin(), bytes.end());
    }
    void Fail() { m_failing = true; }
    void Repair() { m_failing = false; }

    // Whether a frame of this type, length and payload arrived whole with a good check.
    bool ArrivedAsGoodFrame(std::uint8_t type, const std::uint8_t* payload, int length) const {
        const std::size_t size = kFrameHeaderSize + length + CheckSize(m_crc8);
        for (std::size_t at = 0; at + size <= m_everInjected.size(); ++at) {
            const std::uint8_t* frame = m_everInjected.data() + at;
            if (frame[kFrameTypeOffset] == type && frame[kFrameLengthOffset] == length &&
                std::equal(payload, payload + length, frame + kFramePayloadOffset) &&
                CheckBytes(frame, kFrameHeaderSize + length, m_crc8) ==
                    Bytes(frame + kFrameHeaderSize + length, frame + size)) {
                return true;
            }
        }
        return false;
    }

private:
    int m_baudRate;
    bool m_crc8;
    bool m_failing = false;
    std::deque<std::uint8_t> m_input;
    Bytes m_everInjected;
};

// Hands the packet layer's deliveries to the session, checking each one.
class CheckedLayer2 : public CLayer2 {
public:
    CheckedLayer2(FuzzLine& line, CPacketLayer2& inner)
        : CLayer2(line), m_line(line), m_inner(inner) {}

    int IsLinkUp() override { return m_inner.IsLinkUp(); }
    void Process(int& rxPending, int& txPending) override { m_inner.Process(rxPending, txPending); }
    int CanSend() override { return m_inner.CanSend(); }
    int Send(const std::uint8_t* data, int length, int type) override {
        return m_inner.Send(data, length, type);
    }
    int MaxPayload() override { return m_inner.MaxPayload(); }
    int UnacknowledgedFrames() const override { return m_inner.UnacknowledgedFrames(); }

    int GetReceived(const std::uint8_t*& data, int& length, int& fragmentType) override {
        const int taken = m_inner.GetReceived(data, length, fragmentType);
        if (taken != 0) {
            // A stopped layer reads nothing more: what it still hands out arrived
            // while its link was up, before the reset.
            FUZZ_CHECK(m_inner.IsLinkUp() != 0 || m_inner.IsStopped(),
                       "nothing received while the link is down is delivered");
            FUZZ_CHECK(length >= 0 && length <= CPacketLayer2::kMaxPayload,
                       "a delivered payload fits a frame");
            FUZZ_CHECK(m_line.ArrivedAsGoodFrame(
                           static_cast<std::uint8_t>(kFrameDataWhole + fragmentType), data, length),
                       "nothing is delivered without a good frame");
        }
        return taken;
    }

private:
    FuzzLine& m_line;
    CPacketLayer2& m_inner;
};

// The session's owner; its callbacks are never reached from the receive side.
Vcom& Owner() {
    static Vcom* owner = new Vcom(250);
    return *owner;
}

class LinkHarness {
public:
    LinkHarness(fuzz::InputReader& in)
        : m_options(in.Byte()),
          m_crc8((m_options & 1) != 0),
          m_parameters(std::string(m_crc8 ? "UseCRC8 " : "") + ((m_options & 2) ? "Passive " : "") +
                       ((m_options & 4) ? "SlowMedia" : "")),
          m_line((m_options & 8) ? 2400 : 19200, m_crc8),
          m_session(Owner(), m_statusQueue, 1 + in.U16() % 600) {
        BuildLayer();
    }

    void Run(fuzz::InputReader& in) {
        while (!in.AtEnd()) {
            RunStep(in);
            if (m_layer->IsStopped()) {
                // As the link's owner does after a reset: a new layer on the same line.
                m_session.Reset();
                BuildLayer();
            }
            CheckSessionMessages();
        }
    }

private:
    void BuildLayer() {
        m_checked.reset();
        m_layer =
            std::make_unique<CPacketLayer2>(m_line, m_parameters.c_str(), [this] { return m_now; });
        m_checked = std::make_unique<CheckedLayer2>(m_line, *m_layer);
        m_session.SetLowerLayer(m_checked.get());
    }

    void RunStep(fuzz::InputReader& in) {
        switch (in.Below(7)) {
            case 0:
                m_line.Inject(in.Bytes(in.Byte()));
                break;
            case 1:
                m_line.Inject(Frame(in));
                break;
            case 2:
                m_now += in.U16();
                break;
            case 3: {
                const Bytes payload = in.Bytes(in.Byte());
                m_layer->Send(payload.data(), static_cast<int>(payload.size()), in.Below(4));
                break;
            }
            case 4:
                m_line.Fail();
                Process();
                m_line.Repair();
                break;
            default:
                Process();
                break;
        }
    }

    void Process() {
        int rxPending = 0;
        int txPending = 0;
        m_checked->Process(rxPending, txPending);
        m_session.ReceivePull();
    }

    // A frame with a good check sequence: any type and sequence, the payload from the input.
    Bytes Frame(fuzz::InputReader& in) {
        Bytes frame{static_cast<std::uint8_t>(in.Below(10)), in.Byte()};
        const Bytes payload = in.Bytes(in.Below(CPacketLayer2::kMaxPayload + 1));
        frame.push_back(static_cast<std::uint8_t>(payload.size()));
        frame.insert(frame.end(), payload.begin(), payload.end());
        const Bytes check = CheckBytes(frame.data(), static_cast<int>(frame.size()), m_crc8);
        frame.insert(frame.end(), check.begin(), check.end());
        return frame;
    }

    void CheckSessionMessages() {
        CMsgQueue& received = m_session.ReceiveQueue();
        while (!received.IsEmpty()) {
            FUZZ_CHECK(received.HeadLength() <= m_session.MaxMessageSize(),
                       "the session never holds a message over its maximum");
            received.RemoveHead();
        }
    }

    std::uint8_t m_options;
    bool m_crc8;
    std::string m_parameters;
    std::uint32_t m_now = 0x12345678;
    FuzzLine m_line;
    CStatusQueue m_statusQueue;
    CSession m_session;
    std::unique_ptr<CPacketLayer2> m_layer;
    std::unique_ptr<CheckedLayer2> m_checked;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::InputReader in(data, size);
    LinkHarness harness(in);
    harness.Run(in);
    return 0;
}
