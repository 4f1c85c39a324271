// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandMenu.h"

#include <QMouseEvent>

CommandMenu::CommandMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {}

void CommandMenu::mouseMoveEvent(QMouseEvent* event) {
    QMenu::mouseMoveEvent(event);
    // The menu itself clears the prompt over a greyed item.
    QAction* action = actionAt(event->position().toPoint());
    if (action && !action->isEnabled() && !action->statusTip().isEmpty()) {
        action->showStatusText(parentWidget());
    }
}
