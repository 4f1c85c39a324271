// SPDX-License-Identifier: GPL-3.0-or-later
#include <atomic>
#include <iostream>
#include <string>
#include <vector>

#include "TorvoCli.h"
#include "console/StopRequests.h"

int main(int argc, char** argv) {
    // Ctrl+C or a terminate request ends a transfer the orderly way: the link
    // is closed and a download's unfinished file removed.
    static std::atomic<bool> stopRequested{false};
    stop_requests::SetFlagOnStop(stopRequested);

    std::vector<std::string> args(argv + 1, argv + argc);
    TorvoCli cli(std::cout, std::cerr);
    cli.SetStopRequest(&stopRequested);
    cli.SetDrawProgressBar(stop_requests::ErrorStreamIsTerminal());
    cli.SetRedrawLines(stop_requests::ErrorStreamTakesCursorMoves());
    return cli.Run(args);
}
