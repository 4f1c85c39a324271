// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A range spin edit whose steps grow while an arrow is held.

#include <QElapsedTimer>
#include <functional>

#include "model/editing/qt/RangeSpinEdit.h"

class AcceleratedSpinEdit : public RangeSpinEdit {
    Q_OBJECT

public:
    AcceleratedSpinEdit(int minimum, int maximum, QWidget* parent = nullptr);

    void stepBy(int steps) override;
    // Milliseconds since the arrow was pressed; tests replace the clock.
    void SetHeldClock(std::function<long long()> heldMs) { m_heldMs = std::move(heldMs); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QElapsedTimer m_held;
    std::function<long long()> m_heldMs;
};
