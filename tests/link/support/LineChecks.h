// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks shared by the tests of the line transports on every platform.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

#include "link/CLayer1.h"

// Waits, with a bound, until the condition holds; false when it never did.
inline bool WaitFor(const std::function<bool()>& condition,
                    std::chrono::milliseconds bound = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// On a connected server and client: bytes cross both ways, read in pieces as
// asked for; then the client writes and goes away, what it wrote still
// arrives, and the server's next read fails (-1) and leaves it not ready.
inline void ExpectBytesCrossThenTheClientGoes(CLayer1& server, CLayer1& client) {
    const std::vector<uint8_t> hello{1, 2, 3, 4, 5};
    std::vector<uint8_t> buffer(16);
    EXPECT_EQ(client.Write(hello.data(), 5), 5);
    server.WaitReadable(5000);
    EXPECT_EQ(server.BytesWaiting(), 5);
    EXPECT_EQ(server.Read(buffer.data(), 3), 3);
    EXPECT_EQ(server.Read(buffer.data() + 3, 16), 2);
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 5), hello);
    EXPECT_EQ(server.Write(hello.data(), 2), 2);
    ASSERT_TRUE(WaitFor([&] { return client.BytesWaiting() == 2; }));
    EXPECT_EQ(client.Read(buffer.data(), 16), 2);

    EXPECT_EQ(client.Write(hello.data(), 5), 5);
    client.Close();
    server.WaitReadable(5000);
    EXPECT_EQ(server.Read(buffer.data(), 16), 5) << "what came before still arrives";
    EXPECT_EQ(server.Read(buffer.data(), 16), -1);
    EXPECT_EQ(server.IsReady(), 0);
}

// On two ends of a shared-memory block, just opened: each reads what the
// other wrote, so they write into crossed halves.
inline void ExpectCrossedHalves(CLayer1& creator, CLayer1& opener) {
    const std::vector<uint8_t> down(40, 7);
    const std::vector<uint8_t> up(30, 9);
    EXPECT_EQ(creator.Write(down.data(), 40), 40);
    EXPECT_EQ(opener.Write(up.data(), 30), 30);
    EXPECT_EQ(creator.BytesWaiting(), 30);
    EXPECT_EQ(opener.BytesWaiting(), 40);
    std::vector<uint8_t> buffer(64);
    EXPECT_EQ(opener.Read(buffer.data(), 64), 40);
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 40), down);
    EXPECT_EQ(creator.Read(buffer.data(), 64), 30);
    EXPECT_EQ(std::vector<uint8_t>(buffer.begin(), buffer.begin() + 30), up);
}
