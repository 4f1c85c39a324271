// SPDX-License-Identifier: GPL-3.0-or-later
#include "FleetDisplay.h"

#include <algorithm>

namespace {

std::string PhaseName(transfer::TransferPhase phase) {
    switch (phase) {
        case transfer::TransferPhase::Backup:
            return "backing up";
        case transfer::TransferPhase::Upload:
            return "uploading";
        case transfer::TransferPhase::Verify:
            return "verifying";
        case transfer::TransferPhase::Download:
            break;
    }
    return "downloading";
}

// Up a number of lines, and the whole line cleared.
std::string CursorUp(std::size_t lines) {
    return "\x1b[" + std::to_string(lines) + "A";
}
constexpr const char* kClearLine = "\r\x1b[2K";

}  // namespace

FleetDisplay::FleetDisplay(std::ostream& err, bool live, const std::vector<std::string>& names)
    : m_err(err), m_live(live) {
    for (const std::string& name : names) {
        m_lines.push_back({name});
        m_nameWidth = std::max(m_nameWidth, name.size());
    }
}

void FleetDisplay::Connecting(std::size_t unit) {
    Show(unit, "connecting", -1, {});
}

void FleetDisplay::Progress(std::size_t unit, const transfer::ProgressState& state) {
    const int position = transfer::ProgressState::Clamped(state.position);
    Show(unit, PhaseName(state.phase), position * 100 / transfer::ProgressState::kRangeEnd, {});
}

void FleetDisplay::Finished(std::size_t unit, const UnitResult& result) {
    std::string detail;
    if (result.outcome == UnitOutcome::Failed) {
        detail = result.message.substr(0, result.message.find('\n'));
    }
    Show(unit, OutcomeName(result.outcome), -1, detail);
}

void FleetDisplay::Show(std::size_t unit, const std::string& phase, int percent,
                        const std::string& detail) {
    std::lock_guard lock(m_mutex);
    Line& line = m_lines.at(unit);
    const bool newPhase = line.phase != phase;
    if (!newPhase && line.percent == percent) {
        return;
    }
    line.phase = phase;
    line.percent = percent;
    if (m_live) {
        Redraw();
    } else if (newPhase) {
        m_err << line.name << ": " << phase << (detail.empty() ? "" : ": " + detail) << "\n"
              << std::flush;
    }
}

std::string FleetDisplay::Text(const Line& line) const {
    std::string text =
        line.name + std::string(m_nameWidth - line.name.size() + 2, ' ') + line.phase;
    if (line.percent >= 0) {
        text += " " + std::to_string(line.percent) + "%";
    }
    return text;
}

void FleetDisplay::Redraw() {
    if (m_drawn) {
        m_err << CursorUp(m_lines.size());
    }
    for (const Line& line : m_lines) {
        m_err << kClearLine << Text(line) << "\n";
    }
    m_err << std::flush;
    m_drawn = true;
}
