// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/qt/RangeSpinEdit.h"

#include <QLineEdit>
#include <QStyleOptionSpinBox>
#include <algorithm>

#include "model/editing/CharFilter.h"
#include "model/editing/FormFields.h"
#include "model/editing/qt/Latin1.h"

RangeSpinEdit::RangeSpinEdit(int minimum, int maximum, QWidget* parent)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(maximum) {
    // Typed text stays as typed: no correction when the edit loses the focus.
    setCorrectionMode(QAbstractSpinBox::CorrectToPreviousValue);
    setKeyboardTracking(true);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize RangeSpinEdit::sizeHint() const {
    ensurePolished();
    // Measured as the spin boxes measure theirs: the text, a space and the cursor.
    constexpr int kCursorSpace = 2;
    const int text = fontMetrics().horizontalAdvance(QString::number(m_maximum) + u' ');
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QSize contents(text + kCursorSpace, lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, contents, this);
}

void RangeSpinEdit::SetText(const QString& text) {
    lineEdit()->setText(text);
}

std::optional<long> RangeSpinEdit::Value() const {
    return ParseDecimal(ToLatin1(text()), false);
}

void RangeSpinEdit::stepBy(int steps) {
    const long value = std::clamp<long>(Value().value_or(m_minimum) + steps, m_minimum, m_maximum);
    SetText(QString::number(value));
    selectAll();
}

QValidator::State RangeSpinEdit::validate(QString& input, int& /*pos*/) const {
    return AllWithin(ToLatin1(input), charsets::kDigits) &&
                   SingleBytePrefixLength(input) == input.size()
               ? QValidator::Acceptable
               : QValidator::Invalid;
}

QAbstractSpinBox::StepEnabled RangeSpinEdit::stepEnabled() const {
    const long value = Value().value_or(m_minimum);
    StepEnabled enabled = StepNone;
    if (value < m_maximum) {
        enabled |= StepUpEnabled;
    }
    if (value > m_minimum || !Value()) {
        enabled |= StepDownEnabled;
    }
    return enabled;
}
