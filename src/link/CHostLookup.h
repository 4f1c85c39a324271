// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/SocketSupport.h"

// Looks a host name up (IPv4 and IPv6) on a thread of its own, so that the one who
// waits for the answer can give up at any moment: the system's lookup cannot
// be interrupted, and an abandoned one finishes and frees itself.
class CHostLookup {
public:
    CHostLookup();
    ~CHostLookup();

    // False when the lookup could not be started.
    bool Start(const std::string& name, int port);
    // Waits at most the given time; true once the answer is there.
    bool WaitFor(int milliseconds);
    // After a finished lookup: 0 and the addresses with the port, in the
    // system's order of preference, or the lookup's error code.
    int Error() const;
    std::vector<socket_support::SocketAddress> Addresses() const;

private:
    struct Answer;
    std::shared_ptr<Answer> m_answer;
};
