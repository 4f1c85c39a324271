// SPDX-License-Identifier: GPL-3.0-or-later
#include "ConsoleTransfer.h"

#include <algorithm>

#include "link/CLayerFactory.h"
#include "link/CSerialLayer1.h"
#include "link/LineProblems.h"
#include "link/TcpDevice.h"
#include "transfer/TransferStrings.h"

namespace strings = transfer_strings;
using Clock = std::chrono::steady_clock;

namespace {
constexpr int kBarWidth = 40;
// Long enough to notice a stop request, short enough not to matter.
constexpr auto kIdleWait = std::chrono::milliseconds(200);
constexpr const char* kInterrupted = "Interrupted.";
// A shell user retries by running the command again: of the desktop
// program's retry question, only its first line applies.
std::string FirstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}
}  // namespace

ConsoleTransfer::ConsoleTransfer(const std::string& device, std::ostream& err, bool drawBar,
                                 transfer::TransferTimings timings,
                                 const VcomThreadPriorities& priorities)
    : m_device(device),
      m_err(err),
      m_drawBar(drawBar),
      m_link(priorities),
      m_transferLink(m_link),
      m_controller(m_transferLink, *this, *this, *this, timings) {
    m_link.SetEventSink(&m_inbox);
    m_link.LayerFactory().SetPortResolver([device](int) { return device; });
}

bool ConsoleTransfer::Download(ConfigImage& result) {
    m_databaseOpen = false;
    m_controller.RequestDownload();
    if (!Run()) {
        return false;
    }
    result = m_image;
    return true;
}

bool ConsoleTransfer::Upload(const ConfigImage& image, transfer::UploadChecks checks) {
    m_image = image;
    m_databaseOpen = true;
    m_controller.RequestUpload(std::move(checks));
    return Run();
}

bool ConsoleTransfer::Run() {
    m_started = Clock::now();
    while (!m_finished) {
        if (m_stop && m_stop->load()) {
            m_failure = kInterrupted;
            break;
        }
        if (ConnectTimeIsUp()) {
            FailToConnect(FirstLine(strings::kRetryQuestion));
            break;
        }
        if (auto event = m_inbox.WaitForEvent(NextDeadline())) {
            DispatchEvent(*event);
        }
        FireDueTimers();
    }
    EndStatusLine();
    if (m_controller.Progress().open) {
        m_controller.ProgressDialogClosed();
    }
    m_controller.EndTransfer();
    return m_completed;
}

bool ConsoleTransfer::ConnectTimeIsUp() const {
    return m_connectTimeout && !m_linkWasUp && Clock::now() >= m_started + *m_connectTimeout;
}

void ConsoleTransfer::FailToConnect(const std::string& text) {
    EndStatusLine();
    m_link.Disconnect();  // the port is let go before it is tried on its own
    m_failure = text;
    if (const std::string cause = ConnectCause(); !cause.empty()) {
        m_failure += "\nCause: " + cause + ".";
    }
    m_finished = true;
}

// A device server tells through the link's status events; a serial port is
// tried once more, as the link opens it, to learn what keeps it closed.
std::string ConsoleTransfer::ConnectCause() {
    if (tcp_device::IsTcpDevice(m_device)) {
        const auto status = m_link.LastStatus();
        return status ? line_problems::FromSocketStatus(m_device, status->code, status->parameter)
                      : std::string();
    }
    CSerialLayer1 probe(strings::kLineSettings, [this](int) { return m_device; });
    if (probe.Open() != 0) {
        return probe.OpenProblem();
    }
    probe.Close();
    return "no deskset answers on " + m_device;
}

// On a terminal each attempt replaces the last on one line.
void ConsoleTransfer::ShowConnectAttempt() {
    ++m_connectAttempts;
    if (!m_drawBar) {
        return;
    }
    const int connectMs = m_controller.Timings().connectMs;
    const int attempts =
        m_connectTimeout ? std::max<int>(1, (m_connectTimeout->count() + connectMs - 1) / connectMs)
                         : transfer::TransferController::kAttemptsBeforeQuestion + 1;
    m_err << "\rConnecting to " << m_device << ", attempt " << m_connectAttempts << " of "
          << std::max(attempts, m_connectAttempts) << "..." << std::flush;
    m_statusLineOpen = true;
}

void ConsoleTransfer::EndStatusLine() {
    if (m_statusLineOpen) {
        m_err << "\n";
        m_statusLineOpen = false;
    }
}

void ConsoleTransfer::DispatchEvent(const LinkEvent& event) {
    if (event.kind == LinkEvent::Kind::Connected) {
        m_linkWasUp = true;
        EndStatusLine();
        if (m_connected) {
            m_connected();
        }
    }
    VcomTransferLink::Dispatch(event, m_controller);
}

Clock::time_point ConsoleTransfer::NextDeadline() const {
    Clock::time_point next = Clock::now() + kIdleWait;
    if (m_connectTimeout && !m_linkWasUp) {
        next = std::min(next, m_started + *m_connectTimeout);
    }
    for (const auto& [id, timer] : m_timers) {
        next = std::min(next, timer.due);
    }
    return next;
}

void ConsoleTransfer::FireDueTimers() {
    const auto now = Clock::now();
    for (auto id : {transfer::kConnectTimer, transfer::kUploadProgressTimer,
                    transfer::kCompletionTimer, transfer::kAnswerTimer}) {
        const auto it = m_timers.find(id);
        if (m_finished || it == m_timers.end() || it->second.due > now) {
            continue;
        }
        it->second.due = now + it->second.period;
        m_controller.OnTimer(id);
    }
}

void ConsoleTransfer::Start(transfer::TimerId id, int periodMs) {
    if (id == transfer::kConnectTimer) {
        ShowConnectAttempt();  // the timer starts with each attempt
    }
    const std::chrono::milliseconds period(periodMs);
    m_timers[id] = Timer{period, Clock::now() + period};
}

void ConsoleTransfer::Stop(transfer::TimerId id) {
    m_timers.erase(id);
}

void ConsoleTransfer::ShowMessage(const std::string& text) {
    if (text == strings::kUnableToConnect) {
        FailToConnect(text);  // the port would not open
        return;
    }
    EndStatusLine();
    m_failure = text;
    m_finished = true;
}

bool ConsoleTransfer::AskRetry(const std::string& text) {
    // Within a connect time-out of its own the series starts again.
    if (m_connectTimeout) {
        return true;
    }
    FailToConnect(FirstLine(text));
    return false;
}

void ConsoleTransfer::SetStatusText(const std::string& text) {
    // A link lost before the progress started would otherwise leave the command waiting.
    if (text == strings::kLost && !m_controller.Progress().open) {
        EndStatusLine();
        m_failure = strings::kDisconnected;
        m_finished = true;
    }
}

bool ConsoleTransfer::StartNewDatabase() {
    m_image.Clear();
    SetImageDefaults(m_image);
    m_databaseOpen = true;
    return true;
}

void ConsoleTransfer::ShowProgress(const transfer::ProgressState& state) {
    if (!m_progressShown && m_progressStarted) {
        m_progressStarted();
    }
    if (m_progressHook) {
        m_progressHook(state);
        m_progressShown = true;
        if (state.buttonVisible) {
            FinishWith(state.status);
        }
        return;
    }
    // Each phase of an upload (backup, upload, verify) gets its own line and bar.
    if (!m_progressShown || state.phase != m_shownPhase) {
        EndStatusLine();
        m_err << state.status << "\n";
        m_progressShown = true;
        m_shownPhase = state.phase;
        m_drawnPosition = -1;
    }
    DrawProgress(state.position);
    if (!state.buttonVisible) {
        return;
    }
    // The transfer has ended: the dialog would now offer its button.
    EndStatusLine();
    if (FinishWith(state.status) && !m_drawBar) {
        m_err << state.status << "\n";
    }
}

bool ConsoleTransfer::FinishWith(const std::string& status) {
    m_completed = status.ends_with(strings::kCompleted);
    if (!m_completed) {
        m_failure = status;
    }
    m_finished = true;
    return m_completed;
}

void ConsoleTransfer::DrawProgress(int position) {
    position = transfer::ProgressState::Clamped(position);
    if (!m_drawBar || position == m_drawnPosition) {
        m_drawnPosition = std::max(m_drawnPosition, 0);
        return;
    }
    m_drawnPosition = position;
    m_statusLineOpen = true;
    const int filled = position * kBarWidth / transfer::ProgressState::kRangeEnd;
    m_err << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, '.') << "] "
          << position * 100 / transfer::ProgressState::kRangeEnd << "%" << std::flush;
}
