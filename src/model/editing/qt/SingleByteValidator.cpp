// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/qt/SingleByteValidator.h"

#include "model/editing/qt/Latin1.h"

SingleByteValidator::SingleByteValidator(std::string_view allowed, QObject* parent)
    : QValidator(parent), m_allowed(allowed) {}

QValidator::State SingleByteValidator::validate(QString& input, int& /*pos*/) const {
    const qsizetype singleBytes = SingleBytePrefixLength(input);
    if (singleBytes < input.size()) {
        return Invalid;
    }
    if (!m_allowed.empty() && ToLatin1(input).find_first_not_of(m_allowed) != std::string::npos) {
        return Invalid;
    }
    return Acceptable;
}
