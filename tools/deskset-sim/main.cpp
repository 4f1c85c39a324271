// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <string>
#include <vector>

#include "CDesksetSimulator.h"
#include "SimCommandLine.h"
#include "console/StopRequests.h"
#include "version/TorvoVersion.h"

int main(int argc, char** argv) {
    const SimCommandLine line =
        SimCommandLine::Parse(std::vector<std::string>(argv + 1, argv + argc));
    if (line.help) {
        std::fputs(SimCommandLine::Usage(), stdout);
        return 0;
    }
    if (line.version) {
        std::printf("torvo-deskset-sim %s\n", TorvoVersion());
        return 0;
    }
    if (!line.error.empty()) {
        std::fprintf(stderr, "torvo-deskset-sim: %s\n%s", line.error.c_str(),
                     SimCommandLine::Usage());
        return 2;
    }

    stop_requests::PrepareToWaitForStop();

    CDesksetSimulator simulator(line.options);
    const bool started = !line.tcpAddress.empty()  ? simulator.StartOnTcp(line.tcpAddress)
                         : line.devicePath.empty() ? simulator.StartOnNewPty()
                                                   : simulator.StartOnDevice(line.devicePath);
    if (!started) {
        std::fprintf(stderr, "torvo-deskset-sim: %s\n", simulator.LastError().c_str());
        return 1;
    }
    std::printf("%s\n", simulator.DevicePath().c_str());
    std::fflush(stdout);

    stop_requests::WaitForStop();
    simulator.Stop();
    return 0;
}
