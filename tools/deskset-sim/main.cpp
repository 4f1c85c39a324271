#include <signal.h>

#include <cstdio>
#include <string>
#include <vector>

#include "CDesksetSimulator.h"
#include "SimCommandLine.h"

int main(int argc, char** argv) {
    const SimCommandLine line =
        SimCommandLine::Parse(std::vector<std::string>(argv + 1, argv + argc));
    if (line.help) {
        std::fputs(SimCommandLine::Usage(), stdout);
        return 0;
    }
    if (!line.error.empty()) {
        std::fprintf(stderr, "torvo-deskset-sim: %s\n%s", line.error.c_str(),
                     SimCommandLine::Usage());
        return 2;
    }

    // Block the stop signals before any thread starts, then wait for them here.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

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

    int signal = 0;
    sigwait(&stopSignals, &signal);
    simulator.Stop();
    return 0;
}
