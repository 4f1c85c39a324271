// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How a fleet run looks while it runs: on a terminal one line per unit,
// redrawn in place (phase and percent); elsewhere a plain line each time a
// unit changes phase. Units report from their own threads.

#include <cstddef>
#include <mutex>
#include <ostream>
#include <string>
#include <vector>

#include "FleetReport.h"
#include "transfer/TransferInterfaces.h"

class FleetDisplay {
public:
    FleetDisplay(std::ostream& err, bool live, const std::vector<std::string>& names);

    void Connecting(std::size_t unit);
    void Progress(std::size_t unit, const transfer::ProgressState& state);
    void Finished(std::size_t unit, const UnitResult& result);

private:
    struct Line {
        std::string name;
        std::string phase = "waiting";
        int percent = -1;  // none shown
    };

    // Records a unit's state; shows it when it changed.
    void Show(std::size_t unit, const std::string& phase, int percent, const std::string& detail);
    std::string Text(const Line& line) const;
    void Redraw();

    std::mutex m_mutex;
    std::ostream& m_err;
    const bool m_live;
    std::vector<Line> m_lines;
    std::size_t m_nameWidth = 0;
    bool m_drawn = false;
};
