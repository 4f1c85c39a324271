#include "ConsoleTransfer.h"

#include <algorithm>

#include "link/CLayerFactory.h"
#include "transfer/TransferStrings.h"

namespace strings = transfer_strings;
using Clock = std::chrono::steady_clock;

namespace {
constexpr int kBarWidth = 40;
// Long enough to notice a stop request, short enough not to matter.
constexpr auto kIdleWait = std::chrono::milliseconds(200);
constexpr const char* kInterrupted = "Interrupted.";
}  // namespace

ConsoleTransfer::ConsoleTransfer(const std::string& device, std::ostream& err, bool drawBar,
                                 transfer::TransferTimings timings,
                                 const VcomThreadPriorities& priorities)
    : m_err(err),
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
    while (!m_finished) {
        if (m_stop && m_stop->load()) {
            m_failure = kInterrupted;
            break;
        }
        if (auto event = m_inbox.WaitForEvent(NextDeadline())) {
            DispatchEvent(*event);
        }
        FireDueTimers();
    }
    if (m_controller.Progress().open) {
        m_controller.ProgressDialogClosed();
    }
    m_controller.EndTransfer();
    return m_completed;
}

void ConsoleTransfer::DispatchEvent(const LinkEvent& event) {
    if (event.kind == LinkEvent::Kind::Connected && m_connected) {
        m_connected();
    }
    VcomTransferLink::Dispatch(event, m_controller);
}

Clock::time_point ConsoleTransfer::NextDeadline() const {
    Clock::time_point next = Clock::now() + kIdleWait;
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
    const std::chrono::milliseconds period(periodMs);
    m_timers[id] = Timer{period, Clock::now() + period};
}

void ConsoleTransfer::Stop(transfer::TimerId id) {
    m_timers.erase(id);
}

void ConsoleTransfer::ShowMessage(const std::string& text) {
    m_failure = text;
    m_finished = true;
}

bool ConsoleTransfer::AskRetry(const std::string& text) {
    // A shell user retries by running the command again.
    m_failure = text.substr(0, text.find('\n'));
    m_finished = true;
    return false;
}

void ConsoleTransfer::SetStatusText(const std::string& text) {
    // A link lost before the progress started would otherwise leave the command waiting.
    if (text == strings::kLost && !m_controller.Progress().open) {
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
    // Each phase of an upload (backup, upload, verify) gets its own line and bar.
    if (!m_progressShown || state.phase != m_shownPhase) {
        if (m_drawBar && m_drawnPosition >= 0) {
            m_err << "\n";
        }
        if (!m_drawBar || m_progressShown) {
            m_err << state.status << "\n";
        }
        m_progressShown = true;
        m_shownPhase = state.phase;
        m_drawnPosition = -1;
    }
    DrawProgress(state.position);
    if (!state.buttonVisible) {
        return;
    }
    // The transfer has ended: the dialog would now offer its button.
    if (m_drawBar) {
        m_err << "\n";
    }
    m_completed = state.status.ends_with(strings::kCompleted);
    if (!m_completed) {
        m_failure = state.status;
    } else if (!m_drawBar) {
        m_err << state.status << "\n";
    }
    m_finished = true;
}

void ConsoleTransfer::DrawProgress(int position) {
    position = transfer::ProgressState::Clamped(position);
    if (!m_drawBar || position == m_drawnPosition) {
        m_drawnPosition = std::max(m_drawnPosition, 0);
        return;
    }
    m_drawnPosition = position;
    const int filled = position * kBarWidth / transfer::ProgressState::kRangeEnd;
    m_err << "\r[" << std::string(filled, '#') << std::string(kBarWidth - filled, '.') << "] "
          << position * 100 / transfer::ProgressState::kRangeEnd << "%" << std::flush;
}
