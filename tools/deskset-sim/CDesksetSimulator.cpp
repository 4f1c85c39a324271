// SPDX-License-Identifier: GPL-3.0-or-later
#include "CDesksetSimulator.h"

#include <chrono>
#include <cstdio>

#include "CDescriptorLayerFactory.h"
#include "CDesksetLink.h"
#include "CListenerLayerFactory.h"
#include "CNewPtyLine.h"
#include "CSilentLine.h"
#include "DefaultImage.h"
#include "SimCommandLine.h"
#include "link/CHostLookup.h"
#include "link/CLayerFactory.h"
#include "link/CSerialLayer1.h"
#include "link/CSocketLayer1.h"
#include "link/SocketPlatform.h"
#include "link/SocketSupport.h"

namespace {

// The deskset end never polls while its link is down: two ends polling at the
// same moment can end a handshake with a connect request arriving at an end
// that is already up, which resets the link.
constexpr const char* kLayer2Parameters = "Passive";
// When the line could not be opened, try again this often.
constexpr auto kRetryInterval = std::chrono::milliseconds(500);
constexpr int kHostLookupBoundMs = 10000;
// How long a hang-up waits for the computer to acknowledge the outcome.
constexpr auto kHangUpAckBound = std::chrono::seconds(2);

}  // namespace

CDesksetSimulator::CDesksetSimulator(DesksetSimOptions options)
    : m_options(std::move(options)),
      m_responder(m_options),
      m_newPty(std::make_unique<CNewPtyLine>()) {
    m_responder.SetUploadSink([this](const std::vector<uint8_t>& image) { SaveUpload(image); });
}

CDesksetSimulator::~CDesksetSimulator() {
    Stop();
}

std::string CDesksetSimulator::LayerOneParameters() const {
    if (!m_layer1Parameters.empty()) {
        return m_layer1Parameters;
    }
    if (m_layer1Kind == CLayerFactory::kSocketLayer1) {
        return "SERVER " + std::to_string(socket_support::LocalPort(m_listener));
    }
    return "1 8 0 0 " + std::to_string(m_options.baudRate);
}

bool CDesksetSimulator::StartOnNewPty() {
    if (!m_newPty->Open(m_options.linkPath, m_lastError)) {
        return false;
    }
    m_devicePath = m_newPty->Path();
    std::unique_ptr<CLayer1> silentLine;
    if (m_options.silent) {
        silentLine = std::make_unique<CSerialLayer1>(
            LayerOneParameters().c_str(), CSerialLayer1::DuplicateLine(m_newPty->Line()));
    }
    return StartServing(std::make_unique<CDescriptorLayerFactory>(m_newPty->Line()),
                        std::move(silentLine));
}

bool CDesksetSimulator::StartOnDevice(const std::string& path) {
    m_devicePath = path;
    auto line =
        std::make_unique<CSerialLayer1>(LayerOneParameters().c_str(), [path](int) { return path; });
    if (m_options.silent) {
        return StartServing(nullptr, std::move(line));
    }
    // The device stays open for as long as the simulator serves: a reopen
    // between two connections would drop what the computer sends meanwhile.
    if (line->Open() != 0) {
        m_lastError = "cannot open " + m_devicePath;
        return false;
    }
    m_deviceLine = std::move(line);
    auto factory = std::make_unique<CDescriptorLayerFactory>(m_deviceLine->Handle());
    if (!StartServing(std::move(factory), nullptr)) {
        m_deviceLine.reset();
        return false;
    }
    return true;
}

bool CDesksetSimulator::StartOnTcp(const std::string& address) {
    if (!OpenListener(address)) {
        return false;
    }
    m_layer1Kind = CLayerFactory::kSocketLayer1;
    auto factory = std::make_unique<CListenerLayerFactory>(m_listener);
    std::unique_ptr<CLayer1> silentLine;
    if (m_options.silent) {
        silentLine = factory->CreateServer(LayerOneParameters().c_str());
    }
    return StartServing(std::move(factory), std::move(silentLine));
}

bool CDesksetSimulator::StartOnTransport(int layer1Kind, const std::string& parameters) {
    m_layer1Kind = layer1Kind;
    m_layer1Parameters = parameters;
    m_devicePath = parameters;
    return StartServing(std::make_unique<CLayerFactory>(), nullptr);
}

bool CDesksetSimulator::OpenListener(const std::string& text) {
    std::string host;
    int port = 0;
    if (const std::string problem = SimCommandLine::SplitListenAddress(text, host, port);
        !problem.empty()) {
        m_lastError = "--tcp " + text + ": " + problem;
        return false;
    }
    socket_support::SocketAddress address;
    if (!socket_support::ParseNumeric(host, port, address)) {
        CHostLookup lookup;
        if (!lookup.Start(host, port) || !lookup.WaitFor(kHostLookupBoundMs) ||
            lookup.Error() != 0 || lookup.Addresses().empty()) {
            m_lastError = "cannot find the address of " + host;
            return false;
        }
        address = lookup.Addresses().front();
    }
    m_listener = socket_support::OpenListeningSocket(address, 1);
    if (m_listener == kNoSocket) {
        m_lastError = "cannot listen on " + socket_support::Describe(address);
        return false;
    }
    m_devicePath = socket_support::Describe(socket_support::LocalAddress(m_listener));
    return true;
}

bool CDesksetSimulator::StartServing(std::unique_ptr<CLayerFactory> factory,
                                     std::unique_ptr<CLayer1> silentLine) {
    if (silentLine) {
        m_silentLine = std::make_unique<CSilentLine>(std::move(silentLine));
        if (!m_silentLine->Start()) {
            m_lastError = "cannot open " + m_devicePath;
            m_silentLine.reset();
            return false;
        }
        return true;
    }

    factory->SetClock(m_options.clock);
    m_link = std::make_unique<CDesksetLink>(
        m_responder, m_responderMutex, [this] { OnLinkLost(); }, [this] { OnOutcomeSent(); });
    m_link->SetLayerFactory(std::move(factory));
    if (!ConnectLink()) {
        m_lastError = "cannot open " + m_devicePath;
        m_link.reset();
        return false;
    }
    m_stopping = false;
    m_supervisor = std::thread(&CDesksetSimulator::Supervise, this);
    return true;
}

bool CDesksetSimulator::ConnectLink() {
    return m_link->Connect(0, kLayer2Parameters, m_layer1Kind, LayerOneParameters().c_str()) == 0;
}

void CDesksetSimulator::OnLinkLost() {
    {
        std::lock_guard lock(m_superviseMutex);
        m_linkLost = true;
    }
    m_superviseCondition.notify_all();
}

void CDesksetSimulator::OnOutcomeSent() {
    if (!m_options.hangUpAfterOutcome) {
        return;
    }
    {
        std::lock_guard lock(m_superviseMutex);
        m_hangUpRequested = true;
    }
    m_superviseCondition.notify_all();
}

// Listens again after each link loss, and hangs up when told to, from a
// thread of its own rather than from inside the link's callbacks.
void CDesksetSimulator::Supervise() {
    std::unique_lock lock(m_superviseMutex);
    while (!m_stopping) {
        m_superviseCondition.wait_for(
            lock, kRetryInterval, [this] { return m_stopping || m_linkLost || m_hangUpRequested; });
        if (m_stopping) {
            break;
        }
        const bool hangUp = m_hangUpRequested;
        m_linkLost = false;
        m_hangUpRequested = false;
        lock.unlock();
        if (hangUp) {
            HangUp();
        } else if (!m_link->IsConnected()) {
            ConnectLink();
        }
        lock.lock();
    }
}

// A deskset, or a device server, that closes the line as soon as the
// computer has acknowledged its last message. (Closed any earlier, a pty
// would discard what the computer had not read yet.) A TCP listener takes the
// next connection; any other line stays closed.
void CDesksetSimulator::HangUp() {
    const auto deadline = std::chrono::steady_clock::now() + kHangUpAckBound;
    while (!m_link->AllSentAcknowledged() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
    m_link->Disconnect();
    if (m_layer1Kind == CLayerFactory::kSocketLayer1) {
        ConnectLink();
    } else {
        m_newPty->Close();
        m_deviceLine.reset();
    }
}

void CDesksetSimulator::Stop() {
    {
        std::lock_guard lock(m_superviseMutex);
        m_stopping = true;
    }
    m_superviseCondition.notify_all();
    if (m_supervisor.joinable()) {
        m_supervisor.join();
    }
    m_link.reset();
    m_silentLine.reset();
    m_deviceLine.reset();
    socket_platform::Close(m_listener);
    m_newPty->Close();
}

void CDesksetSimulator::SaveUpload(const std::vector<uint8_t>& image) {
    if (m_options.savePath.empty()) {
        return;
    }
    std::string error;
    if (!WriteImageFile(m_options.savePath, image, error)) {
        std::fprintf(stderr, "torvo-deskset-sim: %s\n", error.c_str());
    }
}

std::vector<uint8_t> CDesksetSimulator::Image() const {
    std::lock_guard lock(m_responderMutex);
    return m_responder.Image();
}

void CDesksetSimulator::StopPartWay(int messages, int blocks) {
    std::lock_guard lock(m_responderMutex);
    m_responder.StopPartWay(messages, blocks);
}

void CDesksetSimulator::AnswerAgain() {
    std::lock_guard lock(m_responderMutex);
    m_responder.AnswerAgain();
}

int CDesksetSimulator::CompletedUploads() const {
    std::lock_guard lock(m_responderMutex);
    return m_responder.CompletedUploads();
}

int CDesksetSimulator::Downloads() const {
    std::lock_guard lock(m_responderMutex);
    return m_responder.Downloads();
}

bool CDesksetSimulator::IsListening() const {
    return (m_link && m_link->IsConnected()) || m_silentLine != nullptr;
}

VcomStatistics CDesksetSimulator::LinkStatistics() const {
    VcomStatistics statistics;
    if (m_link) {
        m_link->GetStatistics(statistics);
    }
    return statistics;
}
