// SPDX-License-Identifier: GPL-3.0-or-later
// torvo-line-emulator: two ptys joined like a serial cable at a given baud
// rate. Prints the two device paths (one a line) and runs until SIGTERM.
//
//   torvo-line-emulator [--baud N] [--bit-error-rate X] [--drop-rate X]
//                       [--silence EVERY_MS LENGTH_MS]

#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "CLineEmulator.h"

int main(int argc, char** argv) {
    CLineEmulator::Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--baud") == 0) {
            options.baudRate = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--bit-error-rate") == 0) {
            options.bitErrorRate = std::atof(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--drop-rate") == 0) {
            options.dropRate = std::atof(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--silence") == 0 && i + 2 < argc) {
            options.silenceEveryMs = std::atoi(argv[i + 1]);
            options.silenceLengthMs = std::atoi(argv[i + 2]);
            ++i;
        } else {
            std::fprintf(stderr, "unknown option %s\n", argv[i]);
            return 2;
        }
    }
    if (options.baudRate < 50) {
        std::fprintf(stderr, "--baud: a baud rate\n");
        return 2;
    }

    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    CLineEmulator line(options);
    if (!line.Start()) {
        std::fprintf(stderr, "cannot create the ptys\n");
        return 1;
    }
    std::printf("%s\n%s\n", line.FirstPath().c_str(), line.SecondPath().c_str());
    std::fflush(stdout);
    int signal = 0;
    sigwait(&stopSignals, &signal);
    line.Stop();
    return 0;
}
