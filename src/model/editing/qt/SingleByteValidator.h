// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Refuses, as they are typed or pasted, characters that have no single-byte
// form (texts enter the image as Latin-1) and, when a set is given, every
// character outside it.

#include <QValidator>
#include <string_view>

class SingleByteValidator : public QValidator {
    Q_OBJECT

public:
    explicit SingleByteValidator(std::string_view allowed = {}, QObject* parent = nullptr);

    State validate(QString& input, int& pos) const override;

private:
    std::string_view m_allowed;
};
