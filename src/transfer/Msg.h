// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An application message: a type byte and its payload. On the link it travels
// as a count byte (payload length + 1), the type and the payload.

#include <cstdint>
#include <vector>

class Msg {
public:
    Msg(std::uint8_t type, std::vector<std::uint8_t> payload = {})
        : m_type(type), m_payload(std::move(payload)) {}
    virtual ~Msg() = default;

    std::uint8_t Type() const { return m_type; }
    const std::vector<std::uint8_t>& Payload() const { return m_payload; }

private:
    std::uint8_t m_type;
    std::vector<std::uint8_t> m_payload;
};
