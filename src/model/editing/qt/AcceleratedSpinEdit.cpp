// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/editing/qt/AcceleratedSpinEdit.h"

#include <QKeyEvent>

#include "model/editing/SpinAcceleration.h"

AcceleratedSpinEdit::AcceleratedSpinEdit(int minimum, int maximum, QWidget* parent)
    : RangeSpinEdit(minimum, maximum, parent),
      m_heldMs([this] { return m_held.isValid() ? m_held.elapsed() : 0LL; }) {}

void AcceleratedSpinEdit::stepBy(int steps) {
    RangeSpinEdit::stepBy(steps * AcceleratedStep(m_heldMs()));
}

void AcceleratedSpinEdit::mousePressEvent(QMouseEvent* event) {
    m_held.start();
    RangeSpinEdit::mousePressEvent(event);
}

void AcceleratedSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
    m_held.invalidate();
    RangeSpinEdit::mouseReleaseEvent(event);
}

void AcceleratedSpinEdit::keyPressEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) {
        m_held.start();
    }
    RangeSpinEdit::keyPressEvent(event);
}

void AcceleratedSpinEdit::keyReleaseEvent(QKeyEvent* event) {
    if (!event->isAutoRepeat()) {
        m_held.invalidate();
    }
    RangeSpinEdit::keyReleaseEvent(event);
}
