// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the fuzz targets share: a broken invariant stops the run with its
// reason, and an input is read front to back as small numbers and byte strings
// (front to back, so that a seed can be written by hand).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace fuzz {

[[noreturn]] inline void Fail(const char* condition, std::string_view why, const char* file,
                              int line) {
    std::fprintf(stderr, "\n*** Broken invariant: %.*s\n    %s is false (%s:%d)\n",
                 static_cast<int>(why.size()), why.data(), condition, file, line);
    std::abort();
}

// Reads an input; past its end every number is 0 and every string empty.
class InputReader {
public:
    InputReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool AtEnd() const { return m_at >= m_size; }
    std::uint8_t Byte() { return AtEnd() ? 0 : m_data[m_at++]; }
    std::uint16_t U16() {
        const std::uint16_t low = Byte();
        return static_cast<std::uint16_t>(low | Byte() << 8);
    }
    // 0 .. count - 1.
    int Below(int count) { return count <= 0 ? 0 : Byte() % count; }
    bool Flag() { return (Byte() & 1) != 0; }
    std::vector<std::uint8_t> Bytes(std::size_t count) {
        const std::size_t taken = std::min(count, m_size - std::min(m_at, m_size));
        std::vector<std::uint8_t> bytes(m_data + m_at, m_data + m_at + taken);
        m_at += taken;
        return bytes;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

}  // namespace fuzz

#define FUZZ_CHECK(condition, why) \
    ((condition) ? static_cast<void>(0) : ::fuzz::Fail(#condition, why, __FILE__, __LINE__))
