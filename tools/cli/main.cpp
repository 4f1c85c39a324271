#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <iostream>
#include <string>
#include <vector>

#include "TorvoCli.h"

namespace {

// Ctrl+C or a terminate request ends a transfer the orderly way: the link is
// closed and a download's unfinished file removed.
std::atomic<bool> g_stopRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

void RequestStop(int) {
    g_stopRequested.store(true);
}

}  // namespace

int main(int argc, char** argv) {
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);

    std::vector<std::string> args(argv + 1, argv + argc);
    TorvoCli cli(std::cout, std::cerr);
    cli.SetStopRequest(&g_stopRequested);
    cli.SetDrawProgressBar(::isatty(STDERR_FILENO) != 0);
    return cli.Run(args);
}
