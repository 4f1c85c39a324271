// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A digits-only edit with an up-down control: the arrows step the number
// within a range, while typing may leave any number there for the page's
// checks to refuse.

#include <QAbstractSpinBox>
#include <optional>

class RangeSpinEdit : public QAbstractSpinBox {
    Q_OBJECT

public:
    RangeSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    int Minimum() const { return m_minimum; }
    int Maximum() const { return m_maximum; }
    void SetText(const QString& text);

    void stepBy(int steps) override;
    // As wide as the range's largest number and the arrows, not as the form.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    QValidator::State validate(QString& input, int& pos) const override;

protected:
    StepEnabled stepEnabled() const override;

private:
    // The shown number, or none when the text is empty.
    std::optional<long> Value() const;

    int m_minimum;
    int m_maximum;
};
