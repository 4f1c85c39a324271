// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The outcome of a page's checks: the message of the first check that failed
// and the field to focus, or nothing.

#include <string>
#include <string_view>

template <class Field>
struct Validation {
    std::string message;  // empty when every check passed
    Field field{};

    bool Ok() const { return message.empty(); }

    // Checks run in a fixed order; only the first failure counts.
    Validation& Check(bool passes, Field failing, std::string_view failMessage) {
        if (Ok() && !passes) {
            message = failMessage;
            field = failing;
        }
        return *this;
    }
};
