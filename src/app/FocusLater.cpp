// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FocusLater.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

void FocusAndSelectLater(QWidget* field) {
    if (!field) {
        return;
    }
    QTimer::singleShot(0, field, [target = QPointer<QWidget>(field)] {
        if (!target) {
            return;
        }
        target->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(target.data())) {
            edit->selectAll();
        } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(target.data())) {
            spin->selectAll();
        }
    });
}
