// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A menu of the main window that shows the status-bar prompt of a greyed
// item too, as it does for the others: what the command would do.

#include <QMenu>

class CommandMenu : public QMenu {
    Q_OBJECT

public:
    CommandMenu(const QString& title, QWidget* parent);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
};
